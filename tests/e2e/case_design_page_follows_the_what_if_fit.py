"""The Design page as a screen reader reads it follows the fit of the Report
page: a design of 7 mm/day at h = 0.5 m for the pipe-drain field gives L and
its range as soravik-calc prints them; with data set 2 left out on the
Report page (its "In fit" cell clicked, then the space bar) those of
`soravik-calc --exclude 2`, and with it put back the full fit's again."""

import re
import shutil

from soravik_e2e import accessible_name, check, check_equal, find_accessible, table_cell

ACCESSIBILITY_BUS = True


def calculated(desktop, *exclude):
    status, printed = desktop.run_calc(*exclude, "--stats", "--design", "7,0.5", "calc/f.inp")
    check_equal(status, 0, "soravik-calc's exit status")
    return (re.search(r" L = (\S+ m) with", printed).group(1),
            re.search(r"Range of L from .*: (.+ m)$", printed, re.M).group(1))


def shown(page):
    """L, its range and where Ka and Kb come from, as the page's labels say."""
    labels = [find_accessible(page, "label", lambda name: name.startswith(start))
              for start in ("Drain spacing L = ", "Range from", "Ka and Kb")]
    if not all(labels):
        return None
    spacing, spread, source = map(accessible_name, labels)
    return re.search(r"L = (\S+ m),", spacing).group(1), spread.split(": ")[-1], source


def expect_design(desktop, application, expected, source):
    page = show_page(desktop, application, " Design ")
    desktop.wait_until(lambda: shown(page) == (*expected, source),
                       f"the Design page to show {expected} from {source!r}")


def show_page(desktop, application, caption):
    desktop.click_accessible(find_accessible(application, "page tab", caption))
    return desktop.wait_until(lambda: find_accessible(application, "filler", caption.strip()),
                              f"the {caption.strip()} page")


def toggle_data_set_2(desktop, application):
    report = show_page(desktop, application, " Report ")
    table = find_accessible(report, "table", "Data sets and residuals")
    # Right of the check box, which the space bar then ticks or unticks.
    desktop.click_accessible(table_cell(table, 1, "In fit"), 0.85)
    desktop.key("space")


def run(desktop):
    desktop.copy_example("pipe-drain-field.inp")
    output = desktop.copy_example("pipe-drain-field.out")
    (desktop.folder / "calc").mkdir()
    shutil.copyfile(desktop.example("pipe-drain-field.inp"), desktop.folder / "calc" / "f.inp")
    app, main = desktop.start_main_window("pipe-drain-field.out")
    desktop.wait_until(lambda: output.read_text().startswith(f" File: {output}"),
                       "the output file to be calculated again")
    application = desktop.accessible_application()
    page = show_page(desktop, application, " Design ")
    desktop.click_accessible(find_accessible(page, "text", "Design discharge q (mm/day)"))
    desktop.type("7\t0.5")
    full = calculated(desktop)
    expect_design(desktop, application, full, "Ka and Kb from the last calculation.")

    toggle_data_set_2(desktop, application)
    without = calculated(desktop, "--exclude", "2")
    check(without != full, f"leaving data set 2 out changes nothing: {without}")
    expect_design(desktop, application, without, "Ka and Kb of the what-if fit without data set 2.")

    toggle_data_set_2(desktop, application)
    expect_design(desktop, application, full, "Ka and Kb from the last calculation.")
    check(app.running(), "the program ended")
