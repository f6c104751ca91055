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
PANELS = [os.path.join(AIRCRAFT, name, "panel", "panel.cfg")
          for name in ("c208", "dash8", "b737_cargo", "b737_400")]

# Tree rows of the demo install (see tools/make_demo_install.py): the root, then the aircraft by
# title, with Boeing 737-400 and the Dash 8 open from the start because a panel of each is marked.
FREIGHTER_ROW = 4
CARAVAN_ROW = 5
DASH8_PANEL_ROW = 10    # once the Caravan is open
MESSAGE_TITLE = "Panel.cfg error"


def refusals(app, work, src):
    before = {p: open(os.path.join(work, p), "rb").read() for p in PANELS}

    def check_unchanged(what):
        for path, content in before.items():
            full = os.path.join(work, path)
            if open(full, "rb").read() != content:
                raise Failure("%s changed %s" % (path, what))
            if os.path.exists(full + "_backup"):
                raise Failure("%s_backup left behind %s" % (path, what))

    def message_box():
        return pwdrive.xdotool("search", "--onlyvisible", "--name", MESSAGE_TITLE, check=False).split()

    tree = pwdrive.Tree(app)
    # Three free slots: the install is refused with a message box and nothing is written.
    tree.open_aircraft(CARAVAN_ROW)
    tree.click(CARAVAN_ROW + 1)
    app.click(*pwdrive.INSTALL_BUTTON)
    if not pwdrive.wait_until(message_box, 10):
        raise Failure("no \"%s\" message box after installing into a panel with three free "
                      "window slots" % MESSAGE_TITLE)
    pwdrive.xdotool("key", "Return")
    if not pwdrive.wait_until(lambda: not message_box(), 5):
        raise Failure("the message box did not close on Enter")
    check_unchanged("by a refused install")

    # Edited by hand, and an alias: each shows its notice, and the button writes nothing, not
    # even to the panel the alias names.
    for kind, open_row, panel_row, notice in (
            ("hand-edited", None, DASH8_PANEL_ROW, "notice_foreign.bmp"),
            ("alias", FREIGHTER_ROW, FREIGHTER_ROW + 1, "notice_alias.bmp")):
        if open_row is not None:
            tree.open_aircraft(open_row)
        tree.click(panel_row)
        if not pwdrive.shown(app, pwdrive.resource(src, notice)):
            raise Failure("clicking the %s panel did not show its notice" % kind)
        app.click(*pwdrive.INSTALL_BUTTON)
        app.settle()
        check_unchanged("by pressing the button on the %s panel" % kind)
    return "refused install, hand-edited and alias panels: no file written, notices shown"


if __name__ == "__main__":
    sys.exit(pwdrive.scenario(refusals))
