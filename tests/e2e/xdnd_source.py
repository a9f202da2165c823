"""Drags files onto a window as another X client does, by the XDND protocol
(freedesktop.org, versions up to 5, the newest Qt 6 takes): it owns the
XdndSelection with a text/uri-list, sends XdndEnter and XdndPosition to the
window under the pointer that is XdndAware, and drops when the window
accepts, or leaves when it refuses. Every answer awaited has a deadline, and
the window's requests for the list are answered meanwhile."""

import select
import time
from dataclasses import dataclass

from Xlib import X, Xatom, display
from Xlib.protocol import event

XDND_VERSION = 5
ATOM_NAMES = ("XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus",
              "XdndLeave", "XdndDrop", "XdndFinished", "XdndActionCopy", "TARGETS",
              "text/uri-list")


class XdndTimeout(AssertionError):
    pass


@dataclass
class DragOutcome:
    accepted: bool        # the last XdndStatus took the drop
    action: str           # the action it named, such as "XdndActionCopy"
    finished: bool = False  # XdndFinished came and says the drop was taken


class XdndSource:
    def __init__(self, timeout):
        self.timeout = timeout
        self.display = display.Display()
        self.root = self.display.screen().root
        self.atoms = {name: self.display.intern_atom(name) for name in ATOM_NAMES}
        self.window = self.root.create_window(0, 0, 1, 1, 0, 0, X.InputOnly, X.CopyFromParent)
        self.uri_list = b""

    def close(self):
        self.display.close()

    def drag_files(self, paths, x, y):
        """Drags the files from outside to (x, y) of the screen and drops them
        there if the window under that point accepts them."""
        self.uri_list = "".join(path.resolve().as_uri() + "\r\n" for path in paths).encode()
        self.window.set_selection_owner(self.atoms["XdndSelection"], X.CurrentTime)
        self.root.warp_pointer(x, y)
        target, version = self._target_under_pointer()
        self._send(target, "XdndEnter", version << 24, self.atoms["text/uri-list"])
        self._send(target, "XdndPosition", 0, (x << 16) | y, X.CurrentTime,
                   self.atoms["XdndActionCopy"])
        status = self._wait_for(target, "XdndStatus")
        outcome = DragOutcome(bool(status[1] & 1), self._atom_name(status[4]))
        if not outcome.accepted:
            self._send(target, "XdndLeave")
            self.display.sync()
            return outcome
        self._send(target, "XdndDrop", 0, X.CurrentTime)
        finished = self._wait_for(target, "XdndFinished")
        outcome.finished = bool(finished[1] & 1)
        outcome.action = self._atom_name(finished[2])
        return outcome

    def _target_under_pointer(self):
        """The XdndAware window under the pointer, below the window manager's
        frame, and the protocol version both sides speak."""
        window = self.root
        while True:
            child = window.query_pointer().child
            if not child:
                raise AssertionError("no window that takes drops is under the pointer")
            aware = child.get_full_property(self.atoms["XdndAware"], Xatom.ATOM)
            if aware:
                return child, min(XDND_VERSION, aware.value[0])
            window = child

    def _send(self, target, message, *data):
        values = [self.window.id, *data] + [0] * (4 - len(data))
        target.send_event(event.ClientMessage(window=target, client_type=self.atoms[message],
                                              data=(32, values)))
        self.display.flush()

    def _wait_for(self, target, message):
        """The data of the `message` the target sends back."""
        deadline = time.monotonic() + self.timeout
        while True:
            while not self.display.pending_events():
                remaining = deadline - time.monotonic()
                if remaining <= 0:
                    raise XdndTimeout(f"no {message} from the window in {self.timeout:.0f} s")
                select.select([self.display], [], [], remaining)
            received = self.display.next_event()
            if received.type == X.SelectionRequest:
                self._answer(received)
            elif (received.type == X.ClientMessage
                  and received.client_type == self.atoms[message]
                  and received.data[1][0] == target.id):
                return received.data[1]

    def _answer(self, request):
        """Gives the window the uri-list it asks for, or tells it there is none."""
        prop = request.property or request.target
        if request.target == self.atoms["TARGETS"]:
            request.requestor.change_property(prop, Xatom.ATOM, 32,
                                              [self.atoms["TARGETS"], self.atoms["text/uri-list"]])
        elif request.target == self.atoms["text/uri-list"]:
            request.requestor.change_property(prop, request.target, 8, self.uri_list)
        else:
            prop = X.NONE
        request.requestor.send_event(event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=prop))
        self.display.flush()

    def _atom_name(self, atom):
        return self.display.get_atom_name(atom) if atom else ""
