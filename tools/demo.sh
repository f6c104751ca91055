#!/usr/bin/env bash
# Runs Panelwright on a generated simulator install:   tools/demo.sh BUILD_DIR
#
# BUILD_DIR/demo gets the install (tools/make_demo_install.py) and a Wine prefix whose registry
# names it as the simulator, with the GPS trainer installed and its GARMINWT.INI in C:\windows.
# With a usable display the program just runs there. Without one it runs on its own Xvfb: a
# screenshot goes to build/demo/, a short tour of the main states refreshes the pictures in docs/,
# and the program is closed through its close button. PW_DEMO_TOUR=1 takes the scripted path
# even when a display is there.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 1 ] || { echo "usage: tools/demo.sh BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
exe="$build/app/panelwright.exe"
work="$build/demo"
[ -f "$exe" ] || { echo "demo: $exe is missing: build first (make demo)" >&2; exit 1; }

interactive=no
if [ -z "${PW_DEMO_TOUR:-}" ] && [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    interactive=yes
fi
[ $interactive = yes ] || unset DISPLAY

. "$src/tests/e2e/e2e_env.sh"
echo "demo: simulator install in $work/FS2002"
pw_e2e_setup "$work" "$src"
trap 'pw_e2e_teardown "$work" "$src"' EXIT

if [ $interactive = yes ]; then
    echo "demo: running Panelwright on $DISPLAY; close it with the round button at its top right"
    status=0
    wine "$exe" || status=$?
    echo "demo: Panelwright ended with exit code $status"
else
    python3 "$src/tests/e2e/demo_tour.py" "$exe" "$work" "$src/build/demo" "$src/docs"
fi
