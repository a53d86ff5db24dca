"""A direct X11 connection for the end-to-end tests that must look and press fast: window
pictures in a few milliseconds (rather than the second `import` can take on a loaded
machine), key presses through XTest, and a count of the pictures the game puts on its
window (DAMAGE events: each present paints the window). Uses only the X libraries that the
game and xdotool already bring, through ctypes.
"""
import ctypes
import ctypes.util
import time

_x11 = ctypes.CDLL("libX11.so.6")
_xtst = ctypes.CDLL("libXtst.so.6")

_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XGetImage.restype = ctypes.c_void_p
_x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x11.XFree.argtypes = [ctypes.c_void_p]
_x11.XFlush.argtypes = [ctypes.c_void_p]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XStringToKeysym.restype = ctypes.c_ulong
_x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
_x11.XKeysymToKeycode.restype = ctypes.c_ubyte
_x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_x11.XSetErrorHandler.restype = ctypes.c_void_p
_x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
_xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

ZPIXMAP, ALL_PLANES = 2, 0xFFFFFFFF
KEY_PRESS, KEY_RELEASE, KEY_PRESS_MASK, KEY_RELEASE_MASK = 2, 3, 1, 2


class _XKeyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("root", ctypes.c_ulong),
                ("subwindow", ctypes.c_ulong), ("time", ctypes.c_ulong), ("x", ctypes.c_int),
                ("y", ctypes.c_int), ("x_root", ctypes.c_int), ("y_root", ctypes.c_int),
                ("state", ctypes.c_uint), ("keycode", ctypes.c_uint), ("same_screen", ctypes.c_int),
                ("pad", ctypes.c_char * 96)]


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


# A window that went away between two requests is the caller's business (it sees None), not
# a reason for Xlib to end the process.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)


class Picture:
    """A rectangle of the window's picture at (left, top): rgb(x, y) gives the (red, green,
    blue) of the window's pixel (x, y)."""

    def __init__(self, left, top, width, height, stride, data):
        self.left, self.top, self.width, self.height = left, top, width, height
        self.stride, self.data = stride, data

    def rgb(self, x, y):
        at = (y - self.top) * self.stride + 4 * (x - self.left)
        return self.data[at + 2], self.data[at + 1], self.data[at]


class Session:
    def __init__(self, window):
        self.display = _x11.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("no X display")
        _x11.XSetErrorHandler(_ERROR_HANDLER)
        self.window = window
        self.held = set()

    def picture(self, left=0, top=0, width=1280, height=720):
        """The window's picture in that rectangle now, or None when it cannot be had."""
        image = _x11.XGetImage(self.display, self.window, left, top, width, height, ALL_PLANES,
                               ZPIXMAP)
        if not image:
            return None
        header = _XImage.from_address(image)
        size = header.bytes_per_line * header.height
        picture = Picture(left, top, header.width, header.height, header.bytes_per_line,
                          ctypes.string_at(header.data, size))
        _x11.XFree(header.data)
        _x11.XFree(image)
        return picture

    def focus(self):
        _x11.XSetInputFocus(self.display, self.window, 1, 0)  # RevertToPointerRoot
        _x11.XSync(self.display, 0)

    def key(self, name, down):
        code = _x11.XKeysymToKeycode(self.display, _x11.XStringToKeysym(name.encode()))
        _xtst.XTestFakeKeyEvent(self.display, code, 1 if down else 0, 0)
        _x11.XSync(self.display, 0)
        (self.held.add if down else self.held.discard)(name)

    def send_key(self, name):
        """A press and release of the key sent to this window alone: unlike a key through
        XTEST, it can never reach another window, even one that takes the focus meanwhile."""
        code = _x11.XKeysymToKeycode(self.display, _x11.XStringToKeysym(name.encode()))
        for kind, mask in ((KEY_PRESS, KEY_PRESS_MASK), (KEY_RELEASE, KEY_RELEASE_MASK)):
            event = _XKeyEvent(type=kind, send_event=1, display=self.display, window=self.window,
                               keycode=code, same_screen=1)
            _x11.XSendEvent(self.display, self.window, 1, mask, ctypes.byref(event))
        _x11.XSync(self.display, 0)

    def exists(self):
        attributes = ctypes.create_string_buffer(256)
        return _x11.XGetWindowAttributes(self.display, self.window, attributes) != 0

    def tap(self, name, hold=0.05):
        """Down for about three frames, then up: one step or turn in the game."""
        self.key(name, True)
        time.sleep(hold)
        self.key(name, False)

    def release_all(self):
        for name in list(self.held):
            self.key(name, False)


