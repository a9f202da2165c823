"""A long export shows its progress and can be cancelled: the report of a
million data sets, saved from the real window, brings up the progress dialog;
Cancel leaves no file (nor a temporary one) in the folder, and the window
goes on working."""

from soravik_e2e import check, check_equal

INPUT_TAB_X = 153
FILE_MENU_X = 15
DATA_SETS = 1_000_000
PROGRESS_CAPTION = "Saving"

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


def run(desktop):
    write_million(desktop.folder / "million.inp")
    app, main = desktop.start_main_window()
    desktop.open_input_file(main, "million.inp", timeout=60)
    _, tab_y = desktop.main_page_origin(main)
    desktop.click(main, INPUT_TAB_X, tab_y - 14)
    desktop.save_calculate(main, "calculated.inp")

    desktop.wait_for_window(desktop.window_name(main))
    desktop.open_menu_entry(main, FILE_MENU_X, "r")
    desktop.answer_save_dialog("report")
    progress = desktop.wait_for_window(PROGRESS_CAPTION)
    desktop.activate(progress)
    desktop.key("Escape")
    desktop.wait_for_window_gone(progress, "the progress dialog after Cancel")
    desktop.sync(main)
    left = sorted(p.name for p in desktop.folder.iterdir() if p.name.startswith(("report", ".")))
    check_equal(left, [], "files left by the cancelled export")
    check(app.running(), "the program ended after the cancelled export")
