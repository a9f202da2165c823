"""File > Save report... through the real save dialog: the worked example,
opened and calculated, gives a PDF under the typed name (".pdf" added) that
pdfinfo opens as A4 pages."""

import re
import subprocess

from soravik_e2e import APPLICATION_TITLE, check, check_equal

SAVE_CALCULATE_BUTTON = (424 + 64, 464 + 12)
INPUT_TAB_X = 153


def answer_file_dialog(desktop, caption, name):
    desktop.wait_for_window(caption)
    desktop.type(name)
    desktop.key("Return")


def run(desktop):
    desktop.copy_example("worked-example.inp")
    app, main = desktop.start_main_window()
    desktop.key("ctrl+i")
    answer_file_dialog(desktop, "Open", "worked-example.inp")
    desktop.wait_for_focus(main)

    _, tab_y = desktop.main_page_origin(main)
    desktop.click(main, INPUT_TAB_X, tab_y - 14)
    desktop.click_page(main, *SAVE_CALCULATE_BUTTON)
    answer_file_dialog(desktop, "Save As", "worked.inp")
    desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_file(desktop.folder / "worked.out")

    desktop.wait_for_focus(main)
    desktop.open_menu_entry(main, 15, "r")
    answer_file_dialog(desktop, "Save As", "report")
    pdf = desktop.folder / "report.pdf"
    desktop.wait_for_file(pdf)
    info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, timeout=30)
    check_equal(info.returncode, 0, "pdfinfo's exit status")
    check(re.search(r"^Pages: +[1-9]$", info.stdout, re.M), f"a report of a few pages:\n{info.stdout}")
    check("(A4)" in info.stdout, f"an A4 page:\n{info.stdout}")
    check(app.running(), "the program ended after saving the report")
