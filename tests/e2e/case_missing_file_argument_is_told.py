"""`soravik missing.inp`: the window starts and tells that the file does not
exist, as Open-input does; after OK the program goes on with its window."""

from soravik_e2e import APPLICATION_TITLE, MAIN_CAPTION, check


def run(desktop):
    app = desktop.start_app("missing.inp")
    message = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(message, "the message")
    desktop.wait_for_window(MAIN_CAPTION)
    check(app.running(), "the program ended after the message")
