"""The main window shown again (minimized, then brought back) while the exit
dialog is visible ends the program with status 0."""

from soravik_e2e import check, check_equal


def run(desktop):
    app, main = desktop.start_main_window()
    desktop.open_exit_dialog(main, "menu")
    desktop.minimize(main)
    check(app.running(), "minimizing the main window ended the program")
    desktop.activate_minimized(main)
    check_equal(app.wait_exit(), 0, "exit status after the main window was shown again")
