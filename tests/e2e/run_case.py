"""Runs one end-to-end case against the built program on an X display of its
own:

    python3 run_case.py --binary build/ui/soravik --source . \\
        --work build/tests/e2e tests/e2e/case_NAME.py

It starts itself again under `xvfb-run -a`, which picks a free display.
Two xvfb-run started at the same moment can both take one display; the one
that finds the display is not its own gives up and is started again, with
its search for a free display starting at another, random number.

A case file defines `run(desktop)`, which starts the program with
desktop.start_app(), drives it and raises E2eFailure (check, check_equal)
when the user would see something wrong. Exit status 0 when it passed.
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

from soravik_e2e import Desktop, DisplayUnusable, E2eFailure, make_work_dir  # noqa: E402

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
        desktop = Desktop(options.binary, options.source, folder)
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


def live_members(group):
    """The processes of a process group that still run (zombies do not)."""
    members = []
    for stat in Path("/proc").glob("[0-9]*/stat"):
        try:
            fields = stat.read_text().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if fields[0] != "Z" and int(fields[2]) == group:
            members.append(int(stat.parent.name))
    return members


def end_process_group(process):
    """Ends what the run left. xvfb-run stops its X server as it exits; the
    server, given the time, removes its lock file and socket, which a killed
    one leaves behind."""
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
    deadline = time.monotonic() + 10
    while live_members(process.pid) and time.monotonic() < deadline:
        process.poll()
        time.sleep(0.05)
    for member in live_members(process.pid):
        os.kill(member, signal.SIGKILL)
    process.wait()


def run_under_xvfb(options):
    inside = [sys.executable, __file__, "--inside", "--binary", options.binary,
              "--source", options.source, "--work", options.work, str(options.case)]
    search_from = []
    for _ in range(DISPLAY_TRIES):
        command = [options.xvfb_run, "-a", *search_from, "-s", SERVER_OPTIONS, *inside]
        # Its own process group, so that nothing it started outlives it.
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            status = process.wait(timeout=CASE_SECONDS + 30)
        except subprocess.TimeoutExpired:
            status = None
        finally:
            end_process_group(process)
        if status is None:
            print(f"FAILED {options.case.stem}: still running after {CASE_SECONDS + 30} s")
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
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--xvfb-run", default="xvfb-run")
    parser.add_argument("--inside", action="store_true", help="already under xvfb-run")
    parser.add_argument("case", type=Path)
    options = parser.parse_args()
    return run_inside(options) if options.inside else run_under_xvfb(options)


if __name__ == "__main__":
    sys.exit(main())
