#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine on a private virtual display.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap cleanup EXIT
trap 'exit 130' INT TERM

install_deps
log "building the 32-bit deliverables"
build i686 "$ROOT/build/i686"
log "building the codec core for this machine"
build_native "$ROOT/build/native"
select_run_arch
log "building the test suite ($RUN_ARCH)"
build "$RUN_ARCH" "$ROOT/build/test-$RUN_ARCH" ON

# No sound server for the tests: Wine then has no wave-in device. The real-time sound test starts
# a private server of its own.
export PULSE_SERVER="unix:$ROOT/build/no-sound-server"
start_xvfb
start_wine "$ROOT/build/wineprefix-$RUN_ARCH" N
export QUORLO_HEADLESS=1 QUORLO_DELIVERABLES="$ROOT/build/i686/bin" QUORLO_NATIVE="$ROOT/build/native" WINE_LOADER
cd "$ROOT/build/test-$RUN_ARCH"
ctest --output-on-failure --timeout 300 "$@"
