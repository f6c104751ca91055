"""Drives panelwright.exe from outside: starts it under Wine, finds its window, reads the screen,
clicks. Used by the end-to-end tests and by tools/demo.sh.

The environment must already hold WINEPREFIX (with the simulator and trainer keys) and a usable
DISPLAY; tools/demo-env.sh sets both up.
"""
import ctypes
import os
import re
import subprocess
import sys
import tempfile
import time

IMPORT = "/usr/bin/import"          # ImageMagick's screen grabber
CONVERT = "/usr/bin/convert"

CLIENT_W, CLIENT_H = 615, 443
TREE = (24, 95, 222, 393)           # client pixels, inclusive
INSTALL_BUTTON = (407, 387)         # centre of control 2
CLOSE_POINT = (596, 13)             # inside the close area (x > 580, y < 30)


def _places():
    """The screen area (outside view, notices) and the pictures over it, as the program places
    them: name -> ((x, y), (width, height))."""
    header = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "preview",
                          "preview_geometry.h")
    rects = re.findall(r"constexpr Rect k(\w+) = \{(\d+), (\d+), (\d+), (\d+)\};", open(header).read())
    return {name: ((int(x), int(y)), (int(w), int(h))) for name, x, y, w, h in rects}


PLACES = _places()
SCREEN_AT, SCREEN_SIZE = PLACES["ScreenArea"]
GPS_AT, GPS_SIZE = PLACES["GpsPicture"]
RADIO_AT, RADIO_SIZE = PLACES["RadioPicture"]
BADGE_AT, BADGE_SIZE = PLACES["BadgePicture"]
# The longest any wait for the program takes, even on a busy machine: a wait that ends without
# what it waited for fails, and the failure says what is on screen.
GUI_WAIT = 15


class Failure(Exception):
    pass


def xdotool(*args, check=True):
    r = subprocess.run(["xdotool"] + [str(a) for a in args], stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL, text=True, timeout=10)
    if check and r.returncode != 0:
        raise Failure("xdotool %s failed" % " ".join(map(str, args)))
    return r.stdout


class _XImage(ctypes.Structure):
    """The leading fields of Xlib's XImage."""
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + [
        ("data", ctypes.c_void_p)] + [(name, ctypes.c_int) for name in (
            "byte_order", "bitmap_unit", "bitmap_bit_order", "bitmap_pad", "depth", "bytes_per_line",
            "bits_per_pixel")] + [(name, ctypes.c_ulong) for name in ("red_mask", "green_mask", "blue_mask")]


