#!/usr/bin/env python3
"""Writes a small Flight Simulator 2002 install for the demo and the end-to-end tests.

    tools/make_demo_install.py OUTDIR

creates OUTDIR/FS2002/aircraft/... and OUTDIR/GARMINWT.INI (the trainer's INI, which belongs in
the Windows folder). The output is the same on every run; an existing OUTDIR/FS2002 is replaced.

Aircraft folders and what each one exercises (tests rely on these names: keep them stable):

  folder         title in aircraft.cfg           panel folders: what they are
  b58            Beech Baron 58                  panel: Plain, 2:1 bitmap (1024x512), size_mm=1024,512;
                                                 panel_vc: Plain, 4:3 bitmap, virtual cockpit sections
  b737_400       Boeing 737-400                  panel: carries the GPS window set already (titles in
                                                 Window04..07 and their four sections): Plain, marked
  b737_cargo     Boeing 737-400 Freighter        panel: alias of b737_400\\panel ([fltsim] alias=)
  c208           Cessna Caravan 208B             panel: 29 window titles, only three free slots
  c172           Cessna Skyhawk 172SP            panel: Plain, 4:3, both file= (640x480) and
                                                 file_1024= (1024x768), size_mm=1024,768;
                                                 Panel.IFR: Plain, 16:10 (1024x640), file= only
  c182           Cessna Skylane 182S             panel: Plain, 4:3, one-digit title keys (Window0=)
  dash8          de Havilland Dash 8-100         panel: mentions Skyvantage_Aerolith without the set's
                                                 titles (edited by hand): Foreign, marked
  extra300       (no aircraft.cfg)               panel: Plain, 4:3, no size_mm (width 640); listed
                                                 under its folder name
  lear45         Learjet 45                      panel: Plain, 16:10 (1024x640)
  mooney         Mooney Bravo                    panel: Plain, 2:1 (1024x512)
  sopwith        Sopwith Camel                   panel: Plain, 4:3; a file named panel.cfg lies
                                                 directly in the aircraft folder (not a panel folder)
  sailplane      Schweizer 2-32 Sailplane        no panel folder: not listed
  default        Default Aircraft                skipped by name, although it has a panel folder

The simulator's Gauges folder holds the modules the panels name: SDK, Bendix_King_Radio (the
simulator's own radios, which the window set uses too) and Skyvantage_Aerolith. A few faults are
put there on purpose, and `panelwright-cli check` finds exactly these (tests/e2e/check-demo.txt):

  b58            aircraft.cfg's [fltsim.1] says panel=ifr, but there is no panel.ifr folder
  lear45         [Window03] names a bitmap compass.bmp that is not there, and has the ident of
                 [Window02]
  mooney         [Window02] names a gauge module Mooney_Bravo that Gauges lacks, and spells a
                 key "guage01"
  sopwith        [Window01] says visible= twice, differently

Sorted by title, the tree shows: Beech Baron 58, Boeing 737-400, Boeing 737-400 Freighter,
Cessna Caravan 208B, Cessna Skyhawk 172SP, Cessna Skylane 182S, de Havilland Dash 8-100,
extra300, Learjet 45, Mooney Bravo, Sopwith Camel.

Every panel's main window bitmap is a 24-bit BMP of a cockpit whose windows are pure black
(RGB 0,0,0): the preview lets the outside view show through there. Configuration files use CRLF
line ends, as the simulator's own files do.
"""
import os
import shutil
import struct
import sys

CRLF = "\r\n"

# ----------------------------------------------------------------------------- drawing


