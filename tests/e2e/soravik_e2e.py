"""Drives the built calculator as a user would: its own process on an X
display (xvfb-run gives each case one), a real window manager (openbox) for
close boxes and Alt+F4, real key and mouse events (xdotool), captions as the
window system sees them (xprop), and in cases that ask for it the controls as
a screen reader reads them (AT-SPI).

Every wait polls a condition with a deadline; nothing sleeps a fixed time.
Every process started here runs in its own process group and is killed with
it when the case ends, passes or fails.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

import importlib

import x11_ping
from Xlib import X
from Xlib import display as xdisplay
from Xlib.protocol import event as xprotocol_event

# Generous for a loaded two-core machine and a sanitizer build; a case that
# works finishes each wait in a fraction of this.
WAIT_SECONDS = float(os.environ.get("SORAVIK_E2E_WAIT", "20"))
POLL_SECONDS = 0.05
# The program ends within a second of being asked; the rest is for a loaded
# machine and the sanitizer build's leak check at the end.
EXIT_SECONDS = 5
KEY_DELAY_MS = 12
# Key names of the characters of numbers, for typing them with `key`.
KEY_NAMES = {".": "period", ",": "comma", "-": "minus", "+": "plus"}

MAIN_CAPTION = "Hydraulic conductivity calculator "
# After a save or an open the caption names the input file before this, with
# a star after the name while changes are unsaved.
MAIN_CAPTION_AFTER_FILE = " - Hydraulic conductivity calculator"
EXIT_CAPTION = "Tylwen exit"
APPLICATION_TITLE = "Subsurface drainage by pipes or open ditches"

# The middle of the exit dialog's Finish button and of controls of the Input
# page, in pixels from the top left corner of the client area or the page.
FINISH_BUTTON = (176 + 28, 168 + 12)
SAVE_CALCULATE_BUTTON = (424 + 64, 464 + 12)
OPEN_INPUT_BUTTON = (576 + 45, 464 + 12)
DRAIN_DEPTH_FIELD = (376 + 44, 56 + 12)
# The site constants of examples/pipe-drain-field.inp, in field order.
PIPE_DRAIN_FIELD_CONSTANTS = ("1.1", "5", "20", "0.05")
GRID = (56, 128)
GRID_CELL = (64, 24)
# Rows of the grid in view before it scrolls; the last of them only partly.
GRID_ROWS_IN_VIEW = 15
# The main window's client area is its menu bar above 558 pixels; a page of
# the page control starts below the tab bar, inside the control's frame.
MAIN_CLIENT_HEIGHT = 558
PAGE_OFFSET = (2, 27)


class E2eFailure(AssertionError):
    pass


class DisplayUnusable(Exception):
    """The X display went away before the case began: not the case's fault."""


def check(condition, message):
    if not condition:
        raise E2eFailure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise E2eFailure(f"{what}: expected {expected!r}, got {actual!r}")


def posix_regex_escape(text):
    return re.sub(r"([.\[\](){}*+?|^$\\])", r"\\\1", text)


def parse_xprop_string(output):
    """The string of `xprop -notype -id W PROPERTY`, or None when unset."""
    match = re.search(r'= "(.*)"\s*$', output, re.S)
    if not match:
        return None
    return re.sub(r'\\(.)', r"\1", match.group(1))


class App:
    """The calculator's process."""

    def __init__(self, process, log_path):
        self.process = process
        self.log_path = log_path
        # The case waited for the program's end: a later wait may outlive it.
        self.ended_as_asked = False

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=EXIT_SECONDS):
        """The exit status; fails when the program still runs after `timeout`."""
        started = time.monotonic()
        try:
            status = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2eFailure(f"the program still runs {timeout:.0f} s after it was asked to end")
        print(f"the program ended {time.monotonic() - started:.2f} s after it was asked to")
        self.ended_as_asked = True
        return status

    def log(self):
        try:
            return self.log_path.read_text(errors="replace")
        except OSError:
            return ""


