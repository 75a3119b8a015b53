#!/usr/bin/env bash
# Records 20 s of the same moving desktop-like content with our engine (built-in ZMBV
# compressor, every frame a key frame, as the engine asks) and, in the same run and display,
# with the Windows ffmpeg's GDI grabber (ZMBV with the same choices, and H.264 ultrafast).
# Prints frames written against frames due, CPU seconds per recorded second (the whole
# machine: X server, wineserver and the animated content included, the same for every
# recorder) and the file size.
#   bash bench/recording.sh [seconds]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
trap cleanup EXIT
trap 'exit 130' INT TERM
seconds=${1:-20}

install_deps
command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm >/dev/null
select_run_arch
build "$RUN_ARCH" "$ROOT/build/test-$RUN_ARCH" ON >/dev/null
bin="$ROOT/build/test-$RUN_ARCH/bin"

# The Windows ffmpeg with the GDI grabber, from the npm registry.
tools="$ROOT/build/bench-tools"
ffmpeg_package=$([ "$RUN_ARCH" = i686 ] && echo win32-ia32 || echo win32-x64)
if [ ! -f "$tools/$ffmpeg_package/package/ffmpeg.exe" ]; then
  mkdir -p "$tools/$ffmpeg_package"
  (cd "$tools/$ffmpeg_package" && npm pack --silent "@ffmpeg-installer/$ffmpeg_package" >/dev/null && tar xzf ./*.tgz)
fi
ffmpeg_exe="$tools/$ffmpeg_package/package/ffmpeg.exe"

busy_seconds() {  # CPU time of the whole machine so far
  awk -v hz="$(getconf CLK_TCK)" '/^cpu /{print ($2+$3+$4+$7+$8)/hz}' /proc/stat
}

out=$(mktemp -d /tmp/quorlo-bench.XXXXXX)
printf "%-11s %-28s %9s %9s %12s %10s\n" "screen" "recorder" "written" "due" "CPU s/s" "MB"
row() {  # screen recorder file cpu fps
  local frames
  frames=$(ffprobe -v error -select_streams v:0 -count_packets -show_entries stream=nb_read_packets -of csv=p=0 "$3")
  printf "%-11s %-28s %9s %9s %12.2f %10.1f\n" "$1" "$2" "$frames" "$((seconds * $5))" "$4" \
    "$(awk -v b="$(stat -c %s "$3")" 'BEGIN{print b / 1048576}')"
}
measure() {  # screen recorder file fps command...
  local screen=$1 name=$2 file=$3 fps=$4 before after
  shift 4
  before=$(busy_seconds)
  "$@" >"$out/last.log" 2>&1 </dev/null || { cat "$out/last.log"; exit 1; }
  after=$(busy_seconds)
  row "$screen" "$name" "$file" "$(awk -v a="$after" -v b="$before" -v s="$seconds" 'BEGIN{print (a - b) / s}')" "$fps"
}

for config in 1280x720:30 1920x1080:15; do
  size=${config%:*} fps=${config#*:}
  start_xvfb "${size}x24"
  start_wine "$ROOT/build/wineprefix-bench-$RUN_ARCH-$size" N
  export QUORLO_INI="$out/settings.ini" QUORLO_HEADLESS=1
  "$WINE_LOADER" "$bin/DesktopAnimator.exe" </dev/null >/dev/null 2>&1 &
  animator=$!
  sleep 3
  mkdir -p "$out/$size"
  winout="Z:${out//\//\\}\\$size"
  measure "$size" "Quorlo (ZMBV, all key)" "$out/$size/qxcap1.avi" "$fps" \
    "$WINE_LOADER" "$bin/QuorloRecord.exe" "$seconds" "$fps" "$winout" ZMBV
  for codec in "zmbv -compression_level 1 -keyint_min 1 -g 1" "libx264 -preset ultrafast"; do
    name="ffmpeg gdigrab (${codec%% *})"
    file="$out/$size/ffmpeg-${codec%% *}.avi"
    # shellcheck disable=SC2086
    measure "$size" "$name" "$file" "$fps" "$WINE_LOADER" "$ffmpeg_exe" -y -loglevel error -f gdigrab \
      -framerate "$fps" -draw_mouse 0 -t "$seconds" -i desktop -c:v $codec "$winout\\ffmpeg-${codec%% *}.avi"
  done
  kill "$animator" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  cleanup
  CLEANUP_PIDS=""
done
rm -rf "$out"
