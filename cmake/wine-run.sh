#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine with the build tree's own prefix and a usable display.
#   wine-run.sh HARNESS_DIR start [unmanaged]   make the prefix, start Xvfb when needed, keep
#                                          wineserver up; unmanaged: windows bypass any window
#                                          manager, so hiding one never waits for it
#   wine-run.sh HARNESS_DIR prefix         only make the prefix, leaving nothing running
#   wine-run.sh HARNESS_DIR stop           stop what start started
#   wine-run.sh HARNESS_DIR PROGRAM [ARGS] run one program
# The user's own ~/.wine is never touched: WINEPREFIX always points into the build tree. Every
# failure to set Wine up is an error with its reason, so no test can pass without having run;
# each step of it has a time limit, so none can hang a test either.
set -u
if [ $# -lt 2 ] || [ -z "$1" ]; then echo "usage: wine-run.sh HARNESS_DIR start|stop|PROGRAM [ARGS]" >&2; exit 2; fi
dir=$1; shift
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
. "$(dirname "$0")/wine-env.sh"
pw_wine_env || exit 1
export WINEPREFIX="$dir/prefix"

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

prefix_complete() {
  [ -f "$WINEPREFIX/system.reg" ] && [ -d "$WINEPREFIX/drive_c/windows/system32" ]
}

# Makes the prefix once. Fails, saying why, when wineboot fails or leaves no usable prefix.
ensure_prefix() {
  [ -f "$WINEPREFIX/.pw-ready" ] && return 0
  exec 9>"$dir/prefix.lock"
  flock 9
  local rc=0
  if [ ! -f "$WINEPREFIX/.pw-ready" ]; then
    echo "wine-run: creating Wine prefix in $WINEPREFIX with $WINELOADER" >&2
    # About 20 s, a minute on a busy machine.
    timeout 300 "$WINELOADER" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 || rc=$?
    timeout 60 "$WINESERVER" -w 2>>"$dir/wineboot.log"
    if [ $rc -ne 0 ] || ! prefix_complete; then
      [ $rc -eq 124 ] && echo "wineboot did not finish within 300 s" >>"$dir/wineboot.log"
      echo "wine-run: cannot create the Wine prefix in $WINEPREFIX (wineboot exit status $rc):" >&2
      tail -n 5 "$dir/wineboot.log" | sed 's/^/  /' >&2
      rc=1
    else
      touch "$WINEPREFIX/.pw-ready"
    fi
  fi
  flock -u 9
  return $rc
}

stop_all() {
  "$WINESERVER" -k >/dev/null 2>&1
  if [ -f "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid" "$dir/xvfb.display"
  fi
  return 0
}

case "${1:-}" in
  start)
    ensure_display || exit 1
    ensure_prefix || exit 1
    # Keep the server and Wine's background services up for the whole run, started here with
    # their output detached: started by a test, they would hold CTest's output pipe open.
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    timeout 60 "$WINELOADER" cmd /c exit 0 </dev/null >/dev/null 2>"$dir/start.log"
    rc=$?
    if [ $rc -ne 0 ]; then
      [ $rc -eq 124 ] && echo "cmd /c exit 0 did not end within 60 s" >>"$dir/start.log"
      echo "wine-run: Wine cannot run a program in $WINEPREFIX (exit status $rc):" >&2
      tail -n 5 "$dir/start.log" | sed 's/^/  /' >&2
      exit 1
    fi
    # Wine waits up to two seconds for a window manager to withdraw each managed window it hides,
    # and Xvfb runs none: the in-process dialog tests' windows bypass the window manager.
    if [ "${2:-}" = unmanaged ] && ! timeout 60 "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            </dev/null >/dev/null 2>>"$dir/start.log"; then
        echo "wine-run: cannot set the prefix's windows unmanaged:" >&2
        tail -n 5 "$dir/start.log" | sed 's/^/  /' >&2
        exit 1
    fi
    echo "wine-run: prefix $WINEPREFIX ready, programs run by $WINELOADER"
    exit 0 ;;
  prefix)
    [ -f "$WINEPREFIX/.pw-ready" ] && { echo "wine-run: prefix $WINEPREFIX ready"; exit 0; }
    ensure_display || exit 1
    ensure_prefix || { stop_all; exit 1; }
    stop_all
    echo "wine-run: prefix $WINEPREFIX ready"
    exit 0 ;;
  stop) stop_all; exit 0 ;;
esac

ensure_display || exit 1
exec 8>&-
ensure_prefix || exit 1
exec "$WINELOADER" "$@"
