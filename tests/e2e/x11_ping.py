"""A barrier with the program: the _NET_WM_PING that window managers send to
ask whether a program still answers, sent to one of its windows. The program answers once it has
handled every event the X server sent it before the ping, so a change that
it learns of by reading a window property (a window minimized, say) has been
taken in when the answer comes."""

import ctypes
import ctypes.util
import time

CLIENT_MESSAGE = 33
STRUCTURE_NOTIFY_MASK = 1 << 17


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", XClientMessageEvent),
                ("pad", ctypes.c_long * 24)]


def _xlib():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XPending.argtypes = [ctypes.c_void_p]
    xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return xlib


def ping(window, timeout):
    """True when the window's program answered within `timeout` seconds."""
    xlib = _xlib()
    display = xlib.XOpenDisplay(None)
    if not display:
        return False
    try:
        root = xlib.XDefaultRootWindow(display)
        protocols = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
        net_wm_ping = xlib.XInternAtom(display, b"_NET_WM_PING", 0)
        # The answer goes to the root window, for the window manager and for
        # whoever listens to the root window's structure (Qt's choice of mask).
        xlib.XSelectInput(display, root, STRUCTURE_NOTIFY_MASK)
        token = int(time.monotonic() * 1000) & 0x7FFFFFFF
        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = protocols
        event.xclient.format = 32
        event.xclient.data[:3] = [net_wm_ping, token, window]
        xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        xlib.XFlush(display)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            while xlib.XPending(display):
                xlib.XNextEvent(display, ctypes.byref(event))
                answer = event.xclient
                if (event.type == CLIENT_MESSAGE and answer.data[0] == net_wm_ping
                        and answer.data[1] == token):
                    return True
            time.sleep(0.01)
        return False
    finally:
        xlib.XCloseDisplay(display)
