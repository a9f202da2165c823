"""Unsaved work on the way out. Untouched, the window ends through the exit
dialog at once. After Open-input the caption names the file, and a value
typed into a cell stars it; with the cell's editor still open, every way of
ending (Ctrl+Q, File > ProgramExit, the close box, Alt+F4) asks first.
Cancel gives the window back with the typing where it stopped; Discard goes
on to the exit dialog, whose Finish ends the program."""

from soravik_e2e import EXIT_CAPTION, FINISH_BUTTON, MAIN_CAPTION, check, check_equal

CAPTION = "pipe-drain-field.inp{} - Hydraulic conductivity calculator"


def ask_to_end(desktop, main, how):
    """Asks the main window to end and waits for the question."""
    if how == "menu":
        desktop.open_menu_entry(main, 15, "x")
    elif how == "close box":
        desktop.close_box(main)
    else:
        desktop.key(how)
    return desktop.wait_for_window("Confirm")


def wait_for_caption(desktop, main, caption):
    desktop.wait_until(lambda: desktop.window_name(main) == caption, f"the caption {caption!r}")


def finish(desktop, app):
    exit_dialog = desktop.wait_for_window(EXIT_CAPTION)
    desktop.click(exit_dialog, *FINISH_BUTTON)
    check_equal(app.wait_exit(), 0, "exit status after Finish")


def run(desktop):
    app, main = desktop.start_main_window()
    desktop.key("ctrl+q")
    finish(desktop, app)

    desktop.copy_example("pipe-drain-field.inp")
    app, main = desktop.start_main_window()
    check_equal(desktop.window_name(main), MAIN_CAPTION, "the caption at start")
    desktop.show_input_page(main)
    desktop.open_input_file(main, "pipe-drain-field.inp")
    wait_for_caption(desktop, main, CAPTION.format(""))
    desktop.click_cell(main, 0, 1)
    desktop.type("99")
    wait_for_caption(desktop, main, CAPTION.format("*"))
    for how in ("ctrl+q", "menu", "close box", "alt+F4"):
        question = ask_to_end(desktop, main, how)
        desktop.key("Escape")
        desktop.wait_for_window_gone(question, f"the question ({how})")
        desktop.wait_for_focus(main)
        check(desktop.find_window(EXIT_CAPTION) is None, f"Cancel ({how}) showed the exit dialog")
        if how == "ctrl+q":
            desktop.key("5", "Return", "Left", "F2", "ctrl+a", "ctrl+c", "Escape")
            desktop.sync(main)
            check_equal(desktop.clipboard(), b"995", "the value typed on after Cancel")
    ask_to_end(desktop, main, "ctrl+q")
    desktop.key("d")
    finish(desktop, app)
