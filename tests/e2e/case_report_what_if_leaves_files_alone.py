"""The what-if fit on the Report page: the worked example is calculated, the
"in fit" check box of data set 2 is unticked with a click on its cell (found
through the layout the window tells in the file named by
SORAVIK_LAYOUT_DUMP) and the space bar, and the saved report shows the
what-if line and Ka without data set 2 (9/4 m/day) beside the full fit's
2.072; the input and output files stay byte for byte as the calculation
wrote them. The space bar puts it back, and a click on its marker in the graph leaves it out again."""

import subprocess

from soravik_e2e import check, check_equal

ROW_HEIGHT = 18
# Data set 2's marker (H" = 0.3, Q/H" = 0.01) in the graph of every data set,
# from the graph's top left corner at the window's own size.
MARKER_OF_DATA_SET_2 = (174, 93)
WHAT_IF_LINE = "What-if: data set 2 left out \u2014 the files are unchanged"


def pdf_text(path):
    result = subprocess.run(["pdftotext", "-layout", str(path), "-"], capture_output=True,
                            text=True, timeout=30)
    check_equal(result.returncode, 0, "pdftotext's exit status")
    return result.stdout


def report_layout(dump):
    """The data-set table's (left, top), its heading's height, its columns'
    widths and the graph's (left, top) on the Report page, once shown."""
    if not dump.is_file():
        return None
    table, heading, widths, graph, page = None, 0, {}, None, None
    for line in dump.read_text().splitlines():
        words = line.split()
        if words[0] == "page":
            page = words[1]
        elif page == "Report_TabSheet" and words[0] == "DataSets_Table":
            table = (int(words[1]), int(words[2]))
        elif page == "Report_TabSheet" and words[0] == "Graph_View":
            graph = (int(words[1]), int(words[2]))
        elif words[0] == "table" and words[1] == "DataSets_Table":
            heading = int(words[4])
        elif words[0] == "column" and words[1] == "DataSets_Table":
            widths[int(words[2])] = int(words[3])
    return (table, heading, widths, graph) if table and heading and widths else None


def focused_control(dump):
    """The control with the keyboard focus, as the window last told it."""
    for line in dump.read_text().splitlines():
        if line.startswith("focus "):
            return line.split()[1]
    return None


def run(desktop):
    desktop.copy_example("worked-example.inp")
    dump = desktop.folder.parent / "layout"
    app, main = desktop.start_main_window(env={"SORAVIK_LAYOUT_DUMP": str(dump)})
    desktop.open_input_file(main, "worked-example.inp")
    desktop.show_input_page(main)
    desktop.save_calculate(main, "worked.inp")
    files = {name: (desktop.folder / name).read_bytes() for name in ("worked.inp", "worked.out")}

    # From the Output page, where the calculation ends, to the Report page.
    desktop.activate(main)
    desktop.key("ctrl+Tab")
    (left, top), heading, widths, graph = desktop.wait_until(lambda: report_layout(dump),
                                                             "the Report page's data sets")
    # The "in fit" cell of data set 2, to the right of its check box.
    desktop.click_page(main, left + widths[0] + widths[1] - 6,
                       top + heading + ROW_HEIGHT + ROW_HEIGHT // 2)
    desktop.wait_until(lambda: focused_control(dump) == "DataSets_Table", "the data sets' focus")
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

    # Back from the save dialog, the table has the focus again before the
    # space bar can reach it.
    desktop.activate(main)
    desktop.wait_until(lambda: focused_control(dump) == "DataSets_Table", "the data sets' focus")
    desktop.key("space")
    desktop.sync(main)
    desktop.click_page(main, graph[0] + MARKER_OF_DATA_SET_2[0], graph[1] + MARKER_OF_DATA_SET_2[1])
    desktop.sync(main)
    desktop.open_menu_entry(main, 15, "r")
    desktop.answer_save_dialog("marker")
    marker_pdf = desktop.folder / "marker.pdf"
    desktop.wait_for_file(marker_pdf)
    check(WHAT_IF_LINE in pdf_text(marker_pdf), "a click on the marker leaves data set 2 out")
    for name, before in files.items():
        check((desktop.folder / name).read_bytes() == before, f"{name} changed")
    check(app.running(), "the program ended")
