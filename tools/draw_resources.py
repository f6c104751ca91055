#!/usr/bin/env python3
"""Draws the program's bitmaps into resources/ (or the folder given as the first argument).

The pictures are drawn with ImageMagick (the real one in /usr/bin: /usr/local/bin may hold a
stand-in) and written here as BMP files in exactly the formats the program expects:

  skin.bmp                 300   615 x 443, 24-bit
  gps_unit.bmp             400   140 x 100, 32-bit
  radio_stack.bmp          500   140 x 64,  32-bit
  state_blank.bmp          600   16 x 16,   32-bit
  state_badge.bmp          700   16 x 16,   32-bit
  backdrop.bmp             800   320 x 240, 8-bit palette
  notice_alias.bmp         1100  320 x 240, 8-bit palette
  notice_foreign.bmp       1200  320 x 240, 8-bit palette
  badge_americas.bmp       1300  60 x 34,   8-bit palette
  badge_international.bmp  1400  60 x 34,   8-bit palette

Every file uses a plain BITMAPINFOHEADER with BI_RGB, bottom-up rows, which windres embeds and
LoadBitmap reads everywhere. The backdrop and the notices are drawn over by the preview's mask
logic, where exact black means see-through, so they never contain RGB 0,0,0.

The .bmp files are committed; the build needs no image tools. Run this again after changing a
picture and look at the result.
"""
import os
import re
import struct
import subprocess
import sys
import tempfile

CONVERT = "/usr/bin/convert"

# Colours shared by the skin and the pictures.
NAVY = "#0e1822"
ACCENT = "#e8912d"
PAPER = "#f4f1ea"
MUTED = "#9fb3c8"


# ----------------------------------------------------------------------------- rendering

def render(width, height, base, steps):
    """Runs ImageMagick over a list of steps and returns the picture as packed RGB bytes.

    base is an ImageMagick canvas ("xc:#123456", "gradient:#a-#b"); a step is either an MVG
    text (drawn) or a list of plain options (applied in order, such as a blur)."""
    # MVG goes on the command line: the usual security policy forbids reading it from a file.
    args = [CONVERT, "-size", "%dx%d" % (width, height), base]
    for step in steps:
        args += ["-draw", step] if isinstance(step, str) else list(step)
    args += ["-alpha", "off", "-depth", "8", "rgb:-"]
    data = subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout
    if len(data) != width * height * 3:
        raise SystemExit("unexpected picture size from ImageMagick")
    return data


def no_pure_black(rgb):
    """Lifts every exact-black pixel to a near black, which the mask treats as opaque."""
    out = bytearray(rgb)
    for i in range(0, len(out), 3):
        if out[i] == 0 and out[i + 1] == 0 and out[i + 2] == 0:
            out[i] = out[i + 1] = out[i + 2] = 8
    return bytes(out)


def quantize(width, height, rgb, colours=255):
    """Reduces a picture to at most `colours` colours (no dithering: flat areas stay flat)."""
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.rgb")
        with open(src, "wb") as f:
            f.write(rgb)
        args = [CONVERT, "-size", "%dx%d" % (width, height), "-depth", "8", "rgb:" + src,
                "+dither", "-colors", str(colours), "-depth", "8", "rgb:-"]
        return subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout


# ----------------------------------------------------------------------------- BMP files

def _headers(width, height, bpp, image_size, palette_entries):
    offset = 14 + 40 + 4 * palette_entries
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 2835, 2835,
                       palette_entries, 0)
    return file_header + info


def write_bmp24(path, width, height, rgb):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(rgb[y * width * 3:(y + 1) * width * 3])
        row[0::3], row[2::3] = row[2::3], row[0::3]
        rows.append(bytes(row) + b"\0" * (stride - width * 3))
    with open(path, "wb") as f:
        f.write(_headers(width, height, 24, stride * height, 0) + b"".join(rows))


def write_bmp32(path, width, height, rgb):
    # The fourth byte is 255 so that an image list never takes the picture as see-through.
    rows = []
    for y in range(height - 1, -1, -1):
        src = rgb[y * width * 3:(y + 1) * width * 3]
        row = bytearray(width * 4)
        row[0::4], row[1::4], row[2::4] = src[2::3], src[1::3], src[0::3]
        row[3::4] = b"\xff" * width
        rows.append(bytes(row))
    with open(path, "wb") as f:
        f.write(_headers(width, height, 32, width * 4 * height, 0) + b"".join(rows))


