"""The program as a user first meets it: started on the demo install, its borderless window shows
the skin, the outside view, the trainer's database badge and the demo aircraft, and a click on
the round close button ends it with exit code 1.

    startup_test.py EXE WORK SOURCE_DIR
"""
import os
import sys

import pwdrive
from pwdrive import Failure

# Client rectangles that controls paint over (x0, y0, x1, y1, inclusive), with a margin.
CONTROLS = [(22, 64, 599, 86),      # path line
            (22, 93, 224, 395),     # tree
            (305, 93, 584, 112),    # status line
            (331, 375, 484, 432),   # the two buttons
            (251, 121, 574, 364),   # screen area, checked against the backdrop instead
            (511, 371, 574, 408)]   # database badge


def uncovered(x, y):
    return not any(x0 <= x <= x1 and y0 <= y <= y1 for x0, y0, x1, y1 in CONTROLS)


def main():
    exe, work, src = sys.argv[1:4]
    skin = pwdrive.read_bmp(os.path.join(src, "resources", "skin.bmp"))
    backdrop = pwdrive.read_bmp(os.path.join(src, "resources", "backdrop.bmp"))
    badge = pwdrive.read_bmp(os.path.join(src, "resources", "badge_americas.bmp"))
    app = pwdrive.App(exe)
    try:
        app.find_window()
        app.settle(1.5)
        screen = app.shot()
        total = hits = 0
        misses = []
        for y in range(0, pwdrive.CLIENT_H, 7):
            for x in range(0, pwdrive.CLIENT_W, 7):
                if not uncovered(x, y):
                    continue
                total += 1
                if pwdrive.close_to(app.pixel(screen, x, y), skin[y][x]):
                    hits += 1
                elif len(misses) < 5:
                    misses.append((x, y, app.pixel(screen, x, y), skin[y][x]))
        if hits < 0.98 * total:
            raise Failure("skin: %d of %d sampled pixels match; first misses (x, y, seen, "
                          "expected): %s" % (hits, total, misses))
        # The close button itself, pixel for pixel.
        for x, y in ((596, 4), (590, 20), (603, 20), (596, 13)):
            if not pwdrive.close_to(app.pixel(screen, x, y), skin[y][x]):
                raise Failure("close button pixel %d,%d is %s, expected %s"
                              % (x, y, app.pixel(screen, x, y), skin[y][x]))
        seen = pwdrive.matches_bitmap(app, screen, backdrop, (253, 123), (320, 240))
        if seen < 0.95:
            raise Failure("the screen area shows the outside view at %.0f%% of sampled pixels"
                          % (100 * seen))
        # The registry keys reach the 32-bit program: the trainer's database shows as the
        # Americas badge, and the scan lists the demo aircraft: the root, eleven aircraft (not
        # "default", not the one without panel folders) and the panels of the two aircraft that
        # start open because a panel of theirs is marked.
        seen = pwdrive.matches_bitmap(app, screen, badge, (513, 373), (60, 34), step=3)
        if seen < 0.95:
            raise Failure("the Americas database badge shows at %.0f%% of sampled pixels"
                          % (100 * seen))
        rows = pwdrive.wait_until(lambda: len(app.tree_rows(app.shot())) == 14, 5)
        if not rows:
            raise Failure("the tree shows %d rows, expected 14"
                          % len(app.tree_rows(app.shot())))
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
    print("window found, skin shown (%d of %d sampled pixels), closed with exit code 1"
          % (hits, total))
    return 0


if __name__ == "__main__":
    sys.exit(main())
