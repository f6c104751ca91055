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


def round_trip(app, work, src):
    cfg = os.path.join(work, PANEL_CFG)
    original = open(cfg, "rb").read()
    gps = pwdrive.resource(src, "gps_unit.bmp")
    radio = pwdrive.resource(src, "radio_stack.bmp")
    backdrop = pwdrive.resource(src, "backdrop.bmp")

    def gauges():
        """Shares of the GPS and radio stack pictures found at their places."""
        screen = app.shot()
        return (pwdrive.matches_bitmap(app, screen, gps, pwdrive.GPS_AT, pwdrive.GPS_SIZE),
                pwdrive.matches_bitmap(app, screen, radio, pwdrive.RADIO_AT, pwdrive.RADIO_SIZE))

    tree = pwdrive.Tree(app)
    tree.open_aircraft(1)
    tree.click(2)
    # The panel's preview now covers the lower part of the outside view.
    if not pwdrive.wait_until(lambda: pwdrive.matches_bitmap(app, app.shot(), backdrop) < 0.8, 5):
        raise Failure("clicking the first panel showed no preview")
    if max(gauges()) > 0.5:
        raise Failure("gauge pictures shown before anything was installed")

    app.click(*pwdrive.INSTALL_BUTTON)
    pwdrive.wait_until(lambda: SET_TITLES[-1] in open(cfg, "rb").read().decode("latin-1"))
    text = open(cfg, "rb").read().decode("latin-1")
    missing = [t for t in SET_TITLES + ["Skyvantage_Aerolith!GNS530"] if t not in text]
    if missing:
        raise Failure("after pressing install, panel.cfg lacks %s" % ", ".join(missing))
    if os.path.exists(cfg + "_backup"):
        raise Failure("panel.cfg_backup left behind after the install")
    if not pwdrive.wait_until(lambda: min(gauges()) >= 0.95, 5):
        raise Failure("gauge pictures after install: GPS %.0f%%, radio stack %.0f%% of sampled "
                      "pixels" % tuple(100 * g for g in gauges()))

    app.click(*pwdrive.INSTALL_BUTTON)
    if not pwdrive.wait_until(lambda: open(cfg, "rb").read() == original):
        raise Failure("after pressing remove, panel.cfg differs from the original")
    if not pwdrive.wait_until(lambda: max(gauges()) < 0.5, 5):
        raise Failure("gauge pictures still shown after the removal")
    return "install and removal through the window: panel.cfg round trip exact, gauges shown"


if __name__ == "__main__":
    sys.exit(pwdrive.scenario(round_trip))
