"""What a run of the end-to-end harness leaves running is told and ended, and
only that. Plain commands stand in for xvfb-run here; every e2e.* case runs
the real one."""

import os
import subprocess
import sys
import unittest
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

import marked_run  # noqa: E402

GRACE = 1


class RunMarkedTest(unittest.TestCase):
    def test_what_a_command_leaves_running_is_told_and_ended(self):
        # The waits are generous where they cost nothing (a run that leaves
        # nothing ends as soon as it is through) and short where they do.
        cases = [
            # (what, shell command, time limit, grace, status, the leftovers' command lines)
            ("nothing left", "exit 3", 10, GRACE, 3, []),
            ("a child that ends within the grace", "(sleep 0.2) & exit 0", 10, 10, 0, []),
            ("a child in the process group", "sleep 600 & exit 0", 10, GRACE, 0, ["sleep 600"]),
            ("a daemon in a session of its own", "setsid sleep 601 & exit 0", 10, GRACE, 0,
             ["sleep 601"]),
            ("past the time limit", "sleep 602", 1, 10, None, []),
            ("past the time limit, deaf to TERM", "trap '' TERM; sleep 603", 2, GRACE, None,
             ["sh -c trap '' TERM; sleep 603", "sleep 603"]),
        ]
        for what, command, limit, grace, status, leftovers in cases:
            with self.subTest(what):
                got, left = marked_run.run_marked(["sh", "-c", command], limit, grace=grace)
                self.assertEqual(got, status)
                self.assertEqual(sorted(entry.split(" ", 1)[1] for entry in left), leftovers)
                pids = [int(entry.split()[0]) for entry in left]
                self.assertEqual([pid for pid in pids if marked_run._is_live(pid)], [])

    def test_processes_without_the_runs_token_are_left_alone(self):
        stranger = subprocess.Popen(["sleep", "604"], start_new_session=True)
        other_run = subprocess.Popen(["sleep", "605"], start_new_session=True,
                                     env={**os.environ, marked_run.MARKER: "another run"})
        try:
            status, left = marked_run.run_marked(["sh", "-c", "sleep 606 & exit 0"], 10,
                                                 grace=GRACE)
            self.assertEqual((status, len(left)), (0, 1))
            self.assertEqual((stranger.poll(), other_run.poll()), (None, None))
        finally:
            for process in (stranger, other_run):
                process.kill()
                process.wait()


if __name__ == "__main__":
    unittest.main()
