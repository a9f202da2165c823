"""Alt+F4 on the main window shows the exit dialog; the exit dialog's close
box ends the program with status 0."""

from soravik_e2e import check_equal


def run(desktop):
    app, main = desktop.start_main_window()
    exit_dialog = desktop.open_exit_dialog(main, "alt+F4")
    desktop.close_box(exit_dialog)
    check_equal(app.wait_exit(), 0, "exit status after the exit dialog's close box")
