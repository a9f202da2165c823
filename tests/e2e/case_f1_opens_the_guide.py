"""F1 opens the user guide at the chapter of the page shown: on the Input page
while a grid cell is being typed in, then on the Report page, where the same
help window comes forward with the Report chapter. Its caption names the
chapter's heading. Escape closes it; Help > About Soravik opens the About box
beside the main window, and Escape closes that too."""

from soravik_e2e import check, check_equal

HELP = " - Soravik Help"


def press_f1_for(desktop, heading):
    desktop.key("F1")
    return desktop.wait_for_window(heading + HELP)


def run(desktop):
    app, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.click_cell(main, 0, 1)
    desktop.type("7")
    help_window = press_f1_for(desktop, "The Input page")
    check_equal(desktop.window_name(help_window), "The Input page" + HELP, "help caption")

    # From the Input page over Output to Report; the help window stays open.
    desktop.activate(main)
    desktop.key("ctrl+Tab", "ctrl+Tab")
    desktop.sync(main)
    report_help = press_f1_for(desktop, "The Report page")
    check_equal(report_help, help_window, "the help window asked for again")
    desktop.key("Escape")
    desktop.wait_for_window_gone(help_window, "the help window")

    desktop.activate(main)
    desktop.key("alt+h", "a")
    about = desktop.wait_for_window("About Soravik")
    check(desktop.is_mapped(main), "the main window went away with the About box")
    desktop.key("Escape")
    desktop.wait_for_window_gone(about, "the About box")
    check(app.running(), "the program ended with the help windows")