class _Display:
    """The display's pixels straight from the X server (Xlib, which xdotool brings), about a
    hundred times faster than a screen grab by ImageMagick's import."""
    x11 = None

    @classmethod
    def grab(cls):
        if cls.x11 is None:
            x11 = ctypes.CDLL("libX11.so.6")
            x11.XOpenDisplay.restype = ctypes.c_void_p
            x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
            for name in ("XDefaultScreen", "XDisplayWidth", "XDisplayHeight"):
                getattr(x11, name).argtypes = [ctypes.c_void_p] + [ctypes.c_int] * (name != "XDefaultScreen")
            x11.XDefaultRootWindow.restype = ctypes.c_ulong
            x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
            x11.XGetImage.restype = ctypes.POINTER(_XImage)
            x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                      ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
            x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
            cls.display = x11.XOpenDisplay(None)
            if not cls.display:
                raise Failure("cannot open the display %s" % os.environ.get("DISPLAY"))
            cls.x11 = x11
        x11, display = cls.x11, cls.display
        screen = x11.XDefaultScreen(display)
        w, h = x11.XDisplayWidth(display, screen), x11.XDisplayHeight(display, screen)
        image = x11.XGetImage(display, x11.XDefaultRootWindow(display), 0, 0, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            raise Failure("cannot read the display's pixels")
        try:
            got = image.contents
            if got.bits_per_pixel != 32 or got.byte_order != 0 or got.red_mask != 0xFF0000:
                return None  # not the 24-bit little-endian screen Xvfb gives: ImageMagick's turn
            raw = ctypes.string_at(got.data, got.bytes_per_line * h)
        finally:
            x11.XDestroyImage(image)
        rows = raw if got.bytes_per_line == 4 * w else b"".join(
            raw[y * got.bytes_per_line:y * got.bytes_per_line + 4 * w] for y in range(h))
        pixels = bytearray(3 * w * h)
        pixels[0::3], pixels[1::3], pixels[2::3] = rows[2::4], rows[1::4], rows[0::4]
        return w, h, bytes(pixels)


class Image:
    """Pixels of a picture ImageMagick can read ("root": the whole display), as (r, g, b)."""

    def __init__(self, source):
        grabbed = _Display.grab() if source == "root" else None
        if grabbed:
            self.w, self.h, self.pixels = grabbed
            return
        grab = [IMPORT, "-silent", "-window", "root"] if source == "root" else [CONVERT, source]
        ppm = subprocess.run(grab + ["-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=True, timeout=GUI_WAIT).stdout
        parts = ppm.split(maxsplit=4)
        if parts[0] != b"P6":
            raise Failure("unexpected picture format from %s" % source)
        self.w, self.h = int(parts[1]), int(parts[2])
        self.pixels = parts[4][:self.w * self.h * 3]

    def at(self, x, y):
        o = (y * self.w + x) * 3
        return tuple(self.pixels[o:o + 3])


def on_screen():
    """The captions of the visible windows on the display, message boxes' among them."""
    names = [xdotool("getwindowname", wid, check=False).strip()
             for wid in xdotool("search", "--onlyvisible", "--name", ".", check=False).split()]
    return ", ".join('"%s"' % name for name in names if name) or "no window with a caption"


def wait_until(check, timeout=10, interval=0.1):
    """Polls check() until it gives a true value (returned) or the time is up (returns the last
    value): the program under a loaded machine may take a while to react."""
    deadline = time.time() + timeout
    while True:
        value = check()
        if value or time.time() >= deadline:
            return value
        time.sleep(interval)


def close_to(a, b, tolerance=8):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


class App:
    """One run of the program."""

    def __init__(self, exe):
        # The loader demo-env.sh chose: the `wine` wrapper may pick one that cannot start. What it
        # and Wine say goes to a file, shown when the program fails.
        self.said = tempfile.TemporaryFile()
        self.proc = subprocess.Popen([os.environ["WINELOADER"], exe], stdout=subprocess.DEVNULL, stderr=self.said)
        self.window = None
        self.origin = (0, 0)

    def stderr(self):
        """The last lines the program and Wine wrote on stderr, or a note that there are none."""
        self.said.seek(0)
        lines = self.said.read().decode("cp1252", "replace").splitlines()[-10:]
        return "\n".join(["it said on stderr:"] + lines) if lines else "nothing on stderr"

    def find_window(self, timeout=GUI_WAIT):
        """Waits for the program's top-level window of the skin's size and notes its place."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise Failure("program ended with %d before showing a window; %s" % (self.proc.returncode,
                                                                                        self.stderr()))
            ids = xdotool("search", "--onlyvisible", "--classname", "panelwright.exe",
                          check=False).split()
            for wid in ids:
                geo = {}
                for line in xdotool("getwindowgeometry", "--shell", wid, check=False).splitlines():
                    k, _, v = line.partition("=")
                    geo[k] = v
                if geo.get("WIDTH") == str(CLIENT_W) and geo.get("HEIGHT") == str(CLIENT_H):
                    self.window = wid
                    self.origin = (int(geo["X"]), int(geo["Y"]))
                    return self.window
            time.sleep(0.25)
        raise Failure("no %dx%d window of panelwright.exe within %d s; on screen: %s"
                      % (CLIENT_W, CLIENT_H, timeout, on_screen()))

    def settle(self, seconds=0.8):
        time.sleep(seconds)

    def shot(self):
        return Image("root")

    def pixel(self, screen, x, y):
        return screen.at(self.origin[0] + x, self.origin[1] + y)

    def save(self, path):
        """Saves the window's part of the screen as PNG, without time stamps."""
        x, y = self.origin
        subprocess.run([IMPORT, "-silent", "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (CLIENT_W, CLIENT_H, x, y), "+repage",
                        "-define", "png:exclude-chunks=date,time", path], check=True, timeout=GUI_WAIT)

    def click(self, x, y, repeat=1):
        xdotool("mousemove", self.origin[0] + x, self.origin[1] + y)
        time.sleep(0.05)
        xdotool("click", "--repeat", repeat, "--delay", 80, 1)

    def wait_exit(self, timeout=GUI_WAIT):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            raise Failure("program still running %d s after the close click; on screen: %s" % (timeout, on_screen()))

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()

    # ------------------------------------------------------------------ the tree

    def tree_rows(self, screen):
        """Text rows of the tree: a list of (top, bottom, leftmost dark x, rightmost dark x) in
        client pixels; the rightmost is the end of the item's label.

        A row is a run of scan lines holding dark (text) pixels; the tree's connecting lines are
        grey and its background white, so only labels and expand-button signs count."""
        x0, y0, x1, y1 = TREE
        rows, current = [], None
        for y in range(y0, y1 + 1):
            dark = [x for x in range(x0 + 2, x1 - 1) if max(self.pixel(screen, x, y)) < 90]
            if dark:
                top, left, right = (current[0], min(current[2], dark[0]), max(current[3], dark[-1])) \
                    if current else (y, dark[0], dark[-1])
                current = (top, y, left, right)
            elif current:
                rows.append(current)
                current = None
        if current:
            rows.append(current)
        # Runs of one or two scan lines are the dotted connecting lines, not text.
        return [r for r in rows if r[1] - r[0] >= 4]

    def click_label(self, screen, row, repeat=1):
        """Clicks the end of a row's label, which is on the label whatever icons precede it."""
        self.click(row[3] - 2, (row[0] + row[1]) // 2, repeat)


def resource(src, name):
    """Pixels of one of the program's resource bitmaps."""
    return Image(os.path.join(src, "resources", name))


def matches_bitmap(app, screen, bitmap, at=SCREEN_AT, size=SCREEN_SIZE, step=7):
    """Share of sampled pixels of a resource bitmap found at a client position."""
    points = [(x, y) for y in range(0, size[1], step) for x in range(0, size[0], step)]
    hits = sum(close_to(app.pixel(screen, at[0] + x, at[1] + y), bitmap.at(x, y)) for x, y in points)
    return hits / len(points)


def shown(app, bitmap, at=SCREEN_AT, size=SCREEN_SIZE, step=7, timeout=5):
    """Waits until the bitmap shows at its place (95% of sampled pixels)."""
    return wait_until(lambda: matches_bitmap(app, app.shot(), bitmap, at, size, step) >= 0.95,
                      timeout)


def close(app):
    """Leaves through the close area; the program must end with exit code 1."""
    app.click(*CLOSE_POINT)
    code = app.wait_exit()
    if code != 1:
        raise Failure("exit code %d after a click in the close area, expected 1; %s" % (code, app.stderr()))


def scenario(body):
    """Runs one end-to-end scenario, `SCRIPT EXE WORK SOURCE_DIR`: starts the program, waits for
    its window, calls body(app, work, src) for the message of success, then closes the program
    through its close area. A failure saves a screenshot to WORK/failure.png. Returns the exit
    status for sys.exit."""
    exe, work, src = sys.argv[1:4]
    app = App(exe)
    try:
        app.find_window()
        done = body(app, work, src)
        close(app)
    except Failure as e:
        shot = os.path.join(work, "failure.png")
        app.save(shot)
        print("FAILED: %s\non screen: %s (screenshot: %s)" % (e, on_screen(), shot))
        return 1
    finally:
        app.kill()
    print(done)
    return 0


class Tree:
    """Rows of the tree by position: row i (0 the root) lies i pitches below the root's row.

    Positions come from the first screenshot, before anything is selected (a selected row is
    drawn highlighted and has no dark text to find)."""

    def __init__(self, app):
        self.app = app
        rows = wait_until(lambda: (lambda r: r if len(r) >= 3 else None)(app.tree_rows(app.shot())))
        rows = rows or app.tree_rows(app.shot())
        if len(rows) < 3:
            raise Failure("the tree shows %d rows; expected the root and aircraft" % len(rows))
        # Letters without ascenders start a scan line lower: average over every row.
        self.top = rows[0][0]
        self.pitch = round((rows[-1][0] - rows[0][0]) / (len(rows) - 1))

    def row(self, index, screen=None):
        """The text row at position `index` now: (top, bottom, leftmost dark x)."""
        top = self.top + index * self.pitch
        screen = screen or self.app.shot()
        row = next((r for r in self.app.tree_rows(screen) if abs(r[0] - top) <= 3), None)
        if row is None:
            raise Failure("no item label in tree row %d (y %d)" % (index, top))
        return row

    def click(self, index, repeat=1):
        """Clicks the label of row `index` as the tree shows it now."""
        screen = self.app.shot()
        self.app.click_label(screen, self.row(index, screen), repeat)

    def select(self, index):
        """Clicks row `index` and waits until it is drawn selected (no dark label left)."""
        self.click(index)

        def selected():
            try:
                self.row(index)
                return False
            except Failure:
                return True
        if not wait_until(selected, 5):
            raise Failure("clicking tree row %d did not select it" % index)

    def open_aircraft(self, index):
        """Opens an aircraft with a double-click (the program ignores clicks on aircraft) and
        checks that the row below it is now indented one level deeper: its first panel."""
        indent = self.row(index)[2]
        self.click(index, repeat=2)

        def opened():
            try:
                return self.row(index + 1)[2] >= indent + 20
            except Failure:
                return False
        if not wait_until(opened, 5):
            raise Failure("double-clicking tree row %d did not open it" % index)
