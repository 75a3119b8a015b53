#!/usr/bin/env bash
# The movies the writer tests leave behind, as a player sees them: ffprobe and ffmpeg read
# the frame counts, rates, sizes and the sound.
set -euo pipefail
source "$(dirname "$0")/common.sh"
out=$(make_out_dir)
run_test_program "$1/media_tests.exe" "$out" --gtest_filter='MovieWriter.*:Recording.MovieShowsWhatWasOnTheScreen'

expect_stream "$out/hundred.avi" v "codec_type=video|width=64|height=48|r_frame_rate=10/1|nb_frames=100"
expect_stream "$out/wide.avi" v "nb_frames=2"
frames=$(probe "$out/limit.avi" v nb_frames)
[ "$frames" -gt 30 ] && [ "$frames" -lt 41 ] || fail "limit.avi has $frames frames"
ffmpeg -v error -i "$out/limit.avi" -f null - || fail "limit.avi does not decode"

# Sound: 1000 samples, silence up to sample 110250, then the 1102 newest samples of the cut buffer.
expect_stream "$out/drift.avi" a "codec_name=pcm_s16le|sample_rate=11025|channels=1"
ffmpeg -v error -i "$out/drift.avi" -map 0:a -f s16le "$out/drift.raw"
python3 - "$out/drift.raw" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
samples = len(data) // 2
assert samples == 113557, samples
assert set(data[0:2000]) == {0x22}, 'the first buffer'
assert set(data[2000:2 * 109250]) == {0}, 'the gap is silence'
assert set(data[2 * 109250:]) == {0x22}, 'then the buffers'
PY
# A recording of the screen through the built-in compressor: ffmpeg decodes the first and the
# last frame to what the screen showed, but for the watermark and the corner marks.
expect_stream "$out/screen.avi" v "codec_name=zmbv|width=321|height=241"
ffmpeg -v error -i "$out/screen.avi" -f rawvideo -pix_fmt bgra "$out/screen.raw" || fail "screen.avi does not decode"
python3 - "$out" <<'PY'
import sys
out = sys.argv[1]
w, h = 321, 241
screen = open(f"{out}/screen.bgra", "rb").read()
frames = open(f"{out}/screen.raw", "rb").read()
size = w * h * 4
count = len(frames) // size
assert count >= 3, count
left, top, right, bottom = map(int, open(f"{out}/stamp.txt").read().split())
def masked(x, y):
    corner = (x < 15 or x >= w - 15) and (y < 15 or y >= h - 15)
    return corner or (left <= x < right and top <= y < bottom)
for index in (0, count - 1):
    frame = frames[index * size:(index + 1) * size]
    for y in range(h):
        for x in range(w):
            if masked(x, y):
                continue
            i = (y * w + x) * 4
            assert frame[i:i + 3] == screen[i:i + 3], f"frame {index} differs at {x},{y}"
print(f"ffmpeg decodes {count} frames of what the screen showed")
PY
pass
