"""A table typed into the grid with the site constants, saved with
Save-calculate through the real save dialog under a typed relative name,
gives the input and output files of the example field; saving again under
the same name asks in a box captioned "Confirm"."""

from soravik_e2e import (APPLICATION_TITLE, SAVE_CALCULATE_BUTTON, check, check_equal,
                         example_table, file_lines)

def run(desktop):
    example = desktop.example("pipe-drain-field.inp")
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    # The last cell is left with Tab, for the count field; four more Tabs
    # (choice, Open input, Save - calculate) reach the drain depth.
    desktop.type_table(main, example_table(example), last_key="Tab")
    desktop.key("Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("site.inp")
    saved = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(saved, "the message where the files were saved")

    input_file = desktop.folder / "site.inp"
    output_file = desktop.folder / "site.out"
    check_equal(file_lines(input_file)[0], f" File Name: {input_file}", "input file, line 1")
    check_equal(file_lines(output_file)[0], f" File: {output_file}", "output file, line 1")
    desktop.check_saved_as_example("site.inp")

    # Back from the Output page to the Input page and its button.
    desktop.key("ctrl+shift+Tab")
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("site.inp")
    question = desktop.wait_for_window("Confirm")
    check_equal(desktop.window_name(question), "Confirm", "overwrite question caption")
    desktop.key("Escape")
    not_saved = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(not_saved, "the message that nothing was saved")
    check(sorted(path.name for path in desktop.folder.iterdir() if path.is_file())
          == ["site.inp", "site.out"], "files beside the saved pair")
