"""The Report page of a field with a suspect data set (the pipe-drain field
with data set 2 at 6 mm/day: Bonferroni p 5.83e-09): at the window's own size
every column of its tables is as wide as its cells and heading need, the
summary and the warnings show without scrolling, and Tab and Shift+Tab visit
every control once in reading order. Maximized, the data-set table shows all
its columns; restored, after a report saved under a long name has filled the
status line, the window has its own size again. The window tells
where its controls stand, how wide its columns are and which control has the
focus through the file named by SORAVIK_LAYOUT_DUMP."""

from soravik_e2e import check, check_equal

from Xlib import X
from Xlib import display as xdisplay
from Xlib.protocol import event as xprotocol_event

REPORT = "Report_TabSheet"
TABLES = ("Results_Table", "SiteConstants_Table", "DataSets_Table")
SUMMARY = ("ResultsHeading_Label", "Results_Table", "SiteConstants_Table", "Warnings_Label")
# Column by column from the left, each from the top; Put all back is
# enabled once a data set is left out.
OWN_WIDTH = 715
# Saved while maximized, the report's long path in the status line.
LONG_NAME = "report-of-the-field-with-a-suspect-data-set-saved-while-the-window-is-maximized"
TAB_ORDER = ["Results_Table", "DataSets_Table", "SiteConstants_Table", "LeaveOutSuspects_Button",
             "PutAllBack_Button", "GraphResolution_SpinBox", "SaveReport_Button",
             "SaveGraph_Button"]


def read_layout(path):
    """{"window": (w, h), "focus": name, "pages": {page: {"size": (w, h),
    control: (left, top, right, bottom)}}, "tables": {name: (shown, needed)},
    "columns": [(table, index, width, needed)]}."""
    layout = {"pages": {}, "tables": {}, "columns": []}
    for line in path.read_text().splitlines():
        words = line.split()
        if words[0] == "window":
            layout["window"] = (int(words[1]), int(words[2]))
        elif words[0] == "focus":
            layout["focus"] = words[1]
        elif words[0] == "page":
            page = layout["pages"].setdefault(words[1], {})
            page["size"] = (int(words[2]), int(words[3]))
        elif words[0] == "table":
            layout["tables"][words[1]] = (int(words[2]), int(words[3]))
        elif words[0] == "column":
            layout["columns"].append((words[1], int(words[2]), int(words[3]), int(words[4])))
        else:
            left, top, width, height = map(int, words[1:])
            page[words[0]] = (left, top, left + width, top + height)
    return layout


def cut_columns(layout):
    return [f"{table} column {index}: {width} < {needed}"
            for table, index, width, needed in layout["columns"]
            if table in TABLES and width < needed]


def outside_page(layout, names):
    report = layout["pages"][REPORT]
    width, height = report["size"]
    return [name for name in names
            if name not in report or report[name][2] > width or report[name][3] > height]


def set_maximized(window, maximized):
    """Asks the window manager to maximize or restore the window, as its
    title bar's button does."""
    connection = xdisplay.Display()
    try:
        atom = connection.intern_atom
        event = xprotocol_event.ClientMessage(
            window=connection.create_resource_object("window", window),
            client_type=atom("_NET_WM_STATE"),
            data=(32, [1 if maximized else 0, atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                       atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 1, 0]))
        connection.screen().root.send_event(
            event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        connection.sync()
    finally:
        connection.close()


def write_suspect_field(desktop):
    lines = desktop.example("pipe-drain-field.inp").read_bytes().split(b"\r\n")
    lines = [line.replace(b"13.600", b" 6.000") if line.startswith(b"    2 ") else line
             for line in lines]
    (desktop.folder / "suspect.inp").write_bytes(b"\r\n".join(lines))
    desktop.copy_example("pipe-drain-field.out", "suspect.out")


def run(desktop):
    write_suspect_field(desktop)
    dump = desktop.folder.parent / "layout"
    _, main = desktop.start_main_window("suspect.out", env={"SORAVIK_LAYOUT_DUMP": str(dump)})

    def report_shown(condition=lambda layout: True):
        def shown():
            if not dump.is_file():
                return None
            layout = read_layout(dump)
            report = layout["pages"].get(REPORT, {})
            ready = "DataSets_Table" in layout["tables"] and "Warnings_Label" in report
            return layout if ready and condition(layout) else None
        return shown

    desktop.wait_until(lambda: dump.is_file() and "GraphImage" in dump.read_text(),
                       "the Output page with the results")
    desktop.activate(main)
    desktop.key("ctrl+Tab")
    layout = desktop.wait_until(report_shown(), "the Report page with its tables")
    own_size = layout["window"]
    check_equal(own_size[0], OWN_WIDTH, "the window's own width")
    check_equal(cut_columns(layout), [], "columns narrower than their cells at the own size")
    check_equal(outside_page(layout, SUMMARY), [], "summary controls out of view")
    p_column = [c for c in layout["columns"] if c[0] == "DataSets_Table" and c[1] == 9]
    check(p_column and p_column[0][2] >= p_column[0][3], f"the p column whole: {p_column}")

    # Data set 3 left out with the space bar, so that every button is
    # enabled; then Tab from the results table through the page and back.
    report = layout["pages"][REPORT]
    results = report["Results_Table"]
    desktop.click_page(main, results[0] + 20, results[1] + 30)
    desktop.wait_until(report_shown(lambda l: l["focus"] == "Results_Table"),
                       "the results table to have the focus")
    desktop.key("Tab", "Down", "Down", "Right", "space")
    desktop.wait_until(report_shown(lambda l: "PutAllBack_Button" in l["pages"][REPORT]
                                    and l["focus"] == "DataSets_Table"),
                       "data set 3 left out")
    desktop.key("shift+Tab")
    visited = [desktop.wait_until(report_shown(lambda l: l["focus"] == "Results_Table"),
                                  "the focus back on the results table")["focus"]]
    for step in range(len(TAB_ORDER) - 1):
        before = visited[-1]
        desktop.key("Tab")
        visited.append(desktop.wait_until(report_shown(lambda l: l["focus"] != before),
                                          f"Tab number {step + 1} to move the focus")["focus"])
    check_equal(visited, TAB_ORDER, "the controls Tab visits")
    back = [visited[-1]]
    for step in range(len(TAB_ORDER) - 1):
        before = back[-1]
        desktop.key("shift+Tab")
        back.append(desktop.wait_until(report_shown(lambda l: l["focus"] != before),
                                       f"Shift+Tab number {step + 1} to move the focus")["focus"])
    check_equal(back, TAB_ORDER[::-1], "the controls Shift+Tab visits")

    desktop.maximize(main)
    grown = desktop.wait_until(report_shown(lambda l: l["window"][0] > own_size[0]),
                               "the Report page laid out for the maximized window")
    check_equal(cut_columns(grown), [], "columns narrower than their cells, maximized")
    shown, needed = grown["tables"]["DataSets_Table"]
    check(needed <= shown, f"every column of the data sets in view, maximized: {shown} < {needed}")
    check_equal(outside_page(grown, SUMMARY + ("DataSets_Table", "Graph_View", "SaveGraph_Button")), [],
                "controls out of view, maximized")

    desktop.open_menu_entry(main, 15, "r")
    desktop.answer_save_dialog(LONG_NAME)
    desktop.wait_for_file(desktop.folder / (LONG_NAME + ".pdf"))
    desktop.wait_for_focus(main)
    set_maximized(main, False)
    restored = desktop.wait_until(report_shown(lambda l: l["window"] != grown["window"]),
                                  "the window restored")
    check_equal(restored["window"], own_size, "the window's size after restoring")
