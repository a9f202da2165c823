"""Tab and Shift+Tab on the Intro, Figure, Input, Output and Design pages visit each
control once, with the page tabs between the last and the first, as a screen
reader reads the focus: the Design page in reading order (column by column
from the left, each from the top), the Input page in its own order. Tab
leaves the grid while a cell is typed in, and the Design page's table, in
which the arrow keys move."""

from soravik_e2e import check, check_equal, find_accessible, focused_accessible

ACCESSIBILITY_BUS = True

DESIGN_TABLE = ("table", "Drain spacing for each allowed height")
PAGES = {
    " Intro ": [("text", "Introduction")],
    " Figure ": [],
    # The Input page keeps its own keyboard order: the grid, the count, the
    # choice, the two buttons, then the site constants.
    "Input": [("table", "Data sets"), ("text", "Nr. of data sets"),
              ("radio button", "Over enntire soil depth"), ("push button", "Open input"),
              ("push button", "Save - calculate"), ("text", "Drain depth (m)"),
              ("text", "Depth to the impermable layer (m)"), ("text", "Drain spacing (m)"),
              ("text", "Drain radius (m)")],
    # Before a calculation the Output page shows only its button.
    " Output ": [("push button", "Open output")],
    " Design ": [("text", name) for name in (
        "Design discharge q (mm/day)", "Allowed height h of the water table (m)",
        "Drain depth (m)", "Layer below drain level D (m)", "Drain radius r (m)",
        "Ka, conductivity above drain level (m/day)",
        "Kb, conductivity below drain level (m/day)")] + [DESIGN_TABLE],
}


def run(desktop):
    _, main = desktop.start_main_window()
    application = desktop.accessible_application()

    def focus():
        focused = focused_accessible(application)
        return (focused.getRoleName(), focused.name) if focused else None

    def press(key, expected):
        desktop.key(key)
        desktop.sync(main)
        desktop.wait_until(lambda: focus() == expected, f"{key} to reach {expected}", timeout=5)

    for caption, controls in PAGES.items():
        desktop.click_accessible(find_accessible(application, "page tab", caption))
        tab_bar = ("page tab list", caption)
        # Wherever the focus was, Tab comes round to the page tabs.
        for _ in range(len(controls) + 1):
            if focus() != tab_bar:
                desktop.key("Tab")
                desktop.sync(main)
        check_equal(focus(), tab_bar, f"the focus after Tabs on the {caption} page")
        for control in controls + [tab_bar]:
            press("Tab", control)
        for control in controls[::-1] + [tab_bar]:
            press("shift+Tab", control)

    # A design typed with Ka and Kb fills the table.
    desktop.type("\t7\t0.5\t\t\t\t1\t1\t")
    press("Down", DESIGN_TABLE)
    check(find_accessible(application, "table cell", "0.2"), "no spacings in the table")
    press("Tab", ("page tab list", " Design "))

    desktop.key("ctrl+shift+Tab", "ctrl+shift+Tab", "ctrl+shift+Tab")
    desktop.click_cell(main, 0, 1)
    desktop.type("15")
    press("Tab", PAGES["Input"][1])
