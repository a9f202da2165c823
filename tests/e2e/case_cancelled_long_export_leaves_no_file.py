"""A long export shows its progress and can be cancelled: the report of a
million data sets, saved from the real window, brings up the progress dialog;
Cancel leaves no file (nor a temporary one) in the folder, and the window
goes on working: the same export without Cancel writes the report."""

import time

from soravik_e2e import WAIT_SECONDS, E2eFailure, check, check_equal

INPUT_TAB_X = 153
FILE_MENU_X = 15
DATA_SETS = 1_000_000
PROGRESS_CAPTION = "Saving"
# How long Escape is pressed while the progress dialog has not been seen.
LOOK_SECONDS = 5

HEADER = """ File Name: million.inp

 Drain depth (m)               1.20
 Depth impermeable layer (m)  10.00
 Depth spacing (m)            30.00
 Drain radius (m)              0.10

                    Depth of water table
                    ---------------------
          Drain        midway       near
 Serial   discharge    between      the
 number   (mm/day)     drains      drains
                         (m)         (m) 
 - - - - - - - - - - - - - - - - - - - - -
"""
RULE = " - - - - - - - - - - - - - - - - - - - - -\n"


def write_million(path):
    lines = [HEADER]
    for serial in range(1, DATA_SETS + 1):
        midway = 0.5 + (serial % 997) * 0.0004
        discharge = 1.0 + (serial % 1009) * 0.004
        lines.append(f"{serial:5d} {discharge:11.3f} {midway:11.3f} {1.1:10.3f}\n")
    lines.append(RULE)
    path.write_bytes("".join(lines).replace("\n", "\r\n").encode("ascii"))


def cancel_while_shown(desktop):
    """Escape, again and again, from the moment the save dialog closed until
    the progress dialog has come and gone: the export of a million data sets
    ends a moment after its progress shows, too soon for a key pressed only
    once the dialog has been seen, and a dialog cancelled at once may come
    and go between two looks. Escape does nothing in the main window."""
    start = time.monotonic()
    shown = False
    while time.monotonic() < start + WAIT_SECONDS:
        desktop.key("Escape")
        progress = desktop.find_window(PROGRESS_CAPTION)
        shown = shown or progress is not None
        if progress is None and (shown or time.monotonic() > start + LOOK_SECONDS):
            return
    raise E2eFailure("the progress dialog stayed after Escape")


def run(desktop):
    write_million(desktop.folder / "million.inp")
    app, main = desktop.start_main_window()
    desktop.open_input_file(main, "million.inp", timeout=60)
    _, tab_y = desktop.main_page_origin(main)
    desktop.click(main, INPUT_TAB_X, tab_y - 14)
    desktop.save_calculate(main, "calculated.inp")

    desktop.wait_for_focus(main)
    desktop.open_menu_entry(main, FILE_MENU_X, "r")
    desktop.answer_save_dialog("report")
    # An Escape that reached the save dialog would cancel the save instead.
    desktop.wait_until(lambda: desktop.find_window("Save As") is None, "the save dialog to close")
    cancel_while_shown(desktop)
    desktop.sync(main)
    left = sorted(p.name for p in desktop.folder.iterdir() if p.name.startswith(("report", ".")))
    check_equal(left, [], "files left by the cancelled export")
    check(app.running(), "the program ended after the cancelled export")

    # Without Escape the same export writes its file: nothing but the cancel
    # kept it away.
    desktop.open_menu_entry(main, FILE_MENU_X, "r")
    desktop.answer_save_dialog("report")
    desktop.wait_for_file(desktop.folder / "report.pdf", timeout=60)
    # A cancelled export that went on all the same would have written the
    # file by now, and this save would ask to overwrite it.
    desktop.sync(main)
    check(desktop.find_window("Confirm") is None, "the cancelled export wrote its file later")
