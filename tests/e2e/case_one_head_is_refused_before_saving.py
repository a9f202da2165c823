"""`soravik one-head.inp`, a field whose data sets all have H" = 0.3 m: the
least-squares line cannot be fitted, so Save-calculate under a new name is
refused with a message, and neither that input file nor an output file is
written. After OK the program goes on with its window."""

from soravik_e2e import APPLICATION_TITLE, SAVE_CALCULATE_BUTTON, check


def run(desktop):
    source = desktop.copy_example("pipe-drain-field.inp", "one-head.inp")
    lines = source.read_bytes().split(b"\r\n")
    table = [i for i, line in enumerate(lines) if line.startswith(b" - - -")]
    for i in range(table[0] + 1, table[1]):
        serial, discharge = lines[i].split()[:2]
        lines[i] = b"%5s %11s %11s %10s" % (serial, discharge, b"0.700", b"1.000")
    source.write_bytes(b"\r\n".join(lines))

    app, main = desktop.start_main_window("one-head.inp")
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("saved.inp")
    message = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(message, "the message that refused the save")
    desktop.sync(main)
    for name in ("saved.inp", "saved.out", "one-head.out"):
        check(not (desktop.folder / name).exists(), f"{name} was written")
    check(app.running(), "the program ended after the message")
