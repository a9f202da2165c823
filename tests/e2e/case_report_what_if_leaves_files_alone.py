"""The what-if fit on the Report page: the worked example is calculated, the
"in fit" check box of data set 2 is unticked with a click on its cell and the
space bar, and the saved report shows the what-if line and Ka without data
set 2 (9/4 m/day) beside the full fit's 2.072; the input and output files
stay byte for byte as the calculation wrote them. The space bar puts it
back, and a click on its marker in the graph leaves it out again."""

import subprocess

from soravik_e2e import check, check_equal

# The "in fit" cell of data set 2 on the Report page, to the right of its
# check box (the page's data-set table starts at y = 212 below the what-if
# buttons; a header and one row of 18 pixels above it).
IN_FIT_CELL_OF_DATA_SET_2 = (128, 262)
# Data set 2's marker (H" = 0.3, Q/H" = 0.01) in the graph of every data set.
MARKER_OF_DATA_SET_2 = (620, 282)
WHAT_IF_LINE = "What-if: data set 2 left out \u2014 the files are unchanged"


def pdf_text(path):
    result = subprocess.run(["pdftotext", "-layout", str(path), "-"], capture_output=True,
                            text=True, timeout=30)
    check_equal(result.returncode, 0, "pdftotext's exit status")
    return result.stdout


def run(desktop):
    desktop.copy_example("worked-example.inp")
    app, main = desktop.start_main_window()
    desktop.open_input_file(main, "worked-example.inp")
    desktop.show_input_page(main)
    desktop.save_calculate(main, "worked.inp")
    files = {name: (desktop.folder / name).read_bytes() for name in ("worked.inp", "worked.out")}

    # From the Output page, where the calculation ends, to the Report page.
    desktop.activate(main)
    desktop.key("ctrl+Tab")
    desktop.click_page(main, *IN_FIT_CELL_OF_DATA_SET_2)
    desktop.key("space")
    desktop.sync(main)

    desktop.open_menu_entry(main, 15, "r")
    desktop.answer_save_dialog("what-if")
    pdf = desktop.folder / "what-if.pdf"
    desktop.wait_for_file(pdf)
    text = pdf_text(pdf)
    check(WHAT_IF_LINE in text, f"the what-if line in the report:\n{text}")
    check(any(line.split()[:3] == ["Ka", "(m/day)", "2.25"] for line in text.splitlines()),
          f"Ka without data set 2 in the report:\n{text}")
    check("2.072" in text, f"the full fit's Ka beside it:\n{text}")

    desktop.activate(main)
    desktop.key("space")
    desktop.click_page(main, *MARKER_OF_DATA_SET_2)
    desktop.sync(main)
    desktop.open_menu_entry(main, 15, "r")
    desktop.answer_save_dialog("marker")
    marker_pdf = desktop.folder / "marker.pdf"
    desktop.wait_for_file(marker_pdf)
    check(WHAT_IF_LINE in pdf_text(marker_pdf), "a click on the marker leaves data set 2 out")
    for name, before in files.items():
        check((desktop.folder / name).read_bytes() == before, f"{name} changed")
    check(app.running(), "the program ended")
