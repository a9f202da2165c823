"""A long File > Import table… shows its progress; Escape (the progress
dialog's Cancel) gives the grid back as it was: the table typed before is the
one Save-calculate then writes, and the window answers all along."""

from soravik_e2e import check, example_table

PROGRESS_CAPTION = "Importing"
DATA_SETS = 3_000_000


def run(desktop):
    table = desktop.folder / "long.csv"
    table.write_text("".join(f"{line % 90 + 1};0,5;0,9\n" for line in range(DATA_SETS)))
    app, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.type_table(main, example_table(desktop.example("pipe-drain-field.inp")))

    desktop.open_menu_entry(main, 15, "m")
    desktop.wait_for_window("Open")
    desktop.type(str(table))
    desktop.key("Return")
    progress = desktop.wait_for_window(PROGRESS_CAPTION)
    desktop.sync(main)
    desktop.key("Escape")
    desktop.wait_for_window_gone(progress, "the progress of the cancelled import")
    desktop.sync(main)
    check(app.running(), "the program ended after the cancelled import")

    desktop.activate(main)
    # The count field, then four Tabs to the drain depth.
    desktop.click_page(main, 56 + 40, 24 + 12)
    desktop.key("Tab", "Tab", "Tab", "Tab")
    desktop.type_site_constants()
    desktop.save_calculate(main, "typed.inp")
    desktop.check_saved_as_example("typed.inp")
