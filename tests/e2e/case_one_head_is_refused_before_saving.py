"""`soravik one-head.inp`, whose data sets all have H" = 0.3 m: Save-calculate
under a new name is refused with a message, and writes no file."""

from soravik_e2e import APPLICATION_TITLE, SAVE_CALCULATE_BUTTON, check


def run(desktop):
    source = desktop.copy_example("pipe-drain-field.inp", "one-head.inp")
    lines = source.read_bytes().split(b"\r\n")
    for i in range(14, 29):  # data sets 1 to 15: depths 0.7 and 1.0 m
        lines[i] = lines[i][:20] + b"       0.700      1.000"
    source.write_bytes(b"\r\n".join(lines))
    app, main = desktop.start_main_window("one-head.inp")
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("saved.inp")
    message = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(message, "the message that refused the save")
    check(sorted(p.name for p in desktop.folder.iterdir()) == ["one-head.inp"], "a file was written")
    check(app.running(), "the program ended after the message")
