"""With a table of 15 data sets typed, Open-output of a file whose input
file holds 3 refills the Input page with those 3 and their site constants;
back on the Input page, Save-calculate saves exactly them."""

from soravik_e2e import SAVE_CALCULATE_BUTTON, check_equal, example_table, file_lines


def run(desktop):
    opened_input = desktop.copy_example("worked-example.inp")
    opened_output = desktop.copy_example("worked-example.out")
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.type_table(main, example_table(desktop.example("pipe-drain-field.inp")),
                       last_key="Tab")

    desktop.key("ctrl+o")
    desktop.wait_for_window("Open")
    desktop.type(opened_output.name)
    desktop.key("Return")
    # The recalculation rewrites the output file under its own name.
    desktop.wait_until(lambda: file_lines(opened_output)[0] == f" File: {opened_output}",
                       "the opened output file to be recalculated")

    desktop.activate(main)
    desktop.key("ctrl+shift+Tab")
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    desktop.answer_save_dialog("site.inp")
    desktop.wait_for_file(desktop.folder / "site.out")
    check_equal(file_lines(desktop.folder / "site.inp")[1:], file_lines(opened_input)[1:],
                "saved input file after line 1")
