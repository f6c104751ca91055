"""panelwright.exe as a user meets it, with real input on its own display: it starts showing the
skin, the trainer's database badge and the demo aircraft; Escape edits nothing and keeps it open;
a panel gets the GPS window set and loses it again, panel.cfg exact; a panel with three free
slots refuses with its message box, which Enter closes; the close area ends it with exit code 1.

    gui_test.py EXE WORK SOURCE_DIR
"""
import os
import sys

import pwdrive
from fleet import check
from pwdrive import wait_until

# Tree rows of the demo install (tools/make_demo_install.py): the root, the aircraft by title.
BEECH, CARAVAN = 1, 5
SET_TITLES = [b"Skyvantage 530 MiniStack", b"Skyvantage 530 GPS", b"Skyvantage 530 AVIONICS", b"Skyvantage 530 VOR"]


def scenario(app, work, src):
    def read(name):
        return open(os.path.join(work, "FS2002", "aircraft", name, "panel", "panel.cfg"), "rb").read()

    # Corners of the skin no control paints over, and the close button, once the window is painted.
    skin, corners = pwdrive.resource(src, "skin.bmp"), ((5, 5), (300, 20), (240, 420), (600, 430), (596, 4),
                                                         (590, 20), (596, 13))
    wrong = lambda screen: [(x, y, app.pixel(screen, x, y), skin.at(x, y)) for x, y in corners
                            if not pwdrive.close_to(app.pixel(screen, x, y), skin.at(x, y))]
    check(wait_until(lambda: not wrong(app.shot()), 5), "skin pixels (x, y, shown, expected): %s" % wrong(app.shot()))
    # The outside view; the 32-bit registry view reaches the program: the trainer's badge, and
    # the scanned tree (the root, eleven aircraft, the panels of the two that start open).
    check(pwdrive.shown(app, pwdrive.resource(src, "backdrop.bmp")) and
          pwdrive.shown(app, pwdrive.resource(src, "badge_americas.bmp"), pwdrive.BADGE_AT, pwdrive.BADGE_SIZE, 3),
          "the outside view or the Americas database badge does not show")
    check(wait_until(lambda: len(app.tree_rows(app.shot())) == 14, 5),
          "the tree shows %d rows, expected 14" % len(app.tree_rows(app.shot())))

    original = read("b58")
    gps, radio = pwdrive.resource(src, "gps_unit.bmp"), pwdrive.resource(src, "radio_stack.bmp")

    def gauges():
        screen = app.shot()
        return (pwdrive.matches_bitmap(app, screen, gps, pwdrive.GPS_AT, pwdrive.GPS_SIZE),
                pwdrive.matches_bitmap(app, screen, radio, pwdrive.RADIO_AT, pwdrive.RADIO_SIZE))

    tree = pwdrive.Tree(app)
    tree.open_aircraft(BEECH)
    tree.select(BEECH + 1)
    # Escape is the dialog's cancel: it neither ends the program nor edits the panel, so the click
    # after it installs (an edit by Escape would make the click remove).
    pwdrive.xdotool("key", "Escape")
    app.click(*pwdrive.INSTALL_BUTTON)
    installed = lambda: all(t in read("b58") for t in SET_TITLES)
    wait_until(lambda: installed() or app.proc.poll() is not None)
    check(app.proc.poll() is None, "Escape ended the program")
    check(installed(), "Escape and then a click on the install button: panel.cfg holds no set's titles")
    check(wait_until(lambda: min(gauges()) >= 0.95, 5), "gauge pictures after install: GPS %.0f%%, radio %.0f%%"
          % tuple(100 * g for g in gauges()))
    app.click(*pwdrive.INSTALL_BUTTON)
    check(wait_until(lambda: read("b58") == original), "after the removal panel.cfg differs from the original")
    check(wait_until(lambda: max(gauges()) < 0.5, 5), "gauge pictures still shown after the removal")

    before = read("c208")
    box = lambda: pwdrive.xdotool("search", "--onlyvisible", "--name", "Panel.cfg error", check=False).split()
    tree.open_aircraft(CARAVAN + 2)  # two rows lower while the Baron is open
    tree.select(CARAVAN + 3)
    app.click(*pwdrive.INSTALL_BUTTON)
    check(wait_until(box, 10), "no \"Panel.cfg error\" box after installing into a panel with three free slots")
    pwdrive.xdotool("key", "Return")
    check(wait_until(lambda: not box(), 5), "the message box did not close on Enter")
    check(read("c208") == before, "the refused install changed panel.cfg")
    return "started, Escape kept it, installed and removed exactly, refused three slots"


if __name__ == "__main__":
    sys.exit(pwdrive.scenario(scenario))
