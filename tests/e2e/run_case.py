"""Runs one end-to-end case against the built program:

    xvfb-run -a python3 run_case.py --binary build/ui/soravik \\
        --source . --work build/tests/e2e tests/e2e/case_NAME.py

A case file defines `run(desktop)`, which starts the program with
desktop.start_app(), drives it and raises E2eFailure (check, check_equal)
when the user would see something wrong. Exit status 0 when it passed.
"""

import argparse
import importlib.util
import shutil
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from soravik_e2e import Desktop, make_work_dir  # noqa: E402


def load_case(path):
    spec = importlib.util.spec_from_file_location(path.stem, path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("case", type=Path)
    options = parser.parse_args()

    case = load_case(options.case)
    folder = make_work_dir(Path(options.work) / options.case.stem)
    started = time.monotonic()
    desktop = None
    try:
        desktop = Desktop(options.binary, options.source, folder)
        case.run(desktop)
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
        if desktop:
            desktop.close()
    shutil.rmtree(folder.parent, ignore_errors=True)
    print(f"passed {options.case.stem} in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
