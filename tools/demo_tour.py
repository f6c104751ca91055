"""The scripted part of `make demo` without a display: starts the program, saves what it shows,
walks through the main states when the program can do them, and closes it.

    demo_tour.py EXE WORK SHOTS_DIR [DOCS_DIR]

Always saves SHOTS_DIR/panelwright.png (the program as started). With DOCS_DIR it also saves the
README's pictures there: start, a selected panel, after install, an alias notice. The install is
removed again, so the demo install ends as it began.
"""
import os
import subprocess
import sys

import pwdrive
from pwdrive import Failure

# Rows of the demo install's tree as it starts (see tools/make_demo_install.py): the root, then
# aircraft by title; aircraft with a marked panel start open.
BEECH = 1           # Beech Baron 58: panel, panel_vc
FREIGHTER_OPENED = 6  # Boeing 737-400 Freighter once the Beech Baron is open: its panel is an alias


def tour(app, docs):
    def save(name, wait):
        app.settle(wait)
        app.save(os.path.join(docs, "screenshot-%s.png" % name))

    tree = pwdrive.Tree(app)
    save("start", 0)
    tree.open_aircraft(BEECH)
    tree.click(BEECH + 1)
    save("selected", 0.5)
    app.click(*pwdrive.INSTALL_BUTTON)
    save("installed", 1.5)
    app.click(*pwdrive.INSTALL_BUTTON)
    app.settle(1.5)
    tree.open_aircraft(FREIGHTER_OPENED)
    tree.click(FREIGHTER_OPENED + 1)
    save("alias", 0.5)


def main():
    exe, work, shots = sys.argv[1:4]
    docs = sys.argv[4] if len(sys.argv) > 4 else None
    os.makedirs(shots, exist_ok=True)
    first = os.path.join(shots, "panelwright.png")
    app = pwdrive.App(exe)
    try:
        try:
            app.find_window()
        except Failure as e:
            # Show whatever the program put on the display rather than nothing.
            subprocess.run([pwdrive.IMPORT, "-silent", "-window", "root", first], check=False)
            print("demo: %s; screenshot of the whole display: %s" % (e, first))
            return 1
        app.settle(2)
        app.save(first)
        print("demo: screenshot of Panelwright as it starts: %s" % first)
        if docs:
            try:
                tour(app, docs)
                print("demo: screenshots of the main states saved to %s" % docs)
            except Failure as e:
                app.save(os.path.join(shots, "tour-stopped.png"))
                print("demo: the tour stopped: %s (screenshot: %s)"
                      % (e, os.path.join(shots, "tour-stopped.png")))
        app.click(*pwdrive.CLOSE_POINT)
        code = app.wait_exit()
        print("demo: Panelwright closed through its close button, exit code %d" % code)
    except Failure as e:
        print("demo: %s" % e)
        return 1
    finally:
        app.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main())