def write_bmp8(path, width, height, rgb):
    colours = sorted({rgb[i:i + 3] for i in range(0, len(rgb), 3)})
    if len(colours) > 256:
        raise SystemExit("%s: %d colours do not fit a palette" % (path, len(colours)))
    index = {c: n for n, c in enumerate(colours)}
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in colours)
    stride = (width + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytes(index[rgb[i:i + 3]] for i in range(y * width * 3, (y + 1) * width * 3, 3))
        rows.append(row + b"\0" * (stride - width))
    with open(path, "wb") as f:
        f.write(_headers(width, height, 8, stride * height, len(colours)) + palette +
                b"".join(rows))


# ----------------------------------------------------------------------------- pictures

def text(x, y, s, size, colour, font="DejaVu-Sans"):
    s = s.replace("\\", "\\\\").replace("'", "\\'")
    return "font '%s'\nfont-size %s\nfill '%s'\nstroke none\ntext %d,%d '%s'\n" % (
        font, size, colour, x, y, s)


def lcg(seed):
    """A tiny fixed random sequence, so that every run draws the same skyline."""
    state = seed
    while True:
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        yield state >> 8


HORIZON = 92


def outside_view():
    """MVG of the runway scene seen from the cockpit (320 x 240), drawn over a sky gradient."""
    m = []
    # Hazy distant ridge and skyline standing on the horizon.
    m.append("fill '#8ea4b8'\nstroke none\npolygon 0,%d 40,%d 90,%d 130,%d 190,%d 250,%d 320,%d 320,%d 0,%d\n"
             % (HORIZON - 6, HORIZON - 10, HORIZON - 7, HORIZON - 12, HORIZON - 8, HORIZON - 11,
                HORIZON - 6, HORIZON, HORIZON))
    rnd = lcg(1002)
    x = 176
    windows = []
    while x < 312:
        w = 6 + next(rnd) % 9
        h = 8 + next(rnd) % 22
        shade = ("#5b6b80", "#4f5e72", "#667690")[next(rnd) % 3]
        m.append("fill '%s'\nrectangle %d,%d %d,%d\n" % (shade, x, HORIZON - h, x + w - 1, HORIZON))
        for wy in range(HORIZON - h + 3, HORIZON - 2, 4):
            for wx in range(x + 2, x + w - 2, 3):
                if next(rnd) % 5 == 0:
                    windows.append((wx, wy))
        x += w + next(rnd) % 3
    # A control tower and hangars on the left of the field.
    m.append("fill '#6a7480'\nrectangle 34,%d 37,%d\n" % (HORIZON - 16, HORIZON))
    m.append("fill '#50606e'\nrectangle 31,%d 40,%d\n" % (HORIZON - 20, HORIZON - 16))
    m.append("fill '#9aa6b0'\nrectangle 50,%d 78,%d\nfill '#8a96a2'\nrectangle 82,%d 104,%d\n"
             % (HORIZON - 6, HORIZON, HORIZON - 5, HORIZON))
    for wx, wy in windows:
        m.append("fill '#f0dea0'\npoint %d,%d\n" % (wx, wy))
    # Ground and grass.
    m.append("fill '#6f8f4c'\nrectangle 0,%d 319,239\n" % HORIZON)
    m.append("fill '#65843f'\npolygon 0,%d 320,%d 320,150 0,170\n" % (HORIZON + 12, HORIZON + 20))
    m.append("fill '#5a7a38'\npolygon 0,190 320,175 320,239 0,239\n")
    # Runway in perspective towards a vanishing point on the horizon.
    vx, top = 160, HORIZON + 2
    m.append("fill '#5c5f63'\npolygon %d,%d %d,%d 300,239 20,239\n" % (vx - 7, top, vx + 7, top))
    m.append("stroke '#e6e6e0'\nstroke-width 1\nline %d,%d 26,239\nline %d,%d 294,239\nstroke none\n"
             % (vx - 6, top, vx + 6, top))
    # Centre-line dashes, longer and wider as they come closer.
    y = top + 2
    length = 2
    while y < 240:
        t0 = (y - top) / (240 - top)
        t1 = (min(y + length, 239) - top) / (240 - top)
        w0, w1 = 0.4 + 2.2 * t0, 0.4 + 2.2 * t1
        m.append("fill '#f2f2ea'\npolygon %.1f,%d %.1f,%d %.1f,%d %.1f,%d\n"
                 % (vx - w0, y, vx + w0, y, vx + w1, min(y + length, 239), vx - w1, min(y + length, 239)))
        y += length * 2 + 1
        length = length + 2
    # Threshold bars at the far end.
    for k in (-5, -3, 3, 5):
        m.append("fill '#f2f2ea'\nrectangle %d,%d %d,%d\n" % (vx + k, top + 1, vx + k, top + 3))
    return "".join(m)


def sky():
    return "gradient:#6f9fd6-#dce8f2"


def backdrop():
    rgb = render(320, 240, sky(), [outside_view()])
    # The sky gradient runs over the whole height; it only shows above the horizon.
    return no_pure_black(quantize(320, 240, rgb))


def sample_cockpit():
    """MVG of a generic cockpit panel over the lower part of a 320 x 240 view."""
    m = ["fill '#3c4148'\nstroke none\npolygon 0,118 60,108 260,108 320,118 320,239 0,239\n",
         "fill '#2a2e33'\nrectangle 0,112 319,118\n",
         "fill '#2f3338'\nrectangle 150,0 170,108\n"]
    for cx, cy in ((40, 150), (84, 150), (128, 150), (40, 196), (84, 196), (128, 196),
                   (196, 150), (240, 150), (284, 150), (196, 196), (240, 196), (284, 196)):
        m.append("fill '#1a1d21'\nstroke '#8a9096'\nstroke-width 2\ncircle %d,%d %d,%d\n"
                 % (cx, cy, cx + 18, cy))
        m.append("stroke '#f0f0e8'\nstroke-width 2\nline %d,%d %d,%d\nstroke none\n"
                 % (cx, cy, cx + 10, cy - 8))
    return "".join(m)


def notice(title, lines, icon):
    scene = [outside_view(), sample_cockpit(), ["-blur", "0x3"]]
    card = ["fill '#f6f2e8'\nfill-opacity 0.94\nstroke '%s'\nstroke-width 2\n"
            "roundrectangle 18,40 301,204 10,10\nfill-opacity 1\n" % ACCENT]
    if icon == "up":
        # Points at the path line just above the preview.
        card.append("fill '%s'\nstroke none\npolygon 160,14 174,32 166,32 166,40 154,40 154,32 146,32\n"
                    % ACCENT)
    card.append("fill '%s'\nstroke none\ncircle 44,70 44,58\n" % ACCENT)
    card.append(text(39 if icon == "up" else 40, 78, "i" if icon == "up" else "!", 20,
                     "#fbf7ee", "DejaVu-Sans-Bold"))
    card.append(text(66, 77, title, 16, "#a8421a", "DejaVu-Sans-Bold"))
    y = 108
    for line in lines:
        card.append(text(32, y, line, 12, "#1c2430"))
        y += 19
    rgb = render(320, 240, sky(), scene + ["".join(card)])
    return no_pure_black(quantize(320, 240, rgb))


def notice_alias():
    return notice("Alias panel",
                  ["This aircraft panel is an alias of",
                   "the panel folder shown in the line",
                   "above. To modify it, select that",
                   "folder's panel in the list."], "up")


def notice_foreign():
    return notice("Edited by hand",
                  ["This aircraft panel was edited by",
                   "hand to carry the Aerolith gauges.",
                   "Panelwright leaves it as it is:",
                   "please select another panel."], "stop")


def shown_version():
    """MAJOR.MINOR of project(VERSION) in CMakeLists.txt, the one place the version is stated:
    the skin's footer names it, so redraw the skin when either number changes."""
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "CMakeLists.txt")
    found = re.search(r"project\(\w+ VERSION (\d+)\.(\d+)\.\d+", open(top).read())
    return "%s.%s" % found.groups()


