"""A block copied from a spreadsheet (tabs between fields, CR LF after each
line, one value with a decimal comma) pasted from the real clipboard with
Ctrl+V into the first discharge cell fills the grid; with the site constants
typed, Save-calculate saves exactly those data sets and their results."""

from soravik_e2e import example_table

def spreadsheet_block(rows):
    rows = [list(row) for row in rows]
    rows[1][1] = rows[1][1].replace(".", ",")
    return "".join("\t".join(row) + "\r\n" for row in rows).encode()


def run(desktop):
    example = desktop.example("pipe-drain-field.inp")
    desktop.own_clipboard(spreadsheet_block(example_table(example)))
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.click_cell(main, 0, 1)
    desktop.key("ctrl+v")
    # Tab leaves the grid for the count field; four more Tabs (choice, Open
    # input, Save - calculate) reach the drain depth.
    desktop.key("Tab", "Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()
    desktop.save_calculate(main, "pasted.inp")

    desktop.check_saved_as_example("pasted.inp")
