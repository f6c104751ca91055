#!/usr/bin/env bash
# Runs Panelwright on a generated simulator install:   tools/demo.sh
#
# The shipped i686 exe (build/windows) where this machine runs 32-bit programs, otherwise the
# x86_64 build of the same sources (build/windows64); one line says which. build/demo gets the
# install (tools/make_demo_install.py) and a Wine prefix whose registry names it as the
# simulator, with the GPS trainer installed and its GARMINWT.INI in C:\windows.
# With a usable display the program just runs there. Without one it runs on its own Xvfb: a
# screenshot goes to build/demo/, a short tour of the main states refreshes the pictures in docs/,
# and the program is closed through its close button. PW_DEMO_TOUR=1 takes the scripted path
# even when a display is there.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work="$src/build/demo"
if "$src/tools/runs-32bit.sh"; then
    exe="$src/build/windows/bin/panelwright.exe"
    echo "demo: the shipped i686 panelwright.exe ($("$src/tools/runs-32bit.sh" --why))"
else
    exe="$src/build/windows64/bin/panelwright.exe"
    echo "demo: the x86_64 build of panelwright.exe ($("$src/tools/runs-32bit.sh" --why), so the shipped i686 exe cannot start under Wine here)"
fi
[ -f "$exe" ] || { echo "demo: $exe is missing: build first (make demo)" >&2; exit 1; }

interactive=no
if [ -z "${PW_DEMO_TOUR:-}" ] && [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    interactive=yes
fi
[ $interactive = yes ] || unset DISPLAY

. "$src/tools/demo-env.sh"
echo "demo: simulator install in $work/FS2002"
pw_demo_setup "$work" "$src"
trap 'pw_demo_teardown "$work" "$src"' EXIT

if [ $interactive = yes ]; then
    echo "demo: running Panelwright on $DISPLAY; close it with the round button at its top right"
    status=0
    "$WINELOADER" "$exe" || status=$?
    echo "demo: Panelwright ended with exit code $status"
else
    python3 "$src/tools/demo_tour.py" "$exe" "$work" "$src/build/demo" "$src/docs"
fi