_xdamage = ctypes.CDLL("libXdamage.so.1")
_xdamage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                           ctypes.POINTER(ctypes.c_int)]
_xdamage.XDamageCreate.restype = ctypes.c_ulong
_xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
_xdamage.XDamageDestroy.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
DAMAGE_RAW_RECTANGLES = 0


class _DamageNotify(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("drawable", ctypes.c_ulong),
                ("damage", ctypes.c_ulong), ("level", ctypes.c_int), ("more", ctypes.c_int),
                ("timestamp", ctypes.c_ulong)]


def paint_times(session, seconds):
    """The X server's millisecond times at which the window was painted during the next
    SECONDS: one entry per present (a present's picture may come in several strips, within a
    millisecond or two of each other)."""
    event_base, error_base = ctypes.c_int(), ctypes.c_int()
    if not _xdamage.XDamageQueryExtension(session.display, ctypes.byref(event_base),
                                          ctypes.byref(error_base)):
        raise SystemExit("the X server has no DAMAGE extension")
    damage = _xdamage.XDamageCreate(session.display, session.window, DAMAGE_RAW_RECTANGLES)
    _x11.XSync(session.display, 0)
    event = ctypes.create_string_buffer(192)
    times = []
    end = time.time() + seconds
    while time.time() < end:
        while _x11.XPending(session.display):
            _x11.XNextEvent(session.display, event)
            notify = _DamageNotify.from_buffer(event)
            if notify.type == event_base.value and notify.drawable == session.window:
                if not times or notify.timestamp - times[-1] >= 2:
                    times.append(notify.timestamp)
        time.sleep(0.002)
    _xdamage.XDamageDestroy(session.display, damage)
    _x11.XSync(session.display, 0)
    return times


_x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
STRUCTURE_NOTIFY_MASK, DESTROY_NOTIFY = 1 << 17, 17


class _AnyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong)]


def _destroyed(session, event):
    """True once the X server has told of the window's destruction. (Every event sent
    before the round trip has arrived by then.)"""
    _x11.XSync(session.display, 0)
    while _x11.XPending(session.display):
        _x11.XNextEvent(session.display, event)
        notify = _AnyEvent.from_buffer(event)
        if notify.type == DESTROY_NOTIFY and notify.window == session.window:
            return True
    return False


def close(window, seconds):
    """Return to a message box until its window is gone: a box still starting up may miss
    the first. True when it went within SECONDS. The window's end is told by its destruction
    event, never by asking whether a window of that id exists: the next box, a new client of
    the X server, may well be given the very same id, and a key sent to it would close a box
    the test has not seen."""
    session = Session(window)
    _x11.XSelectInput(session.display, window, STRUCTURE_NOTIFY_MASK)
    event = ctypes.create_string_buffer(192)
    if not session.exists():  # gone before it was watched
        return True
    end = time.time() + seconds
    while time.time() < end:
        if _destroyed(session, event):
            return True
        session.send_key("Return")
        for _ in range(20):
            time.sleep(0.05)
            if _destroyed(session, event):
                return True
    return False


def main():
    """xsession.py presents WINDOW SECONDS: prints the presents per second, from the first
    to the last present seen in that time.
    xsession.py close WINDOW SECONDS: Return to a message box until it is gone; status 1
    when it is still there after SECONDS."""
    import sys
    if len(sys.argv) == 4 and sys.argv[1] == "close":
        sys.exit(0 if close(int(sys.argv[2], 0), float(sys.argv[3])) else 1)
    if len(sys.argv) != 4 or sys.argv[1] != "presents":
        sys.exit(main.__doc__)
    times = paint_times(Session(int(sys.argv[2], 0)), float(sys.argv[3]))
    if len(times) < 2 or times[-1] == times[0]:
        sys.exit("fewer than two presents")
    print("%.1f" % ((len(times) - 1) * 1000 / (times[-1] - times[0])))


if __name__ == "__main__":
    main()
