"""`soravik worked-example.out` in the folder of the worked example: the
window opens the output file, calculates it again from the input file beside
it and writes it anew, naming itself in full, with no message on the way."""

from soravik_e2e import APPLICATION_TITLE, check, check_equal, file_lines


def run(desktop):
    desktop.copy_example("worked-example.inp")
    output = desktop.copy_example("worked-example.out")
    shipped = file_lines(output)
    app, main = desktop.start_main_window("worked-example.out")
    rewritten = f" File: {output}"
    desktop.wait_until(lambda: file_lines(output)[:1] == [rewritten],
                       "the output file to be written again")
    check_equal(file_lines(output)[1:], shipped[1:], "the results of the worked example")
    check(desktop.find_window(APPLICATION_TITLE) is None, "a message was shown")
    check(app.running(), "the program ended after opening the file")