def skin():
    m = []
    # Title band across rows 0..29 with an accent rule at its foot.
    m.append("fill '%s'\nstroke none\nrectangle 0,0 614,27\nfill '%s'\nrectangle 0,28 614,29\n"
             % (NAVY, ACCENT))
    m.append("fill '%s'\ncircle 16,14 16,5\nfill '%s'\ncircle 16,14 16,9\nfill '%s'\n"
             "polygon 16,8 19,16 16,14 13,16\n" % (ACCENT, NAVY, PAPER))
    m.append(text(32, 21, "Panelwright", 17, PAPER, "DejaVu-Sans-Bold"))
    m.append(text(166, 20, "GPS window sets for Flight Simulator 2002 panels", 11, MUTED))
    # Round close button inside the close area (x > 580, y < 30).
    m.append("fill '#c8412f'\nstroke '#f2c9bf'\nstroke-width 1\ncircle 596.5,13.5 607.5,13.5\n")
    m.append("stroke '#ffffff'\nstroke-width 2\nline 592,9 601,18\nline 601,9 592,18\nstroke none\n")
    # Instruction line.
    m.append(text(24, 54, "Select a panel in the list, then choose Install Aerolith below the "
                  "panel view.", 12, "#e9e4d8"))
    # Please-wait band behind the path line (control 102: x 24..597, y 66..84).
    m.append("fill '#f7e7b4'\nstroke '#c9a24a'\nstroke-width 1\nrectangle 24,66 597,84\nstroke none\n")
    m.append(text(32, 79, "Please wait: building the list of aircraft panels...", 11, "#4a3a10",
                  "DejaVu-Sans-Oblique"))
    # Frame behind the tree (control 101: x 24..222, y 95..393).
    m.append("fill '#0b131b'\nrectangle 18,89 228,399\nfill '#5d7389'\nrectangle 20,91 226,397\n"
             "fill '#ffffff'\nrectangle 22,93 224,395\n")
    # Sample screen at the screen area (x 253..572, y 123..362) with bezel and drop shadow.
    m.append("fill '#0a1016'\nroundrectangle 251,121 587,376 7,7\n")
    m.append("fill '#121b24'\nroundrectangle 248,118 584,373 7,7\n")
    m.append("fill '#3a4450'\nstroke '#7d8a97'\nstroke-width 1\nroundrectangle 244,114 581,371 7,7\n"
             "stroke none\n")
    m.append("fill '#1f3346'\nrectangle 253,123 572,362\n")
    m.append("fill '#2a4660'\npolygon 253,290 400,250 572,270 572,362 253,362\n")
    m.append(text(340, 246, "Panel preview", 16, "#7f9bb4", "DejaVu-Sans-Bold"))
    # Label of the database badge (badge at x 513..572, y 373..406).
    m.append(text(507, 420, "Nav database", 9, MUTED))
    # Footer.
    m.append(text(24, 416, "Panelwright " + shown_version(), 11, PAPER, "DejaVu-Sans-Bold"))
    m.append(text(24, 429, "Aerolith GPS windows for FS2002 panels", 9, MUTED))
    m.append("fill '%s'\nrectangle 0,434 614,434\nfill '%s'\nrectangle 0,435 614,442\n"
             % (ACCENT, NAVY))
    return render(615, 443, "gradient:#26384a-#18222c", ["".join(m)])


