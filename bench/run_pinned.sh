#!/usr/bin/env bash
# Runs one program under Wine pinned to CPU 0, the Wine server included: round trips between a
# client and a server on different CPUs make timings scatter widely on a two-core machine.
# Meant for the bench label, which runs alone: it restarts the harness's Wine server.
#   run_pinned.sh HARNESS_DIR PROGRAM [ARGS]
set -u
harness=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../cmake/wine-env.sh"
pw_wine_env || exit 1
mkdir -p "$harness"
export WINEPREFIX="$(cd "$harness" && pwd)/prefix"
# The next wine call starts a fresh server as a child of the pinned process.
"$WINESERVER" -k >/dev/null 2>&1
exec taskset -c 0 "$here/../cmake/wine-run.sh" "$harness" "$@"
