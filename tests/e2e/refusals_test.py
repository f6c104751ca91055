"""The panels the program must not edit, with real clicks: a panel with only three free window
slots answers the install with its message box and stays as it was; a panel edited by hand and
an alias panel show their notices, and pressing the button writes to neither of them nor to the
panel the alias names. Then the close area ends the program with exit code 1.

    refusals_test.py EXE WORK SOURCE_DIR
"""
import os
import sys

import pwdrive
from pwdrive import Failure

AIRCRAFT = os.path.join("FS2002", "aircraft")
CARAVAN = os.path.join(AIRCRAFT, "c208", "panel", "panel.cfg")
DASH8 = os.path.join(AIRCRAFT, "dash8", "panel", "panel.cfg")
FREIGHTER = os.path.join(AIRCRAFT, "b737_cargo", "panel", "panel.cfg")
ALIAS_TARGET = os.path.join(AIRCRAFT, "b737_400", "panel", "panel.cfg")

# Tree rows of the demo install (see tools/make_demo_install.py): the root, then the aircraft by
# title, with Boeing 737-400 and the Dash 8 open from the start because a panel of each is marked.
FREIGHTER_ROW = 4
CARAVAN_ROW = 5
DASH8_PANEL_ROW = 10    # once the Caravan is open
MESSAGE_TITLE = "Panel.cfg error"


def snapshot(work):
    return {p: open(os.path.join(work, p), "rb").read()
            for p in (CARAVAN, DASH8, FREIGHTER, ALIAS_TARGET)}


def check_unchanged(work, before, what):
    for path, content in before.items():
        full = os.path.join(work, path)
        if open(full, "rb").read() != content:
            raise Failure("%s changed %s" % (path, what))
        if os.path.exists(full + "_backup"):
            raise Failure("%s_backup left behind %s" % (path, what))


def notice_shown(app, bitmap):
    return pwdrive.wait_until(lambda: pwdrive.matches_bitmap(
        app, app.shot(), bitmap, (253, 123), (320, 240)) >= 0.95, 5)


def main():
    exe, work, src = sys.argv[1:4]
    before = snapshot(work)
    alias_notice = pwdrive.read_bmp(os.path.join(src, "resources", "notice_alias.bmp"))
    foreign_notice = pwdrive.read_bmp(os.path.join(src, "resources", "notice_foreign.bmp"))

    app = pwdrive.App(exe)
    try:
        app.find_window()
        app.settle(1.5)
        tree = pwdrive.Tree(app)

        # Three free slots: the install is refused with a message box and nothing is written.
        tree.open_aircraft(CARAVAN_ROW)
        tree.click(CARAVAN_ROW + 1)
        app.click(*pwdrive.INSTALL_BUTTON)
        box = pwdrive.wait_until(lambda: pwdrive.xdotool(
            "search", "--onlyvisible", "--name", MESSAGE_TITLE, check=False).split(), 10)
        if not box:
            raise Failure("no \"%s\" message box after installing into a panel with three free "
                          "window slots" % MESSAGE_TITLE)
        pwdrive.xdotool("key", "Return")
        gone = pwdrive.wait_until(lambda: not pwdrive.xdotool(
            "search", "--onlyvisible", "--name", MESSAGE_TITLE, check=False).split(), 5)
        if not gone:
            raise Failure("the message box did not close on Enter")
        check_unchanged(work, before, "by a refused install")

        # Edited by hand: its notice, and the button writes nothing.
        tree.click(DASH8_PANEL_ROW)
        if not notice_shown(app, foreign_notice):
            raise Failure("clicking the hand-edited panel did not show its notice")
        app.click(*pwdrive.INSTALL_BUTTON)
        app.settle()
        check_unchanged(work, before, "by pressing the button on a hand-edited panel")

        # Alias: its notice, and the button writes neither the alias nor the panel it names.
        tree.open_aircraft(FREIGHTER_ROW)
        tree.click(FREIGHTER_ROW + 1)
        if not notice_shown(app, alias_notice):
            raise Failure("clicking the alias panel did not show its notice")
        app.click(*pwdrive.INSTALL_BUTTON)
        app.settle()
        check_unchanged(work, before, "by pressing the button on an alias panel")

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
    print("refused install, hand-edited and alias panels: no file written, notices shown")
    return 0


if __name__ == "__main__":
    sys.exit(main())
