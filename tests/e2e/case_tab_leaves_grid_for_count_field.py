"""Tab in an open cell editor leaves the grid for the count field (the next
control in the keyboard order): "9" typed there and left gives the count
field's message, in a plain message box captioned with the application title."""

from soravik_e2e import APPLICATION_TITLE, check_equal


def run(desktop):
    _, main = desktop.start_main_window()
    desktop.show_input_page(main)
    desktop.click_cell(main, 0, 1)
    desktop.type("15")
    desktop.key("Tab")
    # The count field's text is selected when the Tab key enters it.
    desktop.type("9")
    desktop.key("Tab")
    box = desktop.wait_for_window(APPLICATION_TITLE)
    check_equal(desktop.window_name(box), APPLICATION_TITLE, "message box caption")
    desktop.key("Return")
    desktop.wait_for_window_gone(box, "the message box")
