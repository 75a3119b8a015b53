#!/usr/bin/env bash
# Records a 1 kHz tone through a real-time microphone: a private PulseAudio null sink plays the
# tone, and its monitor is what Wine offers as wave-in device 0. Checks the device behaviour
# (wave_device_tests) and a recording made the way the recorder makes one (WaveRecord): full
# 2000-byte buffers, about eleven a second, carrying the tone.
set -euo pipefail
bin=$(cd "$1" && pwd)
wine=${WINE_LOADER:?set by scripts/test.sh to the Wine loader}
tone_hz=1000
seconds=4

work=$(mktemp -d)
pa_pid="" play_pid=""
finish() {
  [ -n "$play_pid" ] && kill "$play_pid" 2>/dev/null && wait "$play_pid" 2>/dev/null
  [ -n "$pa_pid" ] && kill "$pa_pid" 2>/dev/null && wait "$pa_pid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/xdg/pulse" "$work/rec"
chmod 700 "$work/xdg" "$work/xdg/pulse"
cat >"$work/pa.pa" <<EOF
load-module module-native-protocol-unix auth-anonymous=1 socket=$work/pulse.sock
load-module module-null-sink sink_name=nullsink rate=44100 channels=2
set-default-sink nullsink
set-default-source nullsink.monitor
EOF
export XDG_RUNTIME_DIR="$work/xdg" PULSE_RUNTIME_PATH="$work/xdg/pulse" PULSE_SERVER="unix:$work/pulse.sock"
# Should this script be killed, the server still ends by itself once its last client is gone.
pulseaudio -n --daemonize=no --exit-idle-time=20 --use-pid-file=no -F "$work/pa.pa" >"$work/pa.log" 2>&1 &
pa_pid=$!
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { cat "$work/pa.log"; fail "the sound server did not start"; }

python3 - "$work/tone.wav" "$tone_hz" <<'EOF'
import math, struct, sys, wave
path, hz = sys.argv[1], float(sys.argv[2])
rate, seconds = 44100, 180
period = bytearray()  # one second: a whole number of cycles, so the repeats join seamlessly
for i in range(rate):
    v = int(16000 * math.sin(2 * math.pi * hz * i / rate))
    period += struct.pack("<hh", v, v)
with wave.open(path, "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate)
    w.writeframes(bytes(period) * seconds)
EOF
paplay "$work/tone.wav" &
play_pid=$!
sleep 0.5

QUORLO_TEST_OUT="Z:${work//\//\\}\\rec" "$wine" "$bin/wave_device_tests.exe" >"$work/device.log" 2>&1 </dev/null ||
  { cat "$work/device.log"; fail "device tests"; }
grep -E '^\[  (PASSED|FAILED) ' "$work/device.log"

(cd "$work/rec" && "$wine" "$bin/WaveRecord.exe" "$seconds" >"$work/record.log" 2>&1 </dev/null) ||
  { cat "$work/record.log"; fail "WaveRecord"; }

python3 - "$work/rec" "$tone_hz" "$seconds" <<'EOF'
import math, os, struct, sys
folder, tone, seconds = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
problems = []
def check(ok, text):
    print(("ok: " if ok else "FAIL: ") + text)
    if not ok: problems.append(text)

rate, channels, bits = map(int, open(os.path.join(folder, "format.txt")).read().split())
check((rate, channels, bits) == (11025, 1, 16), f"format {rate} Hz, {channels} channel(s), {bits} bits")

rows = [line.split(",") for line in open(os.path.join(folder, "buffers.csv")).read().split()]
times = [float(r[0]) for r in rows]
lengths = {int(r[1]) for r in rows}
recorded = {int(r[2]) for r in rows}
check(lengths == {2000} and recorded == {2000}, f"every buffer holds 2000 of 2000 bytes (lengths {lengths}, recorded {recorded})")
check(len(rows) >= 20, f"{len(rows)} buffers in {seconds:g} s")
per_second = (len(rows) - 1) / ((times[-1] - times[0]) / 1000) if len(rows) > 1 else 0
check(9.5 <= per_second <= 12.5, f"{per_second:.2f} buffers per second (1000 frames at 11025 Hz: 11.03)")

data = open(os.path.join(folder, "audio.pcm"), "rb").read()
check(len(data) == 2000 * len(rows), f"{len(data)} bytes of sound, all that OnData delivered")
samples = struct.unpack(f"<{len(data) // 2}h", data)[-2 * rate:]  # the last two seconds
rms = math.sqrt(sum(s * s for s in samples) / max(len(samples), 1))
check(rms > 3000, f"the tone is loud in the recording (RMS {rms:.0f})")
# Frequency from rising zero crossings, interpolated between samples.
crossings = [i + s0 / (s0 - s1) for i, (s0, s1) in enumerate(zip(samples, samples[1:])) if s0 < 0 <= s1]
heard = (len(crossings) - 1) * rate / (crossings[-1] - crossings[0]) if len(crossings) > 1 else 0
check(abs(heard - tone) <= tone * 0.02, f"tone of {heard:.1f} Hz recorded, {tone:g} Hz played")
sys.exit(1 if problems else 0)
EOF

# The recorder's movie: a PCM track of the tone, as long as the video, with the two paused
# seconds cut from both.
ffprobe -v error -count_frames -show_entries stream=codec_type,codec_name,sample_rate,channels,nb_read_frames,r_frame_rate \
  -of json "$work/rec/qxcap1.avi" >"$work/sound.json" || fail "ffprobe qxcap1.avi"
ffmpeg -v error -i "$work/rec/qxcap1.avi" -map 0:a -f s16le "$work/sound.raw" || fail "the sound does not decode"
python3 - "$work/sound.json" "$work/sound.raw" "$tone_hz" <<'EOF'
import json, struct, sys
streams = {s["codec_type"]: s for s in json.load(open(sys.argv[1]))["streams"]}
video, audio = streams["video"], streams["audio"]
assert (audio["codec_name"], audio["sample_rate"], audio["channels"]) == ("pcm_s16le", "11025", 1), audio
num, den = map(int, video["r_frame_rate"].split("/"))
video_seconds = int(video["nb_read_frames"]) * den / num
data = open(sys.argv[2], "rb").read()
audio_seconds = len(data) / 2 / 11025
print(f"video {video_seconds:.2f} s, audio {audio_seconds:.2f} s")
assert abs(video_seconds - audio_seconds) <= 0.2, "the tracks are as long as each other"
assert 4.0 <= video_seconds <= 6.0, "about 5 s recorded, the pauses left out"
samples = struct.unpack(f"<{len(data) // 2}h", data)[-22050:]
crossings = [i + a / (a - b) for i, (a, b) in enumerate(zip(samples, samples[1:])) if a < 0 <= b]
heard = (len(crossings) - 1) * 11025 / (crossings[-1] - crossings[0])
print(f"tone {heard:.1f} Hz")
assert abs(heard - float(sys.argv[3])) <= 20
EOF
echo "ok: the recorder's movie carries the tone"
