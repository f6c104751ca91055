"""A user's whole round trip, with real mouse clicks: open the first aircraft of the tree, click
its first panel, install the GPS window set, see the two gauge pictures, remove it again and find
panel.cfg exactly as it was, then leave through the close area.

    install_remove_test.py EXE WORK SOURCE_DIR
"""
import os
import sys

import pwdrive
from pwdrive import Failure

# The first aircraft by title in the demo install and its first panel (see make_demo_install.py).
PANEL_CFG = os.path.join("FS2002", "aircraft", "b58", "panel", "panel.cfg")
SET_TITLES = ["Skyvantage 530 MiniStack", "Skyvantage 530 GPS", "Skyvantage 530 AVIONICS",
              "Skyvantage 530 VOR"]


def open_first_panel(app):
    """Opens the first aircraft (row 1, below the root) and clicks its first panel (row 2)."""
    tree = pwdrive.Tree(app)
    tree.open_aircraft(1)
    tree.click(2)


def gauges(app, gps, radio):
    """Shares of the GPS and radio stack pictures found at their places."""
    screen = app.shot()
    return (pwdrive.matches_bitmap(app, screen, gps, pwdrive.GPS_AT, pwdrive.GPS_SIZE),
            pwdrive.matches_bitmap(app, screen, radio, pwdrive.RADIO_AT, pwdrive.RADIO_SIZE))


def main():
    exe, work, src = sys.argv[1:4]
    cfg = os.path.join(work, PANEL_CFG)
    original = open(cfg, "rb").read()
    gps = pwdrive.read_bmp(os.path.join(src, "resources", "gps_unit.bmp"))
    radio = pwdrive.read_bmp(os.path.join(src, "resources", "radio_stack.bmp"))
    backdrop = pwdrive.read_bmp(os.path.join(src, "resources", "backdrop.bmp"))

    app = pwdrive.App(exe)
    try:
        app.find_window()
        app.settle(1.5)
        open_first_panel(app)
        # The panel's preview now covers the lower part of the outside view.
        if not pwdrive.wait_until(lambda: pwdrive.matches_bitmap(
                app, app.shot(), backdrop, (253, 123), (320, 240)) < 0.8, 5):
            raise Failure("clicking the first panel showed no preview")
        if max(gauges(app, gps, radio)) > 0.5:
            raise Failure("gauge pictures shown before anything was installed")

        app.click(*pwdrive.INSTALL_BUTTON)
        pwdrive.wait_until(lambda: SET_TITLES[-1] in open(cfg, "rb").read().decode("latin-1"))
        text = open(cfg, "rb").read().decode("latin-1")
        missing = [t for t in SET_TITLES if t not in text]
        if missing:
            raise Failure("after pressing install, panel.cfg lacks %s" % ", ".join(missing))
        if "Skyvantage_Aerolith!GNS530" not in text:
            raise Failure("after pressing install, panel.cfg lacks the GPS window's gauge line")
        if os.path.exists(cfg + "_backup"):
            raise Failure("panel.cfg_backup left behind after the install")

        got = pwdrive.wait_until(lambda: min(gauges(app, gps, radio)) >= 0.95, 5)
        if not got:
            raise Failure("gauge pictures after install: GPS %.0f%%, radio stack %.0f%% of "
                          "sampled pixels" % tuple(100 * g for g in gauges(app, gps, radio)))

        app.click(*pwdrive.INSTALL_BUTTON)
        pwdrive.wait_until(lambda: open(cfg, "rb").read() == original)
        if open(cfg, "rb").read() != original:
            raise Failure("after pressing remove, panel.cfg differs from the original")
        if not pwdrive.wait_until(lambda: max(gauges(app, gps, radio)) < 0.5, 5):
            raise Failure("gauge pictures still shown after the removal")

        app.click(*pwdrive.CLOSE_POINT)
        code = app.wait_exit()
        if code != 1:
            raise Failure("exit code %d after a click in the close area, expected 1" % code)
    except Failure as e:
        app.save(os.path.join(work, "failure.png"))
        print("FAILED: %s (screenshot: %s)" % (e, os.path.join(work, "failure.png")))
        return 1
    finally:
        app.kill()
    print("install and removal through the window: panel.cfg round trip exact, gauges shown")
    return 0


if __name__ == "__main__":
    sys.exit(main())
