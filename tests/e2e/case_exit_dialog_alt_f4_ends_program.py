"""Alt+F4 on the exit dialog ends the program with status 0."""

from soravik_e2e import check_equal


def run(desktop):
    app, main = desktop.start_main_window()
    desktop.open_exit_dialog(main, "menu")
    desktop.key("alt+F4")
    check_equal(app.wait_exit(), 0, "exit status after Alt+F4 on the exit dialog")
