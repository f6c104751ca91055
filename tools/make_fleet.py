#!/usr/bin/env python3
"""Writes a deterministic simulator install for benchmarks and tests.

    make_fleet.py OUT [--aircraft N] [--seed S]

OUT/aircraft (replaced when an earlier run of this script made it) gets one folder per
aircraft: <folder>/aircraft.cfg holds the title; each aircraft has 1 to 3 panel folders
whose panel.cfg (10 to 30 KB) has many window sections and gauge lines, beside the main
window's two bitmaps. About 8 % of the panels are aliases of another aircraft's panel (one
that is no alias itself), 8 % carry the GPS window set and 5 % mention the gauge module
without its titles. OUT/gauges holds every gauge module the panels name, so that
`panelwright-cli check` finds nothing. Prints "aircraft=N panels=M bytes=B".
"""
import argparse
import os
import random
import shutil

MAKERS = ["Cessna", "Piper", "Beech", "Mooney", "Cirrus", "Diamond", "Grumman", "Socata",
          "Robin", "Extra", "Pilatus", "Tecnam", "Learjet", "Boeing", "Airbus", "Dornier"]
MODELS = ["Skyhawk", "Archer", "Bonanza", "Ovation", "SR22", "DA40", "Tiger", "TB20",
          "DR400", "300L", "PC-12", "P2008", "45", "737-400", "A321", "Do228", "Baron"]
GAUGE_FILES = ["Cessna", "Cessna172", "Bendix_King_Radio", "Beech_Baron", "Learjet_45",
               "SimIcons", "Flightsim", "Magnetic_Compass", "Mooney_Bravo", "GPS_500"]
GAUGES = ["Airspeed", "Attitude", "Altimeter", "Turn_Coordinator", "Heading", "Vertical_Speed",
          "Tachometer", "Fuel_Quantity", "Oil_Temp_Press", "Clock", "Suction", "EGT", "Trim",
          "Flaps", "Gear", "Com_Nav_1", "Transponder", "ADF", "Autopilot", "Ammeter"]
WINDOW_TITLES = ["Main Panel", "Radio Stack", "GPS", "Throttle Quadrant", "Compass", "Overhead",
                 "Pedestal", "Fuel Selector", "Electrical", "Mini Panel", "Lights", "Autopilot"]
MODULES = GAUGE_FILES + ["Skyvantage_Aerolith"]
BITMAPS = ["panel_background_1024.bmp", "panel_background.bmp"]
# A 1 x 1 pixel, 24-bit BMP: the main window's bitmaps are there, and small.
PIXEL = bytes.fromhex("424d3a0000000000000036000000280000000100000001000000010018000000000004000000130b0000"
                      "130b00000000000000000000ffffff00")
SET_WINDOWS = [("Skyvantage 530 MiniStack", "GPS_MINISTACK"), ("Skyvantage 530 GPS", "GPS_PANEL"),
               ("Skyvantage 530 AVIONICS", "GPS_AVIONICS"), ("Skyvantage 530 VOR", "GPS_VOR")]


def gauge_lines(rng, count, start=0):
    lines = []
    for i in range(count):
        module = rng.choice(GAUGE_FILES)
        gauge = rng.choice(GAUGES)
        x, y = rng.randrange(0, 1000), rng.randrange(0, 700)
        w, h = rng.randrange(20, 120), rng.randrange(20, 120)
        lines.append("gauge%02d=%s!%s, %d,%d,%d,%d" % (start + i, module, gauge, x, y, w, h))
    return lines


