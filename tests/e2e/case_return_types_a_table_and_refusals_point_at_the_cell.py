"""A table typed without the mouse, Return after each value, with a letter in
one discharge and a depth near the drains shallower than midway in another
row. Save-calculate refuses each in turn with its message; after the
message the wrong cell is the current one, so the value typed next replaces
it. The third save gives the files of the example field."""

from soravik_e2e import APPLICATION_TITLE, SAVE_CALCULATE_BUTTON, example_table

def refused_save(desktop, main, correction):
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("site.inp")
    message = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(message, "the message that refused the save")
    desktop.type(correction)
    desktop.key("Return")


def run(desktop):
    example = desktop.example("pipe-drain-field.inp")
    rows = [list(row) for row in example_table(example)]
    discharge, near = rows[4][0], rows[9][2]
    rows[4][0] = "x"
    rows[9][2] = "0.5"
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    # Tab leaves the grid for the count field; four more Tabs reach the drain depth.
    desktop.type_table_by_keys(main, rows)
    desktop.key("Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()
    refused_save(desktop, main, discharge)
    refused_save(desktop, main, near)
    desktop.save_calculate(main, "site.inp")

    desktop.check_saved_as_example("site.inp")
