"""An input file dragged from another program and dropped on the Input page
fills the page with its data sets and site constants: Save-calculate under a
new name saves them again. An extension in capitals names the file read,
not its namesake in small letters beside it. A file that is neither an input,
an output nor a table file is refused while it is dragged over the window,
and changes nothing."""

from soravik_e2e import WAIT_SECONDS, check, check_equal, file_lines
from xdnd_source import XdndSource


def run(desktop):
    dropped = desktop.copy_example("worked-example.inp", "field notes.INP")
    desktop.copy_example("pipe-drain-field.inp", "field notes.inp")
    other = desktop.copy_example("pipe-drain-field.inp", "pipe-drain-field.dat")
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    drop_point = desktop.cell_point(main, 4, 2)
    source = XdndSource(WAIT_SECONDS)
    try:
        taken = source.drag_files([dropped], *drop_point)
        check(taken.accepted and taken.finished, f"the input file was not taken: {taken}")
        check_equal(taken.action, "XdndActionCopy", "action of the taken drop")
        refused = source.drag_files([other], *drop_point)
        check(not refused.accepted, f"a text file was taken: {refused}")
    finally:
        source.close()

    # The window opens a dropped file once the drop has finished.
    desktop.sync(main)
    desktop.save_calculate(main, "again.inp")
    check_equal(file_lines(desktop.folder / "again.inp")[1:], file_lines(dropped)[1:],
                "input file saved after the drops, after line 1")
