"""`soravik f.out`, f.out a link to f.inp: the output would be written over
the input, so an error box tells it and f.inp keeps its bytes."""

import os

from soravik_e2e import APPLICATION_TITLE, check, check_equal


def run(desktop):
    data = desktop.copy_example("worked-example.inp", "f.inp")
    shipped = data.read_bytes()
    os.symlink("f.inp", desktop.folder / "f.out")
    app = desktop.start_app("f.out")
    message = desktop.wait_for_window(APPLICATION_TITLE)
    desktop.key("Return")
    desktop.wait_for_window_gone(message, "the error box")
    check(app.running(), "the program ended after the error box")
    check_equal(data.read_bytes(), shipped, "the input file")
