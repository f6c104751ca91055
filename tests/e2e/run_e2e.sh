#!/usr/bin/env bash
# Runs one end-to-end scenario on a fresh demo install:
#   run_e2e.sh SCENARIO EXE WORK SOURCE_DIR [i686]
# WORK holds the demo install, the Wine prefix (made once, kept between runs) and the Xvfb
# display when there is no usable one; the scenario is tests/e2e/SCENARIO_test.py (for "dist",
# EXE is the zip that holds the exes). With i686 the exe is the shipped 32-bit one: on a machine
# that refuses 32-bit programs the scenario is skipped (exit status 77), never passed.
set -u
scenario=$1 exe=$2 work=$3 src=$4 arch=${5:-}
. "$src/tools/demo-env.sh"
if [ "$arch" = i686 ] && ! "$src/tools/runs-32bit.sh"; then
    echo "e2e: skipped: $("$src/tools/runs-32bit.sh" --why), so the i686 exe cannot start"
    exit 77
fi
if [ ! -f "$exe" ]; then echo "e2e: $exe does not exist" >&2; exit 1; fi
# One scenario at a time on WORK, whoever runs it: another's set-up or teardown would start or
# stop this one's Wine under it (CTest keeps its own tests apart, but not two CTest runs).
exec 7>"$work.lock"
if ! flock -w 300 7; then echo "e2e: $work has been in use by another run for 300 s" >&2; exit 1; fi
# (The lock stays with this shell: what it starts does not inherit it.)
if ! pw_demo_setup "$work" "$src" 7>&-; then
    pw_demo_teardown "$work" "$src" 7>&-
    exit 1
fi
PYTHONPATH="$src/tools" python3 "$src/tests/e2e/${scenario}_test.py" "$exe" "$work" "$src" 7>&-
status=$?
pw_demo_teardown "$work" "$src" 7>&-
exit $status