def gps_unit():
    m = ["fill '#2d3136'\nstroke '#5a6068'\nstroke-width 1\nrectangle 0,0 139,99\nstroke none\n",
         "fill '#1b1e22'\nrectangle 24,8 115,73\n",
         # Moving map: land, a lake, the flight plan and the aircraft.
         "fill '#3d6b3f'\nrectangle 26,18 113,71\n",
         "fill '#2f6aa0'\nellipse 90,58 14,8 0,360\n",
         "fill '#7a8f5a'\npolygon 26,40 50,34 70,44 60,71 26,71\n",
         "stroke '#e040c0'\nstroke-width 2\nline 40,66 70,44\nline 70,44 104,26\nstroke none\n",
         "fill '#ffffff'\npolygon 70,40 74,50 70,47 66,50\n",
         # Data strip along the top of the screen.
         "fill '#101820'\nrectangle 26,10 113,17\n"]
    m.append(text(28, 16, "GS 120KT  DTK 047", 6, "#6fe08a", "DejaVu-Sans-Mono-Bold"))
    # Volume knobs left, buttons right, softkeys below, dual knob bottom right.
    for cy in (18, 44):
        m.append("fill '#4a4f56'\nstroke '#1a1c1f'\nstroke-width 1\ncircle 12,%d 12,%d\nstroke none\n"
                 % (cy, cy - 7))
    for n in range(5):
        y = 10 + n * 12
        m.append("fill '#4d535b'\nrectangle 120,%d 134,%d\nfill '#8a929c'\nrectangle 123,%d 131,%d\n"
                 % (y, y + 8, y + 4, y + 4))
    for n in range(6):
        x = 24 + n * 15
        m.append("fill '#4d535b'\nrectangle %d,78 %d,86\nfill '#8a929c'\nrectangle %d,82 %d,82\n"
                 % (x, x + 11, x + 3, x + 8))
    m.append("fill '#454a51'\nstroke '#1a1c1f'\ncircle 127,86 127,75\nfill '#5a6068'\n"
             "circle 127,86 127,80\nstroke none\n")
    m.append("fill '#454a51'\nstroke '#1a1c1f'\ncircle 12,84 12,76\nstroke none\n")
    m.append(text(26, 97, "GPS 530", 8, "#d8dde2", "DejaVu-Sans-Bold"))
    m.append(text(74, 97, "AEROLITH", 7, ACCENT, "DejaVu-Sans-Bold"))
    return render(140, 100, "xc:#2d3136", ["".join(m)])


