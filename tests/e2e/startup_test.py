"""The program as a user first meets it: started on the demo install, its borderless window shows
the skin, the outside view, the trainer's database badge and the demo aircraft, and a click on
the round close button ends it with exit code 1.

    startup_test.py EXE WORK SOURCE_DIR
"""
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


def startup(app, work, src):
    skin = pwdrive.resource(src, "skin.bmp")
    screen = app.shot()
    points = [(x, y) for y in range(0, pwdrive.CLIENT_H, 7) for x in range(0, pwdrive.CLIENT_W, 7)
              if uncovered(x, y)]
    misses = [(x, y, app.pixel(screen, x, y), skin.at(x, y)) for x, y in points
              if not pwdrive.close_to(app.pixel(screen, x, y), skin.at(x, y))]
    if len(misses) > 0.02 * len(points):
        raise Failure("skin: %d of %d sampled pixels differ; first misses (x, y, seen, expected): %s"
                      % (len(misses), len(points), misses[:5]))
    # The close button itself, pixel for pixel.
    for x, y in ((596, 4), (590, 20), (603, 20), (596, 13)):
        if not pwdrive.close_to(app.pixel(screen, x, y), skin.at(x, y)):
            raise Failure("close button pixel %d,%d is %s, expected %s"
                          % (x, y, app.pixel(screen, x, y), skin.at(x, y)))
    if not pwdrive.shown(app, pwdrive.resource(src, "backdrop.bmp")):
        raise Failure("the screen area does not show the outside view")
    # The registry keys reach the 32-bit program: the trainer's database shows as the Americas
    # badge, and the scan lists the demo aircraft: the root, eleven aircraft (not "default", not
    # the one without panel folders) and the panels of the two aircraft that start open because
    # a panel of theirs is marked.
    if not pwdrive.shown(app, pwdrive.resource(src, "badge_americas.bmp"), (513, 373), (60, 34), 3):
        raise Failure("the Americas database badge does not show")
    if not pwdrive.wait_until(lambda: len(app.tree_rows(app.shot())) == 14, 5):
        raise Failure("the tree shows %d rows, expected 14" % len(app.tree_rows(app.shot())))
    return "window found, skin shown (%d of %d sampled pixels), closed with exit code 1" % (
        len(points) - len(misses), len(points))


if __name__ == "__main__":
    sys.exit(pwdrive.scenario(startup))
