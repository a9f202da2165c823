"""Runs one end-to-end case against the built program on an X display of its
own:

    python3 run_case.py --binary build/ui/soravik --calc build/tools/soravik-calc \\
        --source . --work build/tests/e2e tests/e2e/case_NAME.py

It starts itself again under `xvfb-run -a`, which picks a free display,
and `dbus-run-session`, which gives the case a session bus of its own and
ends it with the case. Two xvfb-run started at the same moment can both take
one display; the one that finds the display is not its own gives up and is
started again, with its search for a free display starting at another,
random number.

A case file defines `run(desktop)`, which starts the program with
desktop.start_app(), drives it and raises E2eFailure (check, check_equal)
when the user would see something wrong. Exit status 0 when it passed.

A case that sets `ACCESSIBILITY_BUS = True` also gets the accessibility
bus (at-spi-bus-launcher, started on the case's session bus) before run()
is called, and the program puts its windows on it, so that the case can
read the controls through AT-SPI.

Every process the case starts carries the environment variable
SORAVIK_E2E_RUN (see marked_run.py). One that still runs when the case has
ended fails the case, however well it went otherwise, and is ended.
"""

import argparse
import importlib.util
import os
import random
import shutil
import signal
import subprocess
import sys
import time
import traceback
from pathlib import Path

# Compiled modules belong to no source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

from marked_run import run_marked  # noqa: E402
from soravik_e2e import Desktop, DisplayUnusable, E2eFailure, check, make_work_dir  # noqa: E402

DISPLAY_NOT_OURS = 75
DISPLAY_TRIES = 3
# Without -noreset the server resets when its last client leaves, as the
# check that the display is ours does, and refuses the window manager that
# connects a moment later.
SERVER_OPTIONS = "-screen 0 1280x1024x24 -noreset"
# A case ends well before this; past it, it is ended as failed.
CASE_SECONDS = 90


def load_case(path):
    location = importlib.util.spec_from_file_location(path.stem, path)
    module = importlib.util.module_from_spec(location)
    location.loader.exec_module(module)
    return module


def display_is_ours():
    result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=30)
    # A display of our own answers and has no window manager yet.
    return result.returncode == 0 and b"window id" not in result.stdout


def on_time_out(signum, frame):
    raise E2eFailure(f"the case took more than {CASE_SECONDS} s")


def start_accessibility_bus():
    """D-Bus starts at-spi-bus-launcher on the case's session bus and answers
    once the accessibility bus runs; Qt then puts the program's windows on it
    without waiting for a screen reader to ask."""
    result = subprocess.run(["dbus-send", "--session", "--print-reply=literal",
                             "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                            stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
    check(result.returncode == 0 and result.stdout.strip(),
          f"the accessibility bus did not start: {result.stderr.strip()}")
    os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"


def run_inside(options):
    if not display_is_ours():
        print(f"display {os.environ.get('DISPLAY')} is not this case's own; trying another")
        return DISPLAY_NOT_OURS
    case = load_case(options.case)
    folder = make_work_dir(Path(options.work) / options.case.stem)
    started = time.monotonic()
    signal.signal(signal.SIGALRM, on_time_out)
    signal.alarm(CASE_SECONDS)
    desktop = None
    try:
        if getattr(case, "ACCESSIBILITY_BUS", False):
            start_accessibility_bus()
        desktop = Desktop(options.binary, options.source, folder, options.calc)
        case.run(desktop)
    except DisplayUnusable as error:
        print(f"display {os.environ.get('DISPLAY')} went away ({error}); trying another")
        return DISPLAY_NOT_OURS
    except Exception:
        traceback.print_exc(file=sys.stdout)
        if desktop:
            shot = folder.parent / "failure.png"
            desktop.screenshot(shot)
            for app in desktop.apps:
                print(f"--- program output ---\n{app.log()}")
            print(f"screen at the failure: {shot}")
        print(f"FAILED {options.case.stem} in {time.monotonic() - started:.1f} s")
        return 1
    finally:
        signal.alarm(0)
        if desktop:
            desktop.close()
    shutil.rmtree(folder.parent, ignore_errors=True)
    print(f"passed {options.case.stem} in {time.monotonic() - started:.1f} s")
    return 0


def case_environment():
    """The harness's own environment less an accessibility bus of the
    developer's desktop: the case's buses are its own."""
    return {name: value for name, value in os.environ.items() if name != "AT_SPI_BUS_ADDRESS"}


def run_under_xvfb(options):
    calc = ["--calc", options.calc] if options.calc else []
    inside = [sys.executable, __file__, "--inside", "--binary", options.binary, *calc,
              "--source", options.source, "--work", options.work, str(options.case)]
    # Inside xvfb-run, so that services the bus starts see the case's display.
    with_bus = [options.dbus_run_session, "--", *inside]
    search_from = []
    for _ in range(DISPLAY_TRIES):
        command = [options.xvfb_run, "-a", *search_from, "-s", SERVER_OPTIONS, *with_bus]
        status, left = run_marked(command, CASE_SECONDS + 30, env=case_environment())
        if status is None:
            print(f"FAILED {options.case.stem}: still running after {CASE_SECONDS + 30} s")
        if left:
            print(f"FAILED {options.case.stem}: processes it started still ran after it "
                  "ended; they are ended now:\n  " + "\n  ".join(left))
        if status is None or left:
            return 1
        if status != DISPLAY_NOT_OURS:
            return status
        # Whoever took the display may well take the next free one too.
        search_from = ["-n", str(random.randint(100, 999))]
    print(f"FAILED {options.case.stem}: no display of its own in {DISPLAY_TRIES} tries")
    return 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--calc", help="soravik-calc, for cases that compare the window with it")
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--xvfb-run", default="xvfb-run")
    parser.add_argument("--dbus-run-session", default="dbus-run-session")
    parser.add_argument("--inside", action="store_true", help="already under xvfb-run")
    parser.add_argument("case", type=Path)
    options = parser.parse_args()
    return run_inside(options) if options.inside else run_under_xvfb(options)


if __name__ == "__main__":
    sys.exit(main())
