"""File names with double quotes, typed in the file dialogs, are taken as
the one name they are: an input file named with quotes opens, and
Save-calculate under a quoted name writes that pair and nothing else, beside
an unrelated pair named like the quoted part."""

from soravik_e2e import (APPLICATION_TITLE, OPEN_INPUT_BUTTON, SAVE_CALCULATE_BUTTON, check_equal,
                         file_lines)

OPENED = "it's \"odd\" name.inp"
SAVED = "site \"B\" data"
UNRELATED = b"not to be touched\r\n"


def run(desktop):
    example = desktop.example("pipe-drain-field.inp")
    desktop.copy_example("pipe-drain-field.inp", OPENED)
    for name in ("B.inp", "B.out"):
        (desktop.folder / name).write_bytes(UNRELATED)

    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.click_page(main, *OPEN_INPUT_BUTTON)
    open_dialog = desktop.wait_for_window("Open")
    desktop.type(OPENED)
    desktop.key("Return")
    desktop.wait_for_window_gone(open_dialog, "the open dialog")

    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    # Without an extension the dialog adds ".inp".
    desktop.answer_save_dialog(SAVED)
    saved = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(saved, "the message where the files were saved")

    folder = desktop.folder
    check_equal(sorted(path.name for path in folder.iterdir() if path.is_file()),
                sorted(["B.inp", "B.out", OPENED, SAVED + ".inp", SAVED + ".out"]),
                "files in the folder")
    for name in ("B.inp", "B.out"):
        check_equal((folder / name).read_bytes(), UNRELATED, name)
    check_equal(file_lines(folder / (SAVED + ".inp"))[1:], file_lines(example)[1:],
                "saved input file after line 1")
    check_equal(file_lines(folder / (SAVED + ".out"))[1:],
                file_lines(desktop.example("pipe-drain-field.out"))[1:],
                "saved output file after line 1")