def panel_text(rng, title, kind, alias_target):
    lines = ["// Panel Configuration file", "// %s" % title, "// Copyright (c) the panel's author", ""]
    if kind == "alias":
        return "\r\n".join(lines + ["[fltsim]", "alias=%s" % alias_target, ""]) + "\r\n"
    target = rng.randrange(10 * 1024, 30 * 1024)
    size = sum(len(l) + 2 for l in lines)
    window = 0
    body = []
    while size < target:
        section = ["[Window%02d]" % window]
        if window == 0:
            section += ["file_1024=%s" % BITMAPS[0], "file=%s" % BITMAPS[1],
                        "size_mm=%d,%d" % (rng.choice([640, 800, 1024]), rng.choice([480, 600, 768]))]
        else:
            section += ["size_mm=%d,%d" % (rng.randrange(100, 600), rng.randrange(100, 400)),
                        "window_size_ratio=1.000"]
        section += ["position=%d" % rng.randrange(0, 9), "visible=%d" % rng.randrange(0, 2),
                    "ident=%d" % (10000 + window), "window_size= 0.500, 0.400", ""]
        section += gauge_lines(rng, rng.randrange(15, 60))
        if kind == "foreign" and window == 1:
            section.append("gauge99=Skyvantage_Aerolith!GPS_530, 10,10,300,200")
        section.append("")
        size += sum(len(l) + 2 for l in section)
        body += section
        window += 1
    # Every window has its title, as in a panel the simulator opens whole.
    window_count = window
    lines.append("[Window Titles]")
    for i in range(window_count):
        lines.append("Window%02d=%s" % (i, WINDOW_TITLES[i % len(WINDOW_TITLES)]))
    if kind == "installed":
        for j, (set_title, _) in enumerate(SET_WINDOWS):
            lines.append("Window%02d=%s" % (window_count + j, set_title))
    lines += ["", "[VIEWS]", "VIEW_FORWARD_WINDOWS=MAIN_PANEL,RADIO_STACK,GPS_PANEL", ""]
    if kind == "installed":
        for j, (_, ident) in enumerate(SET_WINDOWS):
            body += ["[Window%02d]" % (window_count + j), "size_mm=256,128", "position=%d" % j,
                     "visible=0", "ident=%s" % ident, "gauge00=Skyvantage_Aerolith!%s, 0,0,256,128" % ident, ""]
    body += ["[Vcockpit01]", "file=vc_background.bmp", "size_mm=512,512", "pixel_size=512,512",
             "texture=$vcockpit01"] + gauge_lines(rng, 20) + [""]
    return "\r\n".join(lines + body) + "\r\n"


def aircraft_text(rng, title, folder):
    lines = []
    for i in range(rng.randrange(1, 4)):
        lines += ["[fltsim.%d]" % i, "title=%s%s" % (title, "" if i == 0 else " livery %d" % i),
                  "sim=%s" % folder, "model=", "panel=", "sound=", "texture=%d" % i,
                  "atc_id=N%d%s" % (rng.randrange(100, 999), rng.choice("ABCDEFGH")),
                  "ui_manufacturer=%s" % title.split()[0], ""]
    lines += ["[General]", "performance=Cruise speed 120 kts", "atc_type=%s" % title.split()[0].upper(),
              "", "[weight_and_balance]", "max_gross_weight=%d" % rng.randrange(2000, 90000),
              "empty_weight=%d" % rng.randrange(1000, 50000), ""]
    return "\r\n".join(lines) + "\r\n"


def write(path, text):
    with open(path, "w", newline="", encoding="latin-1") as f:
        f.write(text)
    return len(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--aircraft", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=2002)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    root = os.path.join(args.out, "aircraft")
    gauges = os.path.join(args.out, "gauges")
    marker = os.path.join(args.out, ".generated-fleet")
    for folder in (root, gauges):
        if os.path.exists(folder):
            # Only a folder this script made is ever emptied.
            if not os.path.exists(marker):
                parser.error("%s exists and was not made by this script" % folder)
            shutil.rmtree(folder)
    os.makedirs(root)
    os.makedirs(gauges)
    open(marker, "w").close()
    for module in MODULES:
        write(os.path.join(gauges, module + ".gau"), "")
    plans = []
    for n in range(args.aircraft):
        title = "%s %s" % (rng.choice(MAKERS), rng.choice(MODELS))  # duplicates happen, as in life
        folder = "%s_%04d" % (title.replace(" ", "_").lower(), n)
        panels = ["panel"] + ["panel.%s" % s for s in rng.sample(["vc", "ifr", "2d", "alt"], rng.randrange(0, 3))]
        plans.append((folder, title, panels))

    kinds = {}
    for folder, _, panels in plans:
        for panel in panels:
            roll = rng.random()
            kinds[folder, panel] = ("alias" if roll < 0.08 else "installed" if roll < 0.16 else
                                    "foreign" if roll < 0.21 else "plain")
    # The simulator follows one alias only: an alias names a first panel that is none.
    targets = [(folder, panels[0]) for folder, _, panels in plans if kinds[folder, panels[0]] != "alias"]

    panels_written = 0
    total = 0
    for folder, title, panels in plans:
        base = os.path.join(root, folder)
        os.makedirs(base)
        total += write(os.path.join(base, "aircraft.cfg"), aircraft_text(rng, title, folder))
        for panel in panels:
            kind = kinds[folder, panel]
            alias_target = "%s\\%s" % rng.choice(targets)
            os.makedirs(os.path.join(base, panel), exist_ok=True)
            total += write(os.path.join(base, panel, "panel.cfg"), panel_text(rng, title, kind, alias_target))
            if kind != "alias":
                for name in BITMAPS:
                    with open(os.path.join(base, panel, name), "wb") as f:
                        f.write(PIXEL)
            panels_written += 1
    print("aircraft=%d panels=%d bytes=%d" % (len(plans), panels_written, total))


if __name__ == "__main__":
    main()
