"""`soravik table.csv` where table.csv is a pipe that no program writes to:
the window comes up and refuses the pipe in a message instead of waiting on
it, and answers all along; so do File > Import table… and a drop of it."""

import os

from soravik_e2e import APPLICATION_TITLE, MAIN_CAPTION, WAIT_SECONDS, check
from xdnd_source import XdndSource


def dismiss_refusal(desktop, main):
    refusal = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.sync(main)
    desktop.key("Return")
    desktop.wait_for_window_gone(refusal, "the refusal of the pipe")


def run(desktop):
    pipe = desktop.folder / "table.csv"
    os.mkfifo(pipe)
    app = desktop.start_app(pipe.name)
    # The refusal comes up over the window, which may never get the focus first.
    desktop.wait_for_window(APPLICATION_TITLE)
    main = desktop.find_window(MAIN_CAPTION)
    dismiss_refusal(desktop, main)

    desktop.open_menu_entry(main, 15, "m")
    desktop.wait_for_window("Open")
    desktop.type(str(pipe))
    desktop.key("Return")
    dismiss_refusal(desktop, main)

    source = XdndSource(WAIT_SECONDS)
    try:
        taken = source.drag_files([pipe], *desktop.cell_point(main, 4, 2))
        check(taken.accepted and taken.finished, f"the dropped pipe was not taken: {taken}")
    finally:
        source.close()
    dismiss_refusal(desktop, main)
    check(app.running(), "the program ended after the refusals")
