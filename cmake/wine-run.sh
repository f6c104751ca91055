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
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 1 50); do
      if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        echo "$pid" >"$dir/xvfb.pid"; echo ":$n" >"$dir/xvfb.display"; export DISPLAY=":$n"; return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
  done
  echo "wine-run: could not start Xvfb" >&2; return 1
}

ensure_display() {
  if [ -f "$dir/xvfb.display" ] && kill -0 "$(cat "$dir/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
    export DISPLAY=$(cat "$dir/xvfb.display"); return 0
  fi
  display_usable && return 0
  start_xvfb
}

ensure_prefix() {
  [ -f "$WINEPREFIX/.pw-ready" ] && return 0
  exec 9>"$dir/prefix.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.pw-ready" ]; then
    echo "wine-run: creating Wine prefix in $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1
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
  start) ensure_display && ensure_prefix && wineserver -p >/dev/null 2>&1; exit $? ;;
  stop) stop_all; exit 0 ;;
esac

ensure_display || exit 1
ensure_prefix
exec wine "$@"