class Desktop:
    """One X display with a window manager, a scratch folder and the program."""

    def __init__(self, binary, source_dir, work_dir, calc=None):
        check("DISPLAY" in os.environ, "no X display: run the case under xvfb-run -a")
        self.binary = Path(binary).resolve()
        self.calc = Path(calc).resolve() if calc else None
        self.source_dir = Path(source_dir).resolve()
        self.folder = Path(work_dir).resolve()
        self.home = self.folder.parent / "home"
        self.home.mkdir(mode=0o700, parents=True, exist_ok=True)
        self.processes = []
        self.apps = []
        self._start_window_manager()

    # ----- processes -------------------------------------------------------

    def _spawn(self, command, log_name, env=None, cwd=None):
        log_path = self.folder.parent / log_name
        log = open(log_path, "wb")
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT, env=env, cwd=cwd,
                                   start_new_session=True)
        log.close()
        self.processes.append(process)
        return process, log_path

    def _start_window_manager(self):
        # Its stock configuration (HOME is the case's own): title bars
        # with close boxes, Alt+F4, the focus to every new window.
        manager, log_path = self._spawn(["openbox", "--sm-disable"], "openbox.log",
                                        env=self._environment())

        def started():
            if manager.poll() is not None:
                raise DisplayUnusable(log_path.read_text(errors="replace").strip())
            return "window id" in self._xprop_root("_NET_SUPPORTING_WM_CHECK")

        self.wait_until(started, "the window manager to start")
        self._wait_until_windows_are_managed()

    def _wait_until_windows_are_managed(self):
        """openbox announces itself before its start-up is through, and a
        window mapped in that moment is never framed nor shown: the program
        would wait for good with its window unmapped. A probe window, mapped
        again until openbox frames it, shows that it takes new windows."""
        connection = xdisplay.Display()
        root = connection.screen().root
        probe = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        try:
            def framed():
                probe.map()
                connection.sync()
                until = time.monotonic() + 1
                while time.monotonic() < until:
                    if probe.query_tree().parent != root:
                        return True
                    time.sleep(POLL_SECONDS)
                return False

            self.wait_until(framed, "the window manager to frame a new window")
        finally:
            probe.destroy()
            connection.close()

    def _environment(self):
        # The session bus stays: run_case.py gives each case one of its own.
        env = dict(os.environ)
        for name in ("QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "XDG_CURRENT_DESKTOP",
                     "DESKTOP_SESSION", "SESSION_MANAGER"):
            env.pop(name, None)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "HOME": str(self.home),
            "XDG_CONFIG_HOME": str(self.home / ".config"),
            "XDG_RUNTIME_DIR": str(self.home),
            "LC_ALL": "C.UTF-8",
        })
        if "ASAN_OPTIONS" in env:
            # The sanitizer build: libxkbcommon-x11 copies the keymap's names
            # with strndup(name, length) out of the X server's reply; strict
            # string checks count all `length` bytes as read, past the reply.
            env["ASAN_OPTIONS"] += ":strict_string_checks=0"
        return env

    def start_app(self, *arguments, cwd=None, env=None):
        """Starts the calculator in the scratch folder (or `cwd`), with `env`
        added to its environment."""
        process, log_path = self._spawn([str(self.binary), *map(str, arguments)], "soravik.log",
                                        env={**self._environment(), **(env or {})},
                                        cwd=str(cwd or self.folder))
        app = App(process, log_path)
        self.apps.append(app)
        return app

    def run_calc(self, *arguments):
        """soravik-calc in the scratch folder: its exit status and what it printed."""
        check(self.calc is not None, "the case needs soravik-calc: run it with --calc")
        result = subprocess.run([str(self.calc), *map(str, arguments)], stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, cwd=str(self.folder),
                                env=self._environment(), timeout=WAIT_SECONDS)
        return result.returncode, result.stdout

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                process.wait()

    # ----- waiting ---------------------------------------------------------

    def wait_until(self, condition, what, timeout=WAIT_SECONDS):
        """Polls `condition` until it gives a true value, which is returned."""
        deadline = time.monotonic() + timeout
        while True:
            value = condition()
            if value:
                return value
            if time.monotonic() > deadline:
                raise E2eFailure(f"timed out after {timeout:.0f} s waiting for {what}")
            for app in self.apps:
                if not app.running() and not app.ended_as_asked:
                    raise E2eFailure(f"the program ended (status {app.process.returncode}) "
                                     f"while waiting for {what}")
            time.sleep(POLL_SECONDS)

    def wait_for_file(self, path, timeout=WAIT_SECONDS):
        path = Path(path)
        return self.wait_until(lambda: path.is_file(), f"the file {path}", timeout)

    # ----- windows ---------------------------------------------------------

    def _run(self, *command):
        result = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                env=self._environment(), timeout=WAIT_SECONDS)
        return result

    def _xdotool(self, *arguments):
        result = self._run("xdotool", *map(str, arguments))
        check(result.returncode == 0 or arguments[0] == "search",
              f"xdotool {' '.join(map(str, arguments))} failed: {result.stderr.strip()}")
        return result.stdout

    def _xprop_root(self, prop):
        return self._run("xprop", "-root", prop).stdout

    def visible_windows(self, name):
        """The mapped windows whose name is exactly `name`."""
        regex = "^" + posix_regex_escape(name) + "$"
        found = self._xdotool("search", "--onlyvisible", "--name", regex).split()
        return [int(window) for window in found if self.window_name(int(window)) == name]

    def find_window(self, name):
        windows = self.visible_windows(name)
        return windows[0] if windows else None

    def wait_for_window(self, name, timeout=WAIT_SECONDS):
        """Waits until a window captioned exactly `name` is shown and has the focus."""
        window = self.wait_until(lambda: self.find_window(name), f"a window named {name!r}",
                                 timeout)
        self.wait_until(lambda: self.active_window() == window,
                        f"the window {name!r} to get the focus", timeout)
        return window

    def wait_for_window_gone(self, window, what, timeout=WAIT_SECONDS):
        """Waits until the window is closed and its program has gone on."""
        self.wait_until(lambda: not self.is_mapped(window), f"{what} to close", timeout)
        main = self.find_main_window()
        if main:
            self.sync(main)

    def find_main_window(self):
        """The main window, whatever file its caption names."""
        regex = "Hydraulic conductivity calculator ?$"
        found = self._xdotool("search", "--onlyvisible", "--name", regex).split()
        for window in map(int, found):
            name = self.window_name(window) or ""
            if name == MAIN_CAPTION or name.endswith(MAIN_CAPTION_AFTER_FILE):
                return window
        return None

    def wait_for_focus(self, window, timeout=WAIT_SECONDS):
        """Waits until the window has the focus, whatever its caption says."""
        self.wait_until(lambda: self.active_window() == window,
                        "the window to get the focus back", timeout)

    def window_name(self, window):
        """The caption as the window system sees it: _NET_WM_NAME."""
        result = self._run("xprop", "-notype", "-id", str(window), "_NET_WM_NAME")
        return parse_xprop_string(result.stdout) if result.returncode == 0 else None

    def is_mapped(self, window):
        result = self._run("xwininfo", "-id", str(window))
        return result.returncode == 0 and "IsViewable" in result.stdout

    def window_states(self, window):
        return self._run("xprop", "-id", str(window), "_NET_WM_STATE").stdout

    def active_window(self):
        match = re.search(r"window id # (0x[0-9a-f]+)",
                          self._xprop_root("_NET_ACTIVE_WINDOW"))
        return int(match.group(1), 16) if match else None

    def client_area(self, window):
        """Left, top, width and height of the window's client area on the screen."""
        info = self._run("xwininfo", "-id", str(window)).stdout
        values = [int(re.search(label + r":\s+(-?\d+)", info).group(1))
                  for label in ("Absolute upper-left X", "Absolute upper-left Y", "Width",
                                "Height")]
        return tuple(values)

    def frame_extents(self, window):
        """Left, right, top and bottom of the window manager's frame."""
        output = self._run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS").stdout
        return tuple(int(value) for value in re.findall(r"\d+", output.split("=")[-1]))

    def main_page_origin(self, window):
        """The top left corner of the main window's pages, in client pixels."""
        _, _, _, height = self.client_area(window)
        menu_bar = height - MAIN_CLIENT_HEIGHT
        return PAGE_OFFSET[0], menu_bar + PAGE_OFFSET[1]

    # ----- input -----------------------------------------------------------

    def activate(self, window):
        self._xdotool("windowactivate", "--sync", window)
        self.wait_until(lambda: self.active_window() == window, "the window to get the focus")
        # The X server knows first; a key sent before the program has taken
        # the focus in reaches no control.
        self.sync(window)

    def click(self, window, x, y):
        """A left click at (x, y) of the window's client area."""
        left, top, _, _ = self.client_area(window)
        self._xdotool("mousemove", left + x, top + y, "click", "1")

    def click_page(self, window, x, y):
        """A left click at (x, y) of the main window's current page."""
        page_x, page_y = self.main_page_origin(window)
        self.click(window, page_x + x, page_y + y)

    def key(self, *keys):
        """Key strokes to the focused window, such as "Return" or "alt+F4"."""
        self._xdotool("key", "--delay", KEY_DELAY_MS, *keys)

    def type(self, text):
        self._xdotool("type", "--delay", KEY_DELAY_MS, text)

    def close_box(self, window):
        """Clicks the close box at the right end of the window's title bar."""
        left, top, width, _ = self.client_area(window)
        _, right, title, _ = self.frame_extents(window)
        self._xdotool("mousemove", left + width + right - 11, top - title // 2,
                      "click", "1")

    def minimize(self, window):
        """Minimizes the window and waits until its program knows."""
        self._xdotool("windowminimize", "--sync", window)
        self.wait_until(lambda: "_NET_WM_STATE_HIDDEN" in self.window_states(window),
                        "the window to be minimized")
        self.sync(window)

    def sync(self, window):
        """Waits until the window's program has handled every event sent to it
        so far; it reads some changes (a window minimized, say) only then."""
        check(x11_ping.ping(window, WAIT_SECONDS), "the program does not answer a ping")

    def maximize(self, window):
        """Asks the window manager to maximize the window, as its title bar's
        button does."""
        connection = xdisplay.Display()
        try:
            root = connection.screen().root
            atom = connection.intern_atom
            event = xprotocol_event.ClientMessage(
                window=connection.create_resource_object("window", window),
                client_type=atom("_NET_WM_STATE"),
                data=(32, [1, atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                           atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 1, 0]))
            root.send_event(event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
            connection.sync()
        finally:
            connection.close()
        self.wait_until(lambda: "_NET_WM_STATE_MAXIMIZED_HORZ" in self.window_states(window),
                        "the window to be maximized")

    def activate_minimized(self, window):
        """Brings a minimized window back, as its task bar entry does."""
        self._xdotool("windowactivate", window)

    def open_menu_entry(self, window, menu_x, mnemonic):
        """Opens the menu at `menu_x` pixels along the menu bar and presses an
        entry's underlined letter."""
        self.activate(window)
        self.click(window, menu_x, 8)
        self.key(mnemonic)

    # ----- the program's windows -------------------------------------------

    def start_main_window(self, *arguments, env=None):
        """Starts the program and waits for its main window: (app, window).
        A file named on the command line may already be named in its caption."""
        app = self.start_app(*arguments, env=env)
        if not arguments:
            return app, self.wait_for_window(MAIN_CAPTION)
        main = self.wait_until(self.find_main_window, "the main window")
        self.wait_for_focus(main)
        return app, main

    def open_exit_dialog(self, main, how="menu"):
        """Asks the main window to close (File > ProgramExit, its close box or
        Alt+F4) and waits for the exit dialog; the main window stays."""
        self.activate(main)
        if how == "menu":
            self.open_menu_entry(main, 15, "x")
        elif how == "close box":
            self.close_box(main)
        else:
            self.key("alt+F4")
        exit_dialog = self.wait_for_window(EXIT_CAPTION)
        check(self.is_mapped(main), f"the main window closed ({how}) with the exit dialog open")
        return exit_dialog

    def open_input_file(self, main, name, timeout=WAIT_SECONDS):
        """Ctrl+I, the file's name typed into the Open dialog and Return; waits
        until the main window has the focus back."""
        self.key("ctrl+i")
        self.wait_for_window("Open")
        self.type(name)
        self.key("Return")
        self.wait_for_focus(main, timeout=timeout)

    def show_input_page(self, main):
        """Ctrl+Tab twice: from the Intro page over Figure to Input."""
        self.activate(main)
        self.key("ctrl+Tab", "ctrl+Tab")

    def cell_point(self, main, row, column):
        """The middle of a cell of the Input page's grid on the screen (the
        grid scrolled to its top; of the last row in view, its upper part)."""
        left, top, _, _ = self.client_area(main)
        page_x, page_y = self.main_page_origin(main)
        check(row < GRID_ROWS_IN_VIEW, f"row {row} of the grid is out of view")
        y = row * GRID_CELL[1] + (GRID_CELL[1] // 2 if row < GRID_ROWS_IN_VIEW - 1 else 6)
        return (left + page_x + GRID[0] + column * GRID_CELL[0] + GRID_CELL[0] // 2,
                top + page_y + GRID[1] + y)

    def click_cell(self, main, row, column):
        self._xdotool("mousemove", *self.cell_point(main, row, column), "click", "1")

    def type_table(self, main, rows, last_key=None):
        """Types rows of (discharge, midway, near) texts into the grid from its
        first row on, as a user who clicks each cell and types its value; the
        last value is followed by `last_key`. One xdotool run does it all.

        Clicks rather than Return and an arrow: Qt closes the cell editor on
        Return only when its event loop comes round again, and an arrow typed
        faster than that moves the editor's cursor instead of the cell."""
        strokes = []
        for number, row in enumerate(rows):
            for column, text in enumerate(row, start=1):
                strokes += ["mousemove", *self.cell_point(main, number, column), "click", "1",
                            "key", "--delay", KEY_DELAY_MS]
                strokes += [KEY_NAMES.get(character, character) for character in text]
        if last_key:
            strokes.append(last_key)
        self._xdotool(*strokes)

    def type_table_by_keys(self, main, rows, last_key="Tab"):
        """Types rows of (discharge, midway, near) texts from the grid's first
        value cell on without the mouse: Return after each value moves on to
        the next cell in reading order; the last value is followed by
        `last_key` instead."""
        strokes = ["mousemove", *self.cell_point(main, 0, 1), "click", "1",
                   "key", "--delay", KEY_DELAY_MS]
        for row in rows:
            for text in row:
                strokes += [KEY_NAMES.get(character, character) for character in text]
                strokes.append("Return")
        strokes[-1] = last_key
        self._xdotool(*strokes)

    def answer_save_dialog(self, name):
        """Types `name` into the save dialog and saves."""
        self.wait_for_window("Save As")
        self.type(name)
        self.key("Return")

    def save_calculate(self, main, name):
        """Save - calculate on the Input page under `name`, up to the message
        where the files went, which is acknowledged."""
        self.click_page(main, *SAVE_CALCULATE_BUTTON)
        self.answer_save_dialog(name)
        saved = self.wait_for_window(APPLICATION_TITLE)
        self.key("Return")
        self.wait_for_window_gone(saved, "the message where the files were saved")

    def type_site_constants(self, constants=PIPE_DRAIN_FIELD_CONSTANTS):
        """Types the four site constants into the focused drain depth field
        and the three after it, leaving each with Tab."""
        for constant in constants:
            self.type(constant)
            self.key("Tab")

    # ----- the accessibility bus -------------------------------------------

    def accessible_application(self, name="soravik"):
        """The program's root object on the accessibility bus (a case that
        sets ACCESSIBILITY_BUS = True), once the program has put it there."""
        atspi = pyatspi()

        def found():
            desktop = atspi.Registry.getDesktop(0)
            desktop.clear_cache()
            for index in range(desktop.childCount):
                child = desktop.getChildAtIndex(index)
                if child is not None and child.name == name:
                    return child
            return None

        return self.wait_until(found, f"{name} on the accessibility bus")

    def click_accessible(self, accessible, x_fraction=0.5):
        """A left click on a control found on the accessibility bus, at
        `x_fraction` of its width and half its height."""
        atspi = pyatspi()
        x, y, width, height = accessible.queryComponent().getExtents(atspi.DESKTOP_COORDS)
        check(width > 0 and height > 0, f"{describe_accessible(accessible)} is not on the screen")
        self._xdotool("mousemove", int(x + width * x_fraction), y + height // 2, "click", "1")

    # ----- clipboard -------------------------------------------------------

    def own_clipboard(self, data):
        """Puts `data` (bytes) on the CLIPBOARD selection as a program that
        copied it does: xclip owns the selection and answers every request
        until the case ends, when it is killed with the other processes."""
        path = self.folder.parent / "clipboard"
        path.write_bytes(data)
        self._spawn(["xclip", "-selection", "clipboard", "-quiet", "-i", str(path)],
                    "xclip.log", env=self._environment())
        self.wait_until(lambda: self._clipboard() == data, "the clipboard to hold the block")

    def clipboard(self):
        """The CLIPBOARD selection's text as another program pastes it."""
        return self._clipboard()

    def _clipboard(self):
        result = subprocess.run(["xclip", "-selection", "clipboard", "-o"],
                                stdin=subprocess.DEVNULL, capture_output=True,
                                env=self._environment(), timeout=WAIT_SECONDS)
        return result.stdout if result.returncode == 0 else None

    # ----- files -----------------------------------------------------------

    def example(self, name):
        return self.source_dir / "examples" / name

    def copy_example(self, name, target_name=None):
        target = self.folder / (target_name or name)
        shutil.copyfile(self.example(name), target)
        return target

    def check_saved_as_example(self, input_name, example="pipe-drain-field"):
        """The saved input file and its output file hold the example's lines
        after the first, which names the file itself."""
        saved = self.folder / input_name
        for extension in (".inp", ".out"):
            check_equal(file_lines(saved.with_suffix(extension))[1:],
                        file_lines(self.example(example + extension))[1:],
                        f"{saved.with_suffix(extension).name} after line 1")

    def screenshot(self, path):
        self._run("import", "-window", "root", str(path))


def pyatspi():
    """Debian's AT-SPI bindings, which only cases on the accessibility bus need."""
    return importlib.import_module("pyatspi")


def _showing(accessible):
    atspi = pyatspi()
    return (accessible.getRole() == atspi.ROLE_APPLICATION
            or accessible.getState().contains(atspi.STATE_SHOWING))


def _shown_objects(root, into_tables):
    """`root` and every object shown below it, depth first; a table's cells
    only when asked for."""
    pending = [root]
    while pending:
        accessible = pending.pop()
        if accessible is None or not _showing(accessible):
            continue
        yield accessible
        if accessible.getRole() != pyatspi().ROLE_TABLE or into_tables:
            pending.extend(reversed([accessible.getChildAtIndex(index)
                                     for index in range(accessible.childCount)]))


def find_accessible(root, role, name):
    """The first object shown below `root` whose role is `role` (AT-SPI's
    name, as "label" or "push button") and whose name is `name`, or passes
    `name` when that is a function; None when there is none."""
    root.clear_cache()
    matches = name if callable(name) else (lambda text: text == name)
    for accessible in _shown_objects(root, role == "table cell"):
        if accessible.getRoleName() == role and matches(accessible.name):
            return accessible
    return None


def accessible_name(accessible):
    """The name a screen reader says, as the program gives it now."""
    accessible.clear_cache()
    return accessible.name


def accessible_text(accessible):
    """The text of a field, or the name of what has no text of its own."""
    accessible.clear_cache()
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return accessible.name
    return text.getText(0, -1)


def describe_accessible(accessible):
    return f"{accessible.getRoleName()} {accessible.name!r}" if accessible else "nothing"


def focused_accessible(application):
    """The control that has the keyboard focus. Qt also marks as focused the
    containers that pass the focus on (fillers) and the tab of the page shown,
    whether the tab bar has the focus or not; they are passed over."""
    application.clear_cache()
    atspi = pyatspi()
    focused = None
    for accessible in _shown_objects(application, False):
        if (accessible.getState().contains(atspi.STATE_FOCUSED)
                and accessible.getRole() not in (atspi.ROLE_FILLER, atspi.ROLE_PAGE_TAB)):
            focused = accessible
    return focused


def table_cell(table, row, heading):
    """The cell of a table found on the accessibility bus in row `row` (from
    0) of the column headed `heading`."""
    cells = table.queryTable()
    for column in range(cells.nColumns):
        if cells.getColumnDescription(column) == heading:
            return cells.getAccessibleAt(row, column)
    raise E2eFailure(f"no column {heading!r} in {describe_accessible(table)}")


def example_table(path):
    """The data sets of an input file as the texts a user types: (discharge,
    midway, near) per row, without trailing zeros."""
    lines = file_lines(path)
    first = lines.index(" - - - - - - - - - - - - - - - - - - - - -") + 1
    rows = []
    for line in lines[first:]:
        if line.startswith(" - "):
            break
        rows.append(tuple(f"{float(value):g}" for value in line.split()[1:]))
    return rows


def file_lines(path):
    """A file's lines without their CR LF ends."""
    return Path(path).read_bytes().decode("utf-8").split("\r\n")[:-1]


def make_work_dir(base):
    base.mkdir(parents=True, exist_ok=True)
    case_dir = Path(tempfile.mkdtemp(prefix="case-", dir=base))
    folder = case_dir / "files"
    folder.mkdir()
    return folder
