#!/usr/bin/env bash
# Counts the system calls, the program's and the Wine server's alike, that one pass of
# batch_bench makes per panel: the floor (read and save each panel.cfg) and the install. Unlike
# the clock, the count does not drift with the machine's load, so a change to the edit shows
# here even where batch_bench's timings scatter by a fifth from run to run.
#   syscall_bench.sh HARNESS_DIR BATCH_BENCH FLEET_ROOT    (FLEET_ROOT: a Unix path)
# Prints:
#   syscall-bench panels=P copy_per_panel=C install_per_panel=I ratio=I/C
set -u
harness=$1 bench=$2 fleet=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../cmake/wine-env.sh"
pw_wine_env || exit 1
command -v strace >/dev/null || { echo "syscall_bench: strace is not installed (make prereqs installs it)" >&2; exit 1; }
export WINEPREFIX="$(cd "$harness" && pwd)/prefix"
[ -d "$WINEPREFIX" ] || { echo "syscall_bench: no Wine prefix in $harness" >&2; exit 1; }
out=$(mktemp -d)
restore() {
  # The install pass leaves the set in place: the fleet's panel.cfg files go back as they were,
  # byte for byte, however the run ends.
  [ -f "$out/before.tar" ] || return 0
  (cd "$fleet" && tar -xf "$out/before.tar" && tar -df "$out/before.tar" >/dev/null) ||
    echo "syscall_bench: the fleet's panel.cfg files could not be put back from $out/before.tar" >&2
}
trap 'restore && rm -rf "$out"' EXIT

# The calls of one pass, a fresh Wine server counted with it, into $out/PASS.
count() {
  "$WINESERVER" -k >/dev/null 2>&1
  if ! strace -f -qq -c -U calls,name -o "$out/$1" "$WINELOADER" "$bench" "$fleet" "$1" >"$out/$1.said" 2>&1; then
    echo "syscall_bench: the $1 pass failed:" >&2
    sed 's/^/  /' "$out/$1.said" >&2
    return 1
  fi
}
total() { awk '$2 == "total" { print $1 }' "$out/$1"; }

(cd "$fleet" && find . -name panel.cfg -print0 | tar --null -cf "$out/before.tar" -T -) ||
  { echo "syscall_bench: cannot copy the fleet's panel.cfg files" >&2; exit 1; }
for pass in scan copy install; do count $pass || exit 1; done
panels=$(sed -n 's/^batch-bench pass=install panels=\([0-9]*\) .*/\1/p' "$out/install.said")
[ -n "$panels" ] && [ "$panels" -gt 0 ] || { echo "syscall_bench: no panel was edited" >&2; exit 1; }
awk -v p="$panels" -v s="$(total scan)" -v c="$(total copy)" -v i="$(total install)" 'BEGIN {
  cp = (c - s) / p; ip = (i - s) / p
  printf "syscall-bench panels=%d copy_per_panel=%.0f install_per_panel=%.0f ratio=%.2f\n", p, cp, ip, ip / cp
}'