class Raster:
    """A 24-bit picture kept in BMP byte order (BGR), top row first."""

    def __init__(self, width, height, colour=(0, 0, 0)):
        self.w, self.h = width, height
        self.buf = bytearray(self.px(colour) * (width * height))

    @staticmethod
    def px(colour):
        r, g, b = colour
        return bytes((b, g, r))

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1-1, y0..y1-1, clipped."""
        x0, x1 = max(0, int(x0)), min(self.w, int(x1))
        y0, y1 = max(0, int(y0)), min(self.h, int(y1))
        if x0 >= x1:
            return
        run = self.px(colour) * (x1 - x0)
        for y in range(y0, y1):
            o = (y * self.w + x0) * 3
            self.buf[o:o + len(run)] = run

    def gradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(int(y0), int(y1)):
            t = (y - y0) / max(1, (y1 - y0 - 1))
            c = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
            self.rect(x0, y, x1, y + 1, c)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r), int(cy + r) + 1):
            d = r * r - (y - cy) ** 2
            if d >= 0:
                half = d ** 0.5
                self.rect(round(cx - half), y, round(cx + half) + 1, y + 1, colour)

    def polygon_rows(self, rows, colour):
        """rows: list of (y, x_left, x_right)."""
        for y, xl, xr in rows:
            self.rect(xl, y, xr, y + 1, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            self.rect(x - width / 2, y - width / 2, x + width / 2 + 1, y + width / 2 + 1, colour)

    def save(self, path):
        stride = (self.w * 3 + 3) & ~3
        pad = b"\0" * (stride - self.w * 3)
        rows = [bytes(self.buf[y * self.w * 3:(y + 1) * self.w * 3]) + pad
                for y in range(self.h - 1, -1, -1)]
        size = stride * self.h
        header = struct.pack("<2sIHHI", b"BM", 54 + size, 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, size, 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + b"".join(rows))


WHITE = (236, 236, 230)
GLARE = (28, 30, 34)       # never pure black: only the windows are see-through
FACE = (22, 24, 27)
BEZEL = (58, 60, 66)


def gauge(r, cx, cy, radius, needle_angle, accent):
    import math
    r.disc(cx, cy, radius + radius * 0.14, BEZEL)
    r.disc(cx, cy, radius, FACE)
    for k in range(12):
        a = math.radians(k * 30)
        x0, y0 = cx + math.cos(a) * radius * 0.78, cy + math.sin(a) * radius * 0.78
        x1, y1 = cx + math.cos(a) * radius * 0.95, cy + math.sin(a) * radius * 0.95
        r.line(x0, y0, x1, y1, max(1, radius // 18), WHITE)
    a = math.radians(needle_angle)
    r.line(cx, cy, cx + math.cos(a) * radius * 0.8, cy + math.sin(a) * radius * 0.8,
           max(2, radius // 12), accent)
    r.disc(cx, cy, max(2, radius // 9), BEZEL)


def attitude(r, cx, cy, radius):
    r.disc(cx, cy, radius + radius * 0.14, BEZEL)
    rows_sky, rows_ground = [], []
    for y in range(int(cy - radius), int(cy + radius) + 1):
        d = radius * radius - (y - cy) ** 2
        if d < 0:
            continue
        half = d ** 0.5
        (rows_sky if y < cy + radius * 0.08 else rows_ground).append((y, cx - half, cx + half + 1))
    r.polygon_rows(rows_sky, (70, 130, 200))
    r.polygon_rows(rows_ground, (140, 96, 52))
    r.rect(cx - radius * 0.5, cy - 1, cx - radius * 0.15, cy + 2, (250, 200, 40))
    r.rect(cx + radius * 0.15, cy - 1, cx + radius * 0.5, cy + 2, (250, 200, 40))
    r.disc(cx, cy, 3, (250, 200, 40))


def cockpit(width, height, style, path):
    """Draws a panel bitmap: windows on top (pure black), glare shield, instrument panel below."""
    sc = width / 1024.0
    r = Raster(width, height, (0, 0, 0))
    face, trim = style["face"], style["trim"]
    # The panel rises towards the middle like a real glare shield; above it, the windscreen.
    top = int(height * style["sill"])
    rows = []
    for y in range(top - int(40 * sc), height):
        lift = (y - (top - 40 * sc)) / (40 * sc)
        if lift >= 1:
            rows.append((y, 0, width))
        else:
            half = width * (0.28 + 0.22 * lift)
            rows.append((y, width / 2 - half, width / 2 + half))
    r.polygon_rows(rows, GLARE)
    r.gradient(0, top, width, height, face, tuple(max(8, c - 26) for c in face))
    r.rect(0, top, width, top + int(6 * sc), trim)
    # Windscreen frame: centre post and side posts, roof bow.
    r.rect(width / 2 - 9 * sc, 0, width / 2 + 9 * sc, top, style["frame"])
    for x in (0, width - 30 * sc):
        r.rect(x, 0, x + 30 * sc, top, style["frame"])
    r.rect(0, 0, width, 18 * sc, style["frame"])
    if style.get("side_windows"):
        r.rect(30 * sc, 0, 46 * sc, top, style["frame"])
        r.rect(width - 46 * sc, 0, width - 30 * sc, top, style["frame"])
    # Six-pack on the left, engine gauges on the right, a radio stack in the middle.
    gy = top + (height - top) * 0.30
    rad = min((height - top) * 0.17, 58 * sc)
    for row in range(2):
        for col in range(3):
            cx = 110 * sc + col * rad * 2.7
            cy = gy + row * rad * 2.55
            if row == 0 and col == 1:
                attitude(r, cx, cy, rad)
            else:
                gauge(r, cx, cy, rad, 200 + 47 * (row * 3 + col), (240, 240, 236))
    sx0, sx1 = width * 0.47, width * 0.66
    r.rect(sx0, top + 24 * sc, sx1, height - 30 * sc, (44, 46, 50))
    slots = 6
    slot_h = (height - top - 70 * sc) / slots
    for k in range(slots):
        y = top + 30 * sc + k * slot_h
        r.rect(sx0 + 6 * sc, y, sx1 - 6 * sc, y + slot_h - 6 * sc, (60, 63, 68))
        r.rect(sx0 + 20 * sc, y + slot_h * 0.25, sx0 + (sx1 - sx0) * 0.55, y + slot_h * 0.6,
               (30, 14, 6))
        for d in range(5):
            dx = sx0 + 26 * sc + d * 16 * sc
            r.rect(dx, y + slot_h * 0.32, dx + 10 * sc, y + slot_h * 0.53, style["digits"])
    for k in range(4):
        cx = width * 0.74 + (k % 2) * rad * 2.1
        cy = gy + (k // 2) * rad * 2.3
        gauge(r, cx, cy, rad * 0.8, 250 + 35 * k, style["digits"])
    # Switch row and a placard with the aircraft's colours.
    for k in range(10):
        x = 60 * sc + k * 28 * sc
        r.rect(x, height - 48 * sc, x + 14 * sc, height - 24 * sc, (190, 190, 184))
    r.rect(width * 0.86, height - 60 * sc, width * 0.97, height - 20 * sc, trim)
    r.save(path)


STYLES = {
    "grey": {"face": (86, 94, 104), "trim": (210, 120, 40), "frame": (120, 124, 130),
             "digits": (255, 170, 40), "sill": 0.46},
    "beige": {"face": (150, 138, 112), "trim": (120, 40, 30), "frame": (196, 188, 170),
              "digits": (255, 150, 30), "sill": 0.44, "side_windows": True},
    "jet": {"face": (64, 68, 74), "trim": (60, 140, 210), "frame": (96, 100, 108),
            "digits": (90, 230, 120), "sill": 0.40},
    "wood": {"face": (110, 74, 44), "trim": (210, 180, 90), "frame": (90, 70, 50),
             "digits": (255, 200, 80), "sill": 0.42, "side_windows": True},
    "blue": {"face": (58, 72, 96), "trim": (230, 200, 60), "frame": (110, 118, 130),
             "digits": (255, 170, 40), "sill": 0.45},
}

# ----------------------------------------------------------------------------- configuration


def write_text(path, lines):
    with open(path, "w", newline="") as f:
        f.write(CRLF.join(lines) + CRLF)


def aircraft_cfg(title, atc_model):
    return ["[fltsim.0]", "title=%s" % title, "sim=%s" % atc_model, "model=", "panel=", "sound=",
            "texture=", "kb_checklists=", "atc_id=N%s" % atc_model.upper()[:4],
            "atc_airline=", "atc_flight_number=", "ui_manufacturer=%s" % title.split()[0],
            "ui_type=%s" % " ".join(title.split()[1:]), "ui_variation=", "description=%s" % title,
            "", "[General]", "performance=", "atc_type=%s" % title.split()[0].upper(),
            "atc_model=%s" % atc_model.upper(), "Category=airplane", ""]


def main_window(bitmaps, size_mm):
    lines = ["[Window00]"]
    for key, name in bitmaps:
        lines.append("%s=%s" % (key, name))
    if size_mm:
        lines.append("size_mm=%d,%d" % size_mm)
    lines += ["position=7", "visible=1", "ident=MAIN_PANEL", "window_size= 1.000, 0.650",
              "window_pos= 0.000, 0.350", "",
              "gauge00=SDK!Airspeed,  112,110,108,108",
              "gauge01=SDK!Attitude,  262,110,108,108",
              "gauge02=SDK!Altimeter,  412,110,108,108",
              "gauge03=SDK!Turn Coordinator,  112,250,108,108",
              "gauge04=SDK!Heading,  262,250,108,108",
              "gauge05=SDK!Vertical Speed,  412,250,108,108",
              "gauge06=Bendix_King_Radio!Bendix-King Radio Audio,  484,20,190,26",
              "gauge07=Bendix_King_Radio!Bendix-King Radio Nav-Comm 1,  484,46,190,46",
              "gauge08=Bendix_King_Radio!Bendix-King Radio Nav-Comm 2,  484,92,190,46",
              "gauge09=Bendix_King_Radio!Bendix-King Radio ADF,  484,138,190,46",
              "gauge10=Bendix_King_Radio!Bendix-King Radio Xpndr,  484,184,190,46",
              "gauge11=SDK!Clock,  760,110,80,80",
              "gauge12=SDK!Fuel Quantity,  760,200,80,80", ""]
    return lines


def sub_window(n, ident, size, position, gauges):
    lines = ["[Window%02d]" % n, "size_mm=%d,%d" % size, "position=%d" % position,
             "visible=0", "ident=%s" % ident]
    lines += ["gauge%02d=%s" % (k, g) for k, g in enumerate(gauges)]
    return lines + [""]


def tail_sections(vc):
    lines = ["[Views]", "VIEW_FORWARD_ZOOM=1.000", "VIEW_FORWARD_WINDOWS=MAIN_PANEL,GPS_PANEL", "",
             "[Default View]", "X=0", "Y=0", "SIZE_X=8192", "SIZE_Y=2600", ""]
    if vc:
        lines += ["[Vcockpit01]", "Background_color=0,0,0", "size_mm=512,512",
                  "visible=0", "pixel_size=512,512", "texture=$VC01",
                  "gauge00=SDK!Airspeed,  8,8,120,120", "gauge01=SDK!Attitude,  136,8,120,120",
                  "gauge02=SDK!Altimeter,  264,8,120,120", "",
                  "[Vcockpit02]", "Background_color=0,0,0", "size_mm=256,256",
                  "visible=0", "pixel_size=256,256", "texture=$VC02",
                  "gauge00=Bendix_King_Radio!Bendix-King Radio Nav-Comm 1,  0,0,256,64", ""]
    return lines


def panel_cfg(title, titles, bitmaps, size_mm, extra=(), vc=False, one_digit=False):
    lines = ["// Panel Configuration file", "// %s" % title, "", "[Window Titles]"]
    for n, t in enumerate(titles):
        lines.append(("Window%d=%s" if one_digit else "Window%02d=%s") % (n, t))
    lines += ["", "//--------------------------------------------------------"]
    lines += main_window(bitmaps, size_mm)
    lines += ["//--------------------------------------------------------"]
    # Sub-windows for the titles after the main panel, so that titles and sections agree.
    for n, t in enumerate(titles[1:], start=1):
        if any(line == "[Window%02d]" % n for line in extra):
            continue
        lines += sub_window(n, "%d" % (10000 + n), (180, 120), n % 9,
                            ["SDK!%s,  0,0,180,120" % t])
    lines += list(extra)
    lines += tail_sections(vc)
    return lines


# The GPS window set exactly as the program writes it for a 1024 mm main window.
def installed_set(slots):
    mini, gps, av, vor = slots
    return [
        "[Window%02d]" % mini, "size_mm=80,128", "position=0", "visible=1", "ident=12600",
        "gauge00=Skyvantage_Aerolith!MiniStack,0,0,80,128,12601 12602 12603", "",
        "[Window%02d]" % gps, "BACKGROUND_COLOR=2,2,2", "size_mm=500,360", "window_size_ratio=1.0",
        "position=2", "visible=0", "ident=12601", "gauge00=Skyvantage_Aerolith!GNS530,0,0,500,360", "",
        "[Window%02d]" % av, "BACKGROUND_COLOR=2,2,2", "size_mm=500,303", "window_size_ratio=1.0",
        "position=8", "visible=0", "ident=12602", "gauge00=Skyvantage_Aerolith!GMA340,0,0,500,100",
        "gauge01=Skyvantage_Aerolith!GTX327,0,100,500,131",
        "gauge02=Bendix_King_Radio!Bendix-King Radio ADF,0,231,250,72",
        "gauge03=Bendix_King_Radio!Bendix-King Radio AP,250,231,250,72", "",
        "[Window%02d]" % vor, "BACKGROUND_COLOR=2,2,2", "size_mm=240,240", "window_size_ratio=1.0",
        "position=6", "visible=0", "ident=12603", "gauge00=Skyvantage_Aerolith!GI106A,0,0,240,240", "",
    ]


SET_TITLES = ["Skyvantage 530 MiniStack", "Skyvantage 530 GPS", "Skyvantage 530 AVIONICS",
              "Skyvantage 530 VOR"]

SHAPES = {"4:3": (1024, 768), "16:10": (1024, 640), "2:1": (1024, 512)}


def make_panel(folder, name, title, style, shape, size_mm=(1024, 768), titles=None, extra=(),
               vc=False, one_digit=False, small_file=None):
    """A panel folder with its panel.cfg and main-window bitmap(s)."""
    os.makedirs(folder)
    w, h = SHAPES[shape]
    bitmaps = []
    if small_file:
        cockpit(640, 480, STYLES[small_file], os.path.join(folder, "%s_panel.bmp" % name))
        bitmaps.append(("file", "%s_panel.bmp" % name))
        cockpit(w, h, STYLES[style], os.path.join(folder, "%s_panel_1024.bmp" % name))
        bitmaps.append(("file_1024", "%s_panel_1024.bmp" % name))
    else:
        cockpit(w, h, STYLES[style], os.path.join(folder, "%s_panel.bmp" % name))
        bitmaps.append(("file", "%s_panel.bmp" % name))
    titles = titles or ["Main Panel", "Radio Stack", "Throttle Quadrant", "Compass"]
    write_text(os.path.join(folder, "panel.cfg"),
               panel_cfg(title, titles, bitmaps, size_mm, extra, vc, one_digit))


def make_aircraft(root, folder, title, model="", panels=(), extra_files=(), variations=()):
    path = os.path.join(root, folder)
    os.makedirs(path)
    for sub in ("model", "texture", "sound"):
        os.makedirs(os.path.join(path, sub))
    if title is not None:
        write_text(os.path.join(path, "aircraft.cfg"), aircraft_cfg(title, model or folder) + list(variations))
    for panel_folder, kwargs in panels:
        make_panel(os.path.join(path, panel_folder), folder, title or folder, **kwargs)
    for name, lines in extra_files:
        write_text(os.path.join(path, name), lines)
    return path


def build(out):
    sim = os.path.join(out, "FS2002")
    if os.path.exists(sim):
        shutil.rmtree(sim)
    aircraft = os.path.join(sim, "aircraft")
    os.makedirs(aircraft)
    write_text(os.path.join(sim, "FS2002.CFG"), ["[MAIN]", "User Objects=Airplane", ""])
    gauges = os.path.join(sim, "Gauges")
    os.makedirs(gauges)
    for module in ("SDK", "Bendix_King_Radio", "Skyvantage_Aerolith"):
        with open(os.path.join(gauges, module + ".gau"), "wb") as f:
            f.write(b"MZ")  # a stand-in: nothing opens the modules but the simulator

    make_aircraft(aircraft, "b58", "Beech Baron 58", "BE58", [
        ("panel", dict(style="blue", shape="2:1", size_mm=(1024, 512))),
        ("panel_vc", dict(style="grey", shape="4:3", vc=True)),
    ], variations=["[fltsim.1]", "title=Beech Baron 58 IFR Trainer", "sim=BE58", "model=", "panel=ifr",
                   "sound=", "texture=", ""])
    make_aircraft(aircraft, "b737_400", "Boeing 737-400", "B734", [
        ("panel", dict(style="jet", shape="16:10", size_mm=(1024, 640),
                       titles=["Main Panel", "Overhead Panel", "Throttle Quadrant", "Radio Stack"]
                       + SET_TITLES,
                       extra=installed_set((4, 5, 6, 7)))),
    ])
    b737_cargo = make_aircraft(aircraft, "b737_cargo", "Boeing 737-400 Freighter", "B734")
    os.makedirs(os.path.join(b737_cargo, "panel"))
    write_text(os.path.join(b737_cargo, "panel", "panel.cfg"),
               ["// Uses the passenger version's panel", "[fltsim]", "alias=b737_400\\panel", ""])
    make_aircraft(aircraft, "c208", "Cessna Caravan 208B", "C208", [
        ("panel", dict(style="grey", shape="4:3",
                       titles=["Main Panel"] + ["Window %d" % n for n in range(1, 29)])),
    ])
    make_aircraft(aircraft, "c172", "Cessna Skyhawk 172SP", "C172", [
        ("panel", dict(style="grey", shape="4:3", small_file="beige")),
        ("Panel.IFR", dict(style="blue", shape="16:10", size_mm=(1024, 640))),
    ])
    make_aircraft(aircraft, "c182", "Cessna Skylane 182S", "C182", [
        ("panel", dict(style="beige", shape="4:3", one_digit=True,
                       titles=["Main Panel", "Radio Stack", "GPS", "Throttle Quadrant",
                               "Compass"])),
    ])
    make_aircraft(aircraft, "dash8", "de Havilland Dash 8-100", "DH8A", [
        ("panel", dict(style="jet", shape="16:10", size_mm=(1024, 640),
                       titles=["Main Panel", "Overhead Panel", "Throttle Quadrant", "GPS 530"],
                       extra=["[Window03]", "// GPS added by hand", "size_mm=312,225",
                              "position=2", "visible=0", "ident=GPS_PANEL",
                              "gauge00=Skyvantage_Aerolith!GNS530,0,0,312,225", ""])),
    ])
    make_aircraft(aircraft, "extra300", None, "", [
        ("panel", dict(style="wood", shape="4:3", size_mm=None)),
    ])
    make_aircraft(aircraft, "lear45", "Learjet 45", "LJ45", [
        ("panel", dict(style="jet", shape="16:10", size_mm=(1024, 640),
                       extra=["[Window03]", "file=compass.bmp", "size_mm=180,120", "position=3", "visible=0",
                              "ident=10002", "gauge00=SDK!Compass,  0,0,180,120", ""])),
    ])
    make_aircraft(aircraft, "mooney", "Mooney Bravo", "M20T", [
        ("panel", dict(style="blue", shape="2:1", size_mm=(1024, 512),
                       extra=["[Window02]", "size_mm=180,120", "position=2", "visible=0", "ident=10002",
                              "gauge00=Mooney_Bravo!Throttle Quadrant,  0,0,90,120",
                              "guage01=SDK!Mixture,  90,0,90,120", ""])),
    ])
    make_aircraft(aircraft, "sopwith", "Sopwith Camel", "CAML", [
        ("panel", dict(style="wood", shape="4:3",
                       titles=["Main Panel", "Compass", "Magneto"],
                       extra=["[Window01]", "size_mm=180,120", "position=1", "visible=0", "ident=10001",
                              "gauge00=SDK!Compass,  0,0,180,120", "visible=1", ""])),
    ], extra_files=[("panel.cfg", ["// A stray copy: not a panel folder", "[Window Titles]",
                                   "Window00=Main Panel", ""])])
    make_aircraft(aircraft, "sailplane", "Schweizer 2-32 Sailplane", "S232")
    make_aircraft(aircraft, "default", "Default Aircraft", "DFLT", [
        ("panel", dict(style="grey", shape="4:3")),
    ])

    write_text(os.path.join(out, "GARMINWT.INI"),
               ["[GNC500WT]", "JeppDB=AMERICAS.IMG", "Volume=50", "ShowSplash=1", ""])
    return sim


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_demo_install.py OUTDIR")
    os.makedirs(sys.argv[1], exist_ok=True)
    print(build(sys.argv[1]))


if __name__ == "__main__":
    main()
