"""File > ProgramExit shows the exit dialog beside the main window; Finish
ends the program with status 0."""

from soravik_e2e import FINISH_BUTTON, check, check_equal

MAIN_CAPTION = "Hydraulic conductivity calculator "


def run(desktop):
    app = desktop.start_app()
    main = desktop.wait_for_window(MAIN_CAPTION)
    check_equal(desktop.window_name(main), MAIN_CAPTION, "main window caption")

    desktop.open_menu_entry(main, 15, "x")
    exit_dialog = desktop.wait_for_window("Tylwen exit")
    check_equal(desktop.window_name(exit_dialog), "Tylwen exit", "exit dialog caption")
    check(desktop.is_mapped(main), "the main window closed with the exit dialog open")

    desktop.click(exit_dialog, *FINISH_BUTTON)
    check_equal(app.wait_exit(), 0, "exit status after Finish")
