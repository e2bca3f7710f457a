"""The end-to-end tests' own X windows, made through libX11 with ctypes (the standard library): a
window for ostrel -window-id and $XSCREENSAVER_WINDOW to draw in, resized, destroyed, or asked to
close as a window manager asks."""

import ctypes

from winesession import Failure

CLIENT_MESSAGE = 33
CURRENT_TIME = 0


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    # Xlib's XEvent is 24 longs whatever its kind.
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


class XConnection:
    """One connection to a display; the windows it makes live as long as it does."""

    def __init__(self, display):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XCreateSimpleWindow.restype = ctypes.c_ulong
        x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        for name in ("XMapWindow", "XDestroyWindow", "XClearWindow"):
            getattr(x, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(_Event)]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x = x
        self.display = x.XOpenDisplay(display.encode())
        if not self.display:
            raise Failure(f"cannot open display {display}")

    def make_window(self, x, y, width, height):
        """A mapped black window at x, y on the root window; returns its id."""
        root = self.x.XDefaultRootWindow(self.display)
        window = self.x.XCreateSimpleWindow(self.display, root, x, y, width, height, 0, 0, 0)
        self.x.XMapWindow(self.display, window)
        self.x.XSync(self.display, 0)
        return window

    def clear_root(self):
        """Paints the root window with its background again: what a program drew there stays."""
        self.x.XClearWindow(self.display, self.x.XDefaultRootWindow(self.display))
        self.x.XSync(self.display, 0)

    def resize(self, window, width, height):
        self.x.XResizeWindow(self.display, window, width, height)
        self.x.XSync(self.display, 0)

    def destroy(self, window):
        self.x.XDestroyWindow(self.display, window)
        self.x.XSync(self.display, 0)

    def ask_to_close(self, window):
        """WM_DELETE_WINDOW, as a window manager sends it for the close button."""
        event = _Event()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self.x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = self.x.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = CURRENT_TIME
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XSync(self.display, 0)

    def close(self):
        if self.display:
            self.x.XCloseDisplay(self.display)
            self.display = None
