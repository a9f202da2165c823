"""File > Import table… reads a German spreadsheet's table (semicolons,
decimal commas, a heading); with the site constants typed, Save-calculate
writes the files of the same data typed. A table file dropped on the window
that is no table is refused in a message and changes nothing: saving again
writes the same input file."""

from soravik_e2e import (APPLICATION_TITLE, SAVE_CALCULATE_BUTTON, WAIT_SECONDS, check, check_equal,
                         file_lines)
from xdnd_source import XdndSource

def run(desktop):
    table = desktop.source_dir / "tests" / "tables" / "pipe-drain-field-german.csv"
    bad = desktop.folder / "notes.csv"
    bad.write_text("Q;Mitte;Drän\n7,2;0,6;0,9\n5,1;0,7\n")
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.open_menu_entry(main, 15, "m")
    desktop.wait_for_window("Open")
    desktop.type(str(table))
    desktop.key("Return")
    desktop.wait_until(lambda: desktop.find_window("Open") is None, "the file dialog to close")
    desktop.activate(main)
    # The count field, then four Tabs to the drain depth.
    desktop.click_page(main, 56 + 40, 24 + 12)
    desktop.key("Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()
    desktop.save_calculate(main, "imported.inp")
    example = desktop.example("pipe-drain-field.inp")
    desktop.check_saved_as_example("imported.inp")

    desktop.key("ctrl+shift+Tab")
    source = XdndSource(WAIT_SECONDS)
    try:
        taken = source.drag_files([bad], *desktop.cell_point(main, 4, 2))
        check(taken.accepted and taken.finished, f"the table file was not taken: {taken}")
    finally:
        source.close()
    refusal = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(refusal, "the message that the file is no table")
    # A second save tells nothing: the files are written at once.
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("again.inp")
    desktop.wait_for_file(desktop.folder / "again.out")
    check_equal(file_lines(desktop.folder / "again.inp")[1:], file_lines(example)[1:],
                "input file saved after the refused drop, after line 1")
