"""`soravik table.csv` where table.csv is a pipe that no program writes to:
the window comes up, answers, and refuses the pipe in a message instead of
waiting on it; so do File > Import table… and a drop of the same pipe. The
grid keeps what was typed: the saved files are those of the typed table."""

import os

from soravik_e2e import APPLICATION_TITLE, MAIN_CAPTION, WAIT_SECONDS, check, example_table
from xdnd_source import XdndSource


def dismiss_refusal(desktop, main, what):
    refusal = desktop.wait_for_window(APPLICATION_TITLE)
    # The window answers while the message stands over it.
    desktop.sync(main)
    desktop.key("Return")
    desktop.wait_for_window_gone(refusal, f"the refusal of the pipe {what}")


def run(desktop):
    pipe = desktop.folder / "table.csv"
    os.mkfifo(pipe)
    app = desktop.start_app(pipe.name)
    # The refusal comes up over the window, which may never get the focus first.
    desktop.wait_for_window(APPLICATION_TITLE)
    main = desktop.find_window(MAIN_CAPTION)
    check(main is not None, "no main window beside the refusal")
    dismiss_refusal(desktop, main, "named on the command line")
    check(app.running(), "the program ended after the refusal")

    desktop.show_input_page(main)
    desktop.type_table(main, example_table(desktop.example("pipe-drain-field.inp")))
    desktop.open_menu_entry(main, 15, "m")
    desktop.wait_for_window("Open")
    desktop.type(str(pipe))
    desktop.key("Return")
    dismiss_refusal(desktop, main, "chosen in the dialog")

    source = XdndSource(WAIT_SECONDS)
    try:
        taken = source.drag_files([pipe], *desktop.cell_point(main, 4, 2))
        check(taken.accepted and taken.finished, f"the dropped pipe was not taken: {taken}")
    finally:
        source.close()
    dismiss_refusal(desktop, main, "dropped on the window")

    desktop.activate(main)
    # The count field, then four Tabs to the drain depth.
    desktop.click_page(main, 56 + 40, 24 + 12)
    desktop.key("Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()
    desktop.save_calculate(main, "typed.inp")
    desktop.check_saved_as_example("typed.inp")
