"""Runs a command so that every process it starts can be found afterwards,
even one that left its process group and session as a daemon does: all of
them carry an environment variable whose value is this run's own. What still
runs once the command has ended is reported and ended; processes of anyone
else, other test runs at the same time included, are never counted or
touched.
"""

import os
import signal
import subprocess
import time
import uuid
from pathlib import Path

MARKER = "SORAVIK_E2E_RUN"
# The time the processes that end with the command take to go: an X server
# removing its socket, a service leaving once its bus is gone.
GRACE_SECONDS = 10.0
# After SIGTERM, the time a leftover gets before SIGKILL.
TERM_SECONDS = 2.0
POLL_SECONDS = 0.05
# How long no marked process may be seen before the run counts as ended.
QUIET_SECONDS = 0.3


def _is_live(pid):
    try:
        state = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[0]
    except (OSError, IndexError):
        return False
    return state != "Z"


def _carries(pid, token):
    entry = f"{MARKER}={token}".encode()
    try:
        environment = Path(f"/proc/{pid}/environ").read_bytes()
    except OSError:
        # Gone, or another user's: not ours either way.
        return False
    return entry in environment.split(b"\0")


def marked_processes(token):
    """The live processes, zombies aside, that carry the token."""
    pids = (int(entry.name) for entry in Path("/proc").iterdir() if entry.name.isdigit())
    return [pid for pid in pids if pid != os.getpid() and _carries(pid, token) and _is_live(pid)]


def describe(pid):
    try:
        words = Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")
    except OSError:
        return f"{pid} (gone)"
    return f"{pid} {' '.join(word.decode(errors='replace') for word in words if word)}"


def _wait_for_none(token, seconds):
    """The marked processes still live after `seconds`, or none once none has
    been seen for QUIET_SECONDS: a process in the middle of an exec shows an
    empty environment for a moment, so one empty look proves nothing."""
    deadline = time.monotonic() + seconds
    left = marked_processes(token)
    last_seen = time.monotonic()
    while time.monotonic() < deadline:
        if left:
            last_seen = time.monotonic()
        elif time.monotonic() - last_seen >= QUIET_SECONDS:
            break
        time.sleep(POLL_SECONDS)
        left = marked_processes(token)
    return left


def _signal_marked(token, signal_number):
    for pid in marked_processes(token):
        try:
            os.kill(pid, signal_number)
        except ProcessLookupError:
            pass


def end_leftovers(token, grace=GRACE_SECONDS):
    """Gives the marked processes `grace` seconds to end by themselves, then
    ends the rest; tells (describe) those it had to end."""
    left = _wait_for_none(token, grace)
    if not left:
        return []
    described = [describe(pid) for pid in left]
    # Found again for each signal: a process that ended meanwhile may have
    # given its number to somebody else's.
    _signal_marked(token, signal.SIGTERM)
    if _wait_for_none(token, TERM_SECONDS):
        _signal_marked(token, signal.SIGKILL)
        _wait_for_none(token, TERM_SECONDS)
    return described


def run_marked(command, time_limit, env=None, grace=GRACE_SECONDS):
    """Runs `command` in a session of its own with this run's token: its exit
    status (None when it still ran after `time_limit` seconds and was ended)
    and the processes it left running, which are ended."""
    token = uuid.uuid4().hex
    environment = dict(os.environ if env is None else env)
    environment[MARKER] = token
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, env=environment,
                               start_new_session=True)
    try:
        status = process.wait(timeout=time_limit)
    except subprocess.TimeoutExpired:
        status = None
        # TERM rather than KILL: an X server, given the time, removes its lock
        # file and socket, which a killed one leaves behind.
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    left = end_leftovers(token, grace)
    process.wait()
    return status, left
