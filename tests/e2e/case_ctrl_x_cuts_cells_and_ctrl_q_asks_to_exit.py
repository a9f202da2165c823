"""Ctrl+X cuts and never ends the program: on a grid cell it puts the cell's
text on the clipboard and empties the cell; in an open cell editor it cuts
the selected text. Save-calculate then leaves out the two rows with an
emptied cell. Ctrl+Q shows the exit dialog."""

from soravik_e2e import EXIT_CAPTION, check, check_equal, example_table, file_lines


def run(desktop):
    example = desktop.example("pipe-drain-field.inp")
    app, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.type_table_by_keys(main, example_table(example))

    desktop.click_cell(main, 2, 1)
    desktop.key("ctrl+x")
    desktop.wait_until(lambda: desktop.clipboard() == b"12.8", "the cut cell on the clipboard")
    desktop.click_cell(main, 5, 2)
    desktop.key("F2", "ctrl+a", "ctrl+x")
    desktop.wait_until(lambda: desktop.clipboard() == b"0.56", "the cut text on the clipboard")
    desktop.key("Return")
    desktop.sync(main)
    check(app.running(), "the program ended on Ctrl+X")
    check(desktop.find_window(EXIT_CAPTION) is None, "Ctrl+X showed the exit dialog")

    desktop.save_calculate(main, "cut.inp")
    lines = file_lines(example)
    first = lines.index(" - - - - - - - - - - - - - - - - - - - - -") + 1
    kept = [line for number, line in enumerate(lines[first:first + 15]) if number not in (2, 5)]
    expected = [f"{number:5d}" + line[5:] for number, line in enumerate(kept, start=1)]
    saved = file_lines(desktop.folder / "cut.inp")
    check_equal(saved[first:first + 13], expected, "the data sets saved after the cuts")

    desktop.activate(main)
    desktop.key("ctrl+q")
    desktop.wait_for_window(EXIT_CAPTION)
    check(app.running(), "Ctrl+Q ended the program without the exit dialog")
