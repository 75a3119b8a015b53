#!/usr/bin/env bash
# Speed and size of Quorlo's ZMBV encoder against ffmpeg's, on 150 synthetic 1920x1080 desktop
# frames (windows, text, typing, a moving pointer, a scrolling window): every frame a key frame,
# and a key frame every 300 frames. Our figure times the encoder alone on frames held in memory;
# ffmpeg's is its wall-clock time reading the same frames raw from a cached file. ffmpeg's zmbv
# encoder takes its key frame interval from -keyint_min (-g alone changes nothing), so both are
# given. A last row lets ffmpeg search vectors as far as ours go (+-16).
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
install_deps
width=1920 height=1080 frames=${FRAMES:-150}
dir=$ROOT/build/bench
cmake -S "$ROOT/zmbv/native" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZMBV_SANITIZE=OFF >/dev/null
cmake --build "$dir" --target zmbv_bench >/dev/null
"$dir/zmbv_bench" raw $width $height "$frames" >"$dir/frames.raw"
cat "$dir/frames.raw" >/dev/null  # into the page cache

peer() {  # GOP [options] -> "fps bytes"
  local start end
  start=$(date +%s.%N)
  ffmpeg -nostdin -v error -f rawvideo -pix_fmt bgr0 -s ${width}x$height -r 30 -i "$dir/frames.raw" \
    -c:v zmbv -compression_level 1 -g "$1" -keyint_min "$1" ${2:-} -y "$dir/peer.avi"
  end=$(date +%s.%N)
  ffprobe -v error -select_streams v:0 -show_entries packet=size -of csv=p=0 "$dir/peer.avi" </dev/null |
    awk -v n="$frames" -v t="$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" '{ s += $1 } END { printf "%.1f fps %d bytes\n", n / t, s }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
printf '%-30s %-26s %-26s %s\n' "$frames frames ${width}x$height" "Quorlo ZMBV" "ffmpeg zmbv (level 1)" "size ratio"
for run in "1" "300" "300 -me_range 16"; do
  read -r every options <<<"$run"
  read -r ours_fps _ ours_bytes _ < <("$dir/zmbv_bench" encode $width $height "$frames" "$every")
  read -r peer_fps _ peer_bytes _ < <(peer "$every" "$options")
  label=$([ "$every" = 1 ] && echo "every frame a key" || echo "key every $every $options")
  printf '%-30s %-26s %-26s %s\n' "$label" "$ours_fps fps $ours_bytes B" "$peer_fps fps $peer_bytes B" \
    "$(awk -v a="$ours_bytes" -v b="$peer_bytes" 'BEGIN { printf "%.3f", a / b }')"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -f "$dir/frames.raw" "$dir/peer.avi"