def radio_stack():
    m = ["fill '#2b2f34'\nstroke '#5a6068'\nstroke-width 1\nrectangle 0,0 139,26\n",
         "fill '#33373c'\nrectangle 0,27 139,63\nstroke none\n"]
    # Audio panel: a row of selector keys with their lamps.
    labels = ("COM1", "COM2", "NAV1", "NAV2", "ADF", "DME", "MKR", "SPKR")
    for n, label in enumerate(labels):
        x = 5 + n * 16
        lit = n in (0, 2, 7)
        m.append("fill '#4d535b'\nrectangle %d,5 %d,15\n" % (x, x + 13))
        m.append("fill '%s'\nrectangle %d,7 %d,8\n" % ("#7cf08a" if lit else "#262a2e", x + 4, x + 9))
        m.append(text(x, 23, label, 5, "#c8cdd2", "DejaVu-Sans-Condensed-Bold"))
    # Transponder: code window, mode lamp and the digit keys.
    m.append("fill '#120a04'\nstroke '#5a6068'\nstroke-width 1\nrectangle 6,32 60,50\nstroke none\n")
    m.append(text(9, 47, "1200", 14, "#ffb020", "DejaVu-Sans-Mono-Bold"))
    m.append(text(46, 40, "ALT", 6, "#ffb020", "DejaVu-Sans-Bold"))
    for n in range(8):
        x = 68 + (n % 4) * 17
        y = 32 + (n // 4) * 12
        m.append("fill '#50565e'\nstroke '#1a1c1f'\nstroke-width 1\nroundrectangle %d,%d %d,%d 2,2\n"
                 "stroke none\n" % (x, y, x + 14, y + 9))
        m.append(text(x + 5, y + 8, str(n), 7, "#e8ecef", "DejaVu-Sans-Bold"))
    m.append(text(6, 60, "XPDR 327", 7, "#d8dde2", "DejaVu-Sans-Bold"))
    m.append(text(68, 60, "IDT  VFR  CLR", 6, "#aab2ba", "DejaVu-Sans-Bold"))
    return render(140, 64, "xc:#2b2f34", ["".join(m)])


def state_blank():
    return render(16, 16, "xc:#ffffff", [])


def state_badge():
    m = ("fill '%s'\nstroke '#a85a10'\nstroke-width 1\ncircle 7.5,7.5 7.5,0.5\nstroke none\n"
         "fill '#ffffff'\npolygon 7.5,2.5 10,11 7.5,9.5 5,11\n" % ACCENT)
    return render(16, 16, "xc:#ffffff", [m])


# Rough outlines of the continents as (longitude, latitude) points.
AMERICAS = [
    [(-168, 66), (-140, 70), (-95, 72), (-80, 64), (-62, 56), (-53, 47), (-70, 42), (-76, 35),
     (-81, 25), (-97, 26), (-96, 18), (-88, 15), (-79, 8), (-86, 12), (-105, 21), (-117, 32),
     (-124, 40), (-125, 49), (-136, 58), (-152, 60), (-166, 60)],
    [(-50, 83), (-22, 81), (-20, 70), (-44, 60), (-55, 70)],
    [(-79, 9), (-60, 11), (-50, 0), (-35, -6), (-40, -22), (-56, -35), (-66, -43), (-70, -55),
     (-75, -48), (-72, -30), (-71, -18), (-81, -5)],
]
REST = [
    [(-10, 36), (-9, 44), (-4, 48), (5, 53), (9, 57), (5, 62), (18, 70), (40, 68), (60, 70),
     (80, 74), (110, 77), (140, 72), (179, 68), (170, 60), (158, 55), (140, 52), (130, 42),
     (122, 38), (121, 30), (110, 20), (106, 10), (100, 14), (98, 8), (92, 22), (80, 15),
     (77, 8), (72, 20), (60, 25), (51, 27), (58, 21), (45, 12), (35, 30), (28, 36), (20, 39),
     (12, 44), (4, 43), (-5, 36)],
    [(-17, 21), (-10, 32), (0, 36), (10, 37), (32, 31), (35, 28), (43, 12), (51, 11), (40, -3),
     (40, -15), (35, -25), (20, -35), (17, -29), (12, -15), (14, -5), (9, 4), (-8, 4), (-17, 14)],
    [(114, -22), (122, -17), (131, -12), (137, -12), (142, -11), (146, -19), (153, -27),
     (150, -37), (140, -38), (130, -32), (115, -34)],
    [(-6, 50), (2, 51), (-3, 58), (-6, 56)],
    [(96, 4), (106, -6), (120, -9), (140, -4), (150, -8), (132, 0), (118, 5), (104, 2)],
    [(130, 32), (136, 35), (141, 41), (145, 44), (140, 37)],
    [(44, -25), (48, -14), (50, -16), (47, -25)],
]


def world_badge(americas_lit):
    lit, dim = "#f0b43c", "#71808e"

    def polygon(points, colour):
        xy = " ".join("%.1f,%.1f" % (1 + (lon + 180) / 360 * 58, 1 + (84 - lat) / 142 * 32)
                      for lon, lat in points)
        return "fill '%s'\nstroke none\npolygon %s\n" % (colour, xy)

    m = ["fill '#1d4f7a'\nstroke '%s'\nstroke-width 1\nrectangle 0,0 59,33\n" % MUTED]
    m += [polygon(p, lit if americas_lit else dim) for p in AMERICAS]
    m += [polygon(p, dim if americas_lit else lit) for p in REST]
    rgb = render(60, 34, "xc:#1d4f7a", ["".join(m)])
    return no_pure_black(quantize(60, 34, rgb))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    write_bmp24(os.path.join(out, "skin.bmp"), 615, 443, skin())
    write_bmp32(os.path.join(out, "gps_unit.bmp"), 140, 100, gps_unit())
    write_bmp32(os.path.join(out, "radio_stack.bmp"), 140, 64, radio_stack())
    write_bmp32(os.path.join(out, "state_blank.bmp"), 16, 16, state_blank())
    write_bmp32(os.path.join(out, "state_badge.bmp"), 16, 16, state_badge())
    write_bmp8(os.path.join(out, "backdrop.bmp"), 320, 240, backdrop())
    write_bmp8(os.path.join(out, "notice_alias.bmp"), 320, 240, notice_alias())
    write_bmp8(os.path.join(out, "notice_foreign.bmp"), 320, 240, notice_foreign())
    write_bmp8(os.path.join(out, "badge_americas.bmp"), 60, 34, world_badge(True))
    write_bmp8(os.path.join(out, "badge_international.bmp"), 60, 34, world_badge(False))


if __name__ == "__main__":
    main()
