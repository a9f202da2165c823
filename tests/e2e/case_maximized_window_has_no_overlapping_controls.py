"""At its own size and maximized, no control of any page covers another, the
Output page showing the results text and the graph of a calculated field.
The window tells where its controls stand through the file named by
SORAVIK_LAYOUT_DUMP."""

from itertools import combinations

from soravik_e2e import check, check_equal


def read_layout(path):
    """(window size, {page: {control: (left, top, right, bottom)}})."""
    size, pages = None, {}
    for line in path.read_text().splitlines():
        words = line.split()
        if words[0] == "window":
            size = (int(words[1]), int(words[2]))
        elif words[0] == "page":
            page = pages.setdefault(words[1], {})
        elif words[0] in ("focus", "table", "column"):
            continue
        else:
            left, top, width, height = map(int, words[1:])
            page[words[0]] = (left, top, left + width, top + height)
    return size, pages


def overlaps(pages):
    return [f"{page}: {a} and {b}" for page, controls in pages.items()
            for (a, r), (b, s) in combinations(controls.items(), 2)
            if r[0] < s[2] and s[0] < r[2] and r[1] < s[3] and s[1] < r[3]]


def run(desktop):
    desktop.copy_example("pipe-drain-field.inp")
    desktop.copy_example("pipe-drain-field.out")
    dump = desktop.folder.parent / "layout"
    _, main = desktop.start_main_window("pipe-drain-field.out",
                                        env={"SORAVIK_LAYOUT_DUMP": str(dump)})

    def shown():
        if not dump.is_file():
            return None
        layout = read_layout(dump)
        return layout if {"Output_Memo", "GraphImage"} <= set(layout[1]["Output_TabSheet"]) else None

    desktop.wait_until(shown, "the Output page with the results and the graph")
    # The Report and Design pages make their controls when first shown.
    desktop.activate(main)
    desktop.key("ctrl+Tab", "ctrl+Tab")

    def all_pages_built():
        layout = shown()
        built = layout and {"SaveReport_Button", "Discharge_Edit"} <= (
            set(layout[1]["Report_TabSheet"]) | set(layout[1]["Design_TabSheet"]))
        return layout if built else None

    size, pages = desktop.wait_until(all_pages_built, "the Report and Design pages shown")
    check_equal(pages["Output_TabSheet"]["Output_Memo"], (22, 16, 631, 129), "results text")
    check_equal(overlaps(pages), [], "overlapping controls at the window's own size")

    desktop.maximize(main)
    grown = desktop.wait_until(lambda: (layout := all_pages_built()) and layout[0] != size and layout,
                               "the controls laid out for the maximized window")
    check(grown[0][0] > size[0] and grown[0][1] > size[1], f"maximized to {grown[0]}")
    check_equal(overlaps(grown[1]), [], "overlapping controls in the maximized window")
