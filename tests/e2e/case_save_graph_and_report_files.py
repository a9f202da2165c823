"""The report's exports from the real window: File > Save graph... as an SVG
drawing and as a PNG picture, and File > Save report... as a PDF, each read
back: the drawing's canvas and a renderer's picture of it, the picture's size
and resolution, the report's headings, appendix and footer."""

import re
import struct
import subprocess

from soravik_e2e import check, check_equal

SAVE_GRAPH_MNEMONIC = "p"
SAVE_REPORT_MNEMONIC = "r"
FILE_MENU_X = 15
INPUT_TAB_X = 153


def png_size(path):
    data = path.read_bytes()
    check(data.startswith(b"\x89PNG\r\n\x1a\n"), f"{path} is no PNG")
    return struct.unpack(">II", data[16:24])


def png_dots_per_metre(path):
    data = path.read_bytes()
    phys = data.find(b"pHYs")
    check(phys > 0, f"{path} tells no resolution")
    x_dots, y_dots, unit = struct.unpack(">IIB", data[phys + 4:phys + 13])
    check_equal(unit, 1, "the unit of the PNG's resolution (metre)")
    check_equal(x_dots, y_dots, "the PNG's vertical resolution")
    return x_dots


def run_tool(*command):
    done = subprocess.run(command, capture_output=True, text=True, timeout=60)
    check_equal(done.returncode, 0, f"exit status of {command[0]}: {done.stderr}")
    return done.stdout


def save_from_file_menu(desktop, main, mnemonic, name):
    desktop.wait_for_focus(main)
    desktop.open_menu_entry(main, FILE_MENU_X, mnemonic)
    desktop.answer_save_dialog(name)
    path = desktop.folder / name
    desktop.wait_for_file(path)
    return path


def run(desktop):
    desktop.copy_example("worked-example.inp")
    app, main = desktop.start_main_window()
    desktop.open_input_file(main, "worked-example.inp")
    _, tab_y = desktop.main_page_origin(main)
    desktop.click(main, INPUT_TAB_X, tab_y - 14)
    desktop.save_calculate(main, "worked.inp")

    svg = save_from_file_menu(desktop, main, SAVE_GRAPH_MNEMONIC, "graph.svg")
    text = svg.read_text(encoding="utf-8")
    check(re.search(r'<svg width="605" height="378"\s+viewBox="0 0 605 378"', text),
          f"the drawing's canvas:\n{text[:400]}")
    rendered = desktop.folder / "rendered.png"
    run_tool("rsvg-convert", "-o", str(rendered), str(svg))
    check_equal(png_size(rendered), (605, 378), "the size rsvg-convert draws the SVG at")

    png = save_from_file_menu(desktop, main, SAVE_GRAPH_MNEMONIC, "graph.png")
    check_equal(png_size(png), (1890, 1181), "the PNG's size (16 x 10 cm at 300 dpi)")
    check_equal(png_dots_per_metre(png), 11811, "the PNG's dots per metre (300 dpi)")

    pdf = save_from_file_menu(desktop, main, SAVE_REPORT_MNEMONIC, "report.pdf")
    pages = int(re.search(r"^Pages: +(\d+)$", run_tool("pdfinfo", str(pdf)), re.M).group(1))
    report = run_tool("pdftotext", "-layout", str(pdf), "-")
    for heading in ("Quantity +Value +95 % interval", "Appendix: the data sets as entered",
                    r"Serial number +Q \(mm/day\)"):
        check(re.search(heading, report), f"{heading!r} in the report:\n{report}")
    check_equal(len(re.findall(r"Soravik [0-9.]+ · .* · worked\.inp · least-squares", report)),
                pages, "footer lines, one a page")
    check(app.running(), "the program ended after saving")
