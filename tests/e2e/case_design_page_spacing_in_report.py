"""The Design page after opening the pipe-drain field's output file: a design
discharge and an allowed height typed into its fields give the drain spacing,
which "Save report..." writes into the PDF with its range and the table for
other heights. A height of 1e-9 m, which no spacing meets, puts the page's
message into the report instead. A height typed as no number leaves the page
without a result, and the report without a design."""

import subprocess

from soravik_e2e import check

# Page pixels of the design discharge field and of the output text.
DISCHARGE_FIELD = (290 + 40, 12 + 12)
OUTPUT_TEXT = (100, 60)


def answer_file_dialog(desktop, caption, name):
    desktop.wait_for_window(caption)
    desktop.type(name)
    desktop.key("Return")


def saved_report_text(desktop, main, name):
    desktop.open_menu_entry(main, 15, "r")
    answer_file_dialog(desktop, "Save As", name)
    pdf = desktop.folder / f"{name}.pdf"
    desktop.wait_for_file(pdf)
    desktop.wait_for_focus(main)
    text = subprocess.run(["pdftotext", "-layout", str(pdf), "-"], capture_output=True,
                          text=True, timeout=30)
    check(text.returncode == 0, f"pdftotext failed: {text.stderr}")
    return text.stdout


def run(desktop):
    desktop.copy_example("pipe-drain-field.inp")
    output = desktop.copy_example("pipe-drain-field.out")
    app, main = desktop.start_main_window("pipe-drain-field.out")
    desktop.wait_until(lambda: output.read_text().startswith(f" File: {output}"),
                       "the output file to be calculated again")

    # From the Output page past the Report page to the Design page.
    desktop.click_page(main, *OUTPUT_TEXT)
    desktop.key("ctrl+Tab", "ctrl+Tab")
    desktop.sync(main)
    desktop.click_page(main, *DISCHARGE_FIELD)
    desktop.type("7")
    desktop.key("Tab")
    desktop.type("0,5")
    desktop.sync(main)

    report = saved_report_text(desktop, main, "designed")
    check("Design of the drain spacing" in report, f"no design in the report:\n{report}")
    spacing = [line for line in report.splitlines() if "Drain spacing L" in line]
    check(spacing and "26.77 m" in spacing[0], f"the spacing of the pipe-drain field: {spacing}")
    check("L for h = 1 m" in report, f"no table of heights in the report:\n{report}")

    desktop.key("BackSpace", "BackSpace", "BackSpace")
    desktop.type("1e-9")
    desktop.sync(main)
    report = " ".join(saved_report_text(desktop, main, "too-low").split())
    check("The design discharge is too high, or the allowed height too low, for this soil: even "
          "drains 0.2718 m apart" in report, f"no message of the design in the report: {report}")

    desktop.key("BackSpace", "BackSpace", "BackSpace", "BackSpace")
    desktop.type("x")
    desktop.sync(main)
    report = saved_report_text(desktop, main, "refused")
    check("Design of the drain spacing" not in report, "a design for a height that is no number")
    check(app.running(), "the program ended on the Design page")
