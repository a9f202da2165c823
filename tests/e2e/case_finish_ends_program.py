"""File > ProgramExit shows the exit dialog beside the main window; Finish
ends the program with status 0."""

from soravik_e2e import EXIT_CAPTION, FINISH_BUTTON, MAIN_CAPTION, check_equal


def run(desktop):
    app, main = desktop.start_main_window()
    check_equal(desktop.window_name(main), MAIN_CAPTION, "main window caption")
    exit_dialog = desktop.open_exit_dialog(main, "menu")
    check_equal(desktop.window_name(exit_dialog), EXIT_CAPTION, "exit dialog caption")
    desktop.click(exit_dialog, *FINISH_BUTTON)
    check_equal(app.wait_exit(), 0, "exit status after Finish")
