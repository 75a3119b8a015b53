#!/usr/bin/env bash
# The monitor chooser on a display with two monitors: a Xephyr server with two screens joined by
# Xinerama (1280x720 primary, 1024x768 to its right), nested in a private Xvfb. Wine learns the
# monitors from the display of its desktop process, one per Wine server, and the suite's server
# shows the suite's one-monitor display: so this runs in a Wine prefix of its own.
set -euo pipefail
bin=$(cd "$1" && pwd)
wine=${WINE_LOADER:?set by scripts/test.sh to the Wine loader}
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/../../scripts/lib.sh"

work=$(mktemp -d)
pids="" prefix=""
finish() {
  [ -n "$prefix" ] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  for pid in $pids; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

# start_x NAME COMMAND...: starts an X server on the first free display number from 150 on and
# sets $display to it.
start_x() {
  local name=$1 n=150
  shift
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  "$@" ":$n" -nolisten tcp >"$work/$name.log" 2>&1 &
  pids="$! $pids"
  for _ in $(seq 100); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && { display=":$n"; return 0; }
    sleep 0.1
  done
  cat "$work/$name.log"
  fail "$name did not start on :$n"
}

start_x Xvfb Xvfb -screen 0 2400x900x24
DISPLAY=$display start_x Xephyr Xephyr -screen 1280x720x24 -screen 1024x768x24 +xinerama -no-host-grab

prefix="${WINEPREFIX:?set by scripts/test.sh}-two-monitors"
export DISPLAY=$display
start_wine "$prefix"
if [ ! -f "$prefix/.two-monitors-ready" ]; then
  # Monitors through Xinerama, as RandR shows the nested display as one. No window manager runs
  # there: Wine frames, places and focuses its windows itself.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  wineserver -k  # its desktop process read the display before
  touch "$prefix/.two-monitors-ready"
fi

"$wine" "$bin/monitor_chooser_tests.exe" >"$work/chooser.log" 2>&1 </dev/null ||
  { cat "$work/chooser.log"; fail "monitor_chooser_tests"; }
grep -E '^\[  (PASSED|FAILED) ' "$work/chooser.log"
pass
