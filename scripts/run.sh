#!/usr/bin/env bash
# Builds Quorlo and starts it under Wine: on $DISPLAY, or on a private virtual display when
# there is none (then it keeps running until interrupted).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap cleanup EXIT
trap 'exit 130' INT TERM

install_deps
build i686 "$ROOT/build/i686"
select_run_arch
bin="$ROOT/build/i686/bin"
if [ "$RUN_ARCH" != i686 ]; then
  build "$RUN_ARCH" "$ROOT/build/$RUN_ARCH"
  bin="$ROOT/build/$RUN_ARCH/bin"
fi

managed=Y
if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  managed=N
  log "no display: running on the private virtual display $DISPLAY (Ctrl+C to stop)"
fi
start_wine "$ROOT/build/wineprefix-$RUN_ARCH" "$managed"
cd "$bin"
"$WINE_LOADER" Quorlo.exe </dev/null
