#!/usr/bin/env bash
# Plays long .wav files through wave output under Wine (the real wave device,
# its sound going to the capture) and reports the processor time per second of
# sound and the allocations made while playing.  The null device behind the
# capture consumes sound faster than real time, so the wall time is short; the
# processor time is that of the whole process, the sound system's threads
# included.
#   bench/wave_playback.sh [SECONDS] [ARCH]     (defaults: 120 s, i686)
# Needs build/ARCH/wave_playback_bench.exe (scripts/build.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
arch=${2:-i686}
exe=$top/build/$arch/wave_playback_bench.exe
[ -f "$exe" ] || { echo "no $exe: build it first (scripts/build.sh)" >&2; exit 1; }
out=$top/build/bench/wave
rm -rf "$out"
mkdir -p "$out/capture"

# Test sounds: 8-bit mono at 11025 (as the recorded letters), 16-bit mono at
# 16000 (as the engine's speech, also played trimmed) and 16-bit stereo.
python3 - "$out" "$seconds" <<'PY'
import math, struct, sys
out, seconds = sys.argv[1], int(sys.argv[2])
def wav(name, rate, channels, bits, count, sample):
    data = bytearray()
    for i in range(count):
        v = sample(i)
        for _ in range(channels):
            data += bytes([v & 0xFF]) if bits == 8 else struct.pack('<h', v)
    fmt = struct.pack('<HHIIHH', 1, channels, rate, rate * channels * bits // 8, channels * bits // 8, bits)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', 16) + fmt + b'data' + struct.pack('<I', len(data)) + bytes(data)
    open(f'{out}/{name}', 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body)
wav('mono8.wav', 11025, 1, 8, 11025 * seconds, lambda i: 128 + int(90 * math.sin(i * 0.06)) + (100 if i % 100 == 0 else 0) // 2)
wav('mono16.wav', 16000, 1, 16, 16000 * seconds, lambda i: int(12000 * math.sin(i * 0.03)) + (16000 if i % 150 == 0 else 0))
wav('stereo16.wav', 16000, 2, 16, 16000 * seconds, lambda i: int(12000 * math.sin(i * 0.03)))
PY

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start private >/dev/null
export VOLTANOR_CAPTURE_DIR=$out/capture
# Output goes through a file: Wine's helper processes may keep a pipe open.
run() {
  "$top/scripts/wine-exec.sh" "$exe" "$@" </dev/null >"$out/run.txt" 2>&1 || true
  tr -d '\r' <"$out/run.txt" | sed 's|^Z:.*\\||'
}
winpath() { echo "Z:${1//\//\\}"; }
echo "== plain"
run "$(winpath "$out/mono8.wav")" "$(winpath "$out/mono16.wav")" "$(winpath "$out/stereo16.wav")"
echo "== trimmed and quick"
run --trim --quick "$(winpath "$out/mono16.wav")"
echo "== captured (bytes per open of the device)"
ls -l "$out/capture" | awk '/\.raw$/ {print $5, $9}'
