"""A block of 20 rows pasted over a typed table, then Ctrl+Z: the typed rows
come back and Save-calculate writes exactly them; Ctrl+Shift+Z pastes the
block again and the next Save-calculate writes the 20 pasted rows."""

from soravik_e2e import SAVE_CALCULATE_BUTTON, check_equal, example_table, file_lines

def pasted_rows(typed):
    """Other data sets of the same field: each typed row with a discharge
    raised by 1, and five more."""
    rows = [(f"{float(q) + 1:g}", midway, near) for q, midway, near in typed]
    return rows + rows[:5]


def run(desktop):
    example = desktop.example("pipe-drain-field.inp")
    typed = example_table(example)
    block = pasted_rows(typed)
    desktop.own_clipboard("".join("\t".join(row) + "\r\n" for row in block).encode())
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    # The last cell is left with Tab, for the count field; four more Tabs
    # (choice, Open input, Save - calculate) reach the drain depth.
    desktop.type_table(main, typed, last_key="Tab")
    desktop.key("Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()

    desktop.click_cell(main, 0, 1)
    desktop.key("ctrl+v")
    desktop.sync(main)
    desktop.key("ctrl+z")
    desktop.save_calculate(main, "typed.inp")
    check_equal(file_lines(desktop.folder / "typed.inp")[1:], file_lines(example)[1:],
                "input file saved after the paste was undone, after line 1")

    # Back from the Output page to the Input page.
    desktop.key("ctrl+shift+Tab")
    desktop.key("ctrl+shift+z")
    # A second calculation tells nothing about where the files went.
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("pasted.inp")
    desktop.wait_for_file(desktop.folder / "pasted.out")
    check_equal(example_table(desktop.folder / "pasted.inp"), block,
                "data sets saved after the paste was redone")
