#!/usr/bin/env bash
# Runs a Windows program under Wine with the build tree's own prefix and a usable display.
#   wine-run.sh HARNESS_DIR start          make the prefix, start Xvfb when needed, keep wineserver up
#   wine-run.sh HARNESS_DIR stop           stop what start started
#   wine-run.sh HARNESS_DIR PROGRAM [ARGS] run one program
# The user's own ~/.wine is never touched: WINEPREFIX always points into the build tree.
set -u
dir=$1; shift
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
export WINEPREFIX="$dir/prefix"
export WINEDEBUG=-all
# No Mono or Gecko install prompts: the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

display_usable() { [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; }

start_xvfb() {
  # Xvfb picks a free display itself (-displayfd), so parallel build trees never collide.
  local fdfile="$dir/xvfb.fd" pid
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 8>&- 9>&- &
  pid=$!
  for _ in $(seq 1 100); do
    if [ -s "$fdfile" ]; then
      local n; n=$(head -n1 "$fdfile" | tr -dc 0-9)
      if [ -n "$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        echo "$pid" >"$dir/xvfb.pid"; echo ":$n" >"$dir/xvfb.display"; export DISPLAY=":$n"; return 0
      fi
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  echo "wine-run: could not start Xvfb" >&2; return 1
}

ensure_display() {
  exec 8>"$dir/display.lock"
  flock 8
  if [ -f "$dir/xvfb.display" ] && kill -0 "$(cat "$dir/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
    export DISPLAY=$(cat "$dir/xvfb.display"); flock -u 8; return 0
  fi
  if display_usable; then flock -u 8; return 0; fi
  start_xvfb; local rc=$?
  flock -u 8
  return $rc
}

ensure_prefix() {
  [ -f "$WINEPREFIX/.pw-ready" ] && return 0
  exec 9>"$dir/prefix.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.pw-ready" ]; then
    echo "wine-run: creating Wine prefix in $WINEPREFIX" >&2
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pw-ready"
  fi
  flock -u 9
}

stop_all() {
  wineserver -k >/dev/null 2>&1
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid" "$dir/xvfb.display"
  fi
  return 0
}

case "${1:-}" in
  start)
    ensure_display && ensure_prefix || exit 1
    # Keep the server and Wine's background services up for the whole run, started here with
    # their output detached: started by a test, they would hold CTest's output pipe open.
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    exit 0 ;;
  stop) stop_all; exit 0 ;;
esac

ensure_display || exit 1
exec 8>&-
ensure_prefix
exec wine "$@"
