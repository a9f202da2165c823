"""The main window's close box shows the exit dialog with the focus on
Finish; Return ends the program with status 0."""

from soravik_e2e import check_equal


def run(desktop):
    app, main = desktop.start_main_window()
    desktop.open_exit_dialog(main, "close box")
    desktop.key("Return")
    check_equal(app.wait_exit(), 0, "exit status after Return on Finish")
