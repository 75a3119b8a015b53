#!/usr/bin/env bash
# Movies that a Windows program writes through Video for Windows with the ZMBV codec play in
# ffmpeg bit-exactly, with the right size, frame count and key frames; Windows players decode
# them to the same pixels, with Quorlo's own codec and with the one ZmbvSetup installs.
set -euo pipefail
bin=$1
: "${WINE_LOADER:?run through scripts/test.sh}"
work=$(mktemp -d "${TMPDIR:-/tmp}/zmbv-movies.XXXXXX")
fail=0

win() { local p=${1//\//\\}; echo "Z:$p"; }
# Output goes to a file: with a persistent wineserver a pipe would never close.
run() { "$WINE_LOADER" "$@" >"$work/out.txt" 2>&1 </dev/null; }
show() { cat "$work/out.txt"; }
check() {  # actual expected what
  if [ "$1" = "$2" ]; then echo "ok: $3"; else echo "FAIL: $3: got '$1', expected '$2'"; fail=1; fi
}
same() {  # file file what
  if cmp -s "$1" "$2"; then echo "ok: $3"; else echo "FAIL: $3 ($(cmp "$1" "$2" 2>&1 | head -1))"; fail=1; fi
}
cleanup() {
  run "$bin/ZmbvSetup.exe" uninstall || true
  rm -rf "$work"
}
trap cleanup EXIT

run "$bin/ZmbvAviTool.exe" write "$(win "$work")" || { show; exit 1; }
while read -r name width height frames every; do
  movie=$work/$name.avi
  ffprobe -v error -select_streams v:0 -count_packets -of csv=p=0 \
    -show_entries stream=codec_name,width,height,nb_read_packets "$movie" >"$work/probe.txt" </dev/null
  check "$(cat "$work/probe.txt")" "zmbv,$width,$height,$frames" "$name: codec, size, frames"
  ffprobe -v error -select_streams v:0 -show_entries packet=flags -of csv=p=0 "$movie" >"$work/flags.txt" </dev/null
  keys=$(grep -n K "$work/flags.txt" | cut -d: -f1 | tr '\n' ' ')
  expected=$(for ((i = 0; i < frames; i += every)); do printf '%d ' $((i + 1)); done)
  check "$keys" "$expected" "$name: key frame every $every"
  ffmpeg -nostdin -v error -i "$movie" -fps_mode passthrough -f rawvideo -pix_fmt bgr24 -y "$work/$name.ffmpeg"
  same "$work/$name.ffmpeg" "$work/$name.bgr" "$name: ffmpeg decodes the frames written"
  run "$bin/ZmbvAviTool.exe" decode "$(win "$movie")" "$(win "$work/$name.own")" || show
  same "$work/$name.own" "$work/$name.ffmpeg" "$name: our decoder shows what ffmpeg shows"
done <"$work/cases.txt"

# Movies from ffmpeg's encoder (its own motion search, key frame every 7) play in Windows players.
read -r _ width height _ <"$work/cases.txt"
ffmpeg -nostdin -v error -f rawvideo -pix_fmt bgr24 -s "${width}x$height" -r 10 -i "$work/desktop.bgr" \
  -c:v zmbv -pix_fmt bgr0 -keyint_min 7 -me_range 16 -y "$work/peer.avi"
run "$bin/ZmbvAviTool.exe" decode "$(win "$work/peer.avi")" "$(win "$work/peer.own")" || show
same "$work/peer.own" "$work/desktop.bgr" "ffmpeg's own ZMBV movie decodes in a Windows player"

# Installed system-wide, the codec serves programs that know nothing of Quorlo.
run "$bin/ZmbvSetup.exe" install || show
run "$bin/ZmbvSetup.exe" status
check "$(tr -d '\r\n' <"$work/out.txt")" "$(win "$bin/Zmbv.dll")" "ZmbvSetup registers the DLL beside it"
run "$bin/ZmbvAviTool.exe" decode "$(win "$work/desktop.avi")" "$(win "$work/system.own")" system || show
same "$work/system.own" "$work/desktop.ffmpeg" "a player with the installed codec shows the frames"
run "$bin/ZmbvSetup.exe" uninstall || show
status=0
run "$bin/ZmbvSetup.exe" status || status=$?
check "$status" 1 "ZmbvSetup uninstall removes the registration"
run "$bin/ZmbvAviTool.exe" decode "$(win "$work/desktop.avi")" "$(win "$work/gone.own")" system && status=0 || status=$?
check "$status" 1 "without it a player has no ZMBV decoder"
exit $fail
