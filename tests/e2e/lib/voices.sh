# Shared by the system voice scripts: voltanor.exe run with a system voice set
# in ORAVIX.INI, the voice engine doubles registered in the prefix's registry
# (the registry view of the program's architecture), and their call logs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
work=$(mktemp -d)
settings=$WINEPREFIX/drive_c/windows/ORAVIX.INI
com_view=/reg:${VOLTANOR_REGISTRY_VIEW:-32}
com_saved=$work
source "$scripts/com-classes.sh"
cp "$settings" "$work/installed.ini"
restore_all() {
  restore_classes
  cp "$work/installed.ini" "$settings"
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap restore_all EXIT

# use_voice TYPE VOICE RATE PITCH: the installed settings with a system voice.
use_voice() {
  sed "/^\\[TRADUTOR\\]/a SAPI=SIM\r" "$work/installed.ini" > "$settings"
  printf '\r\n[SERVFALA]\r\nTIPOSAPI=%s\r\nVOZ=%s\r\nVELOCIDADE=%s\r\nTOM=%s\r\n' "$@" >> "$settings"
}

# start_program NAME BATTERY...: voltanor.exe in the background with its own
# capture folder and voice log ($work/NAME.voices).
start_program() {
  local name=$1; shift
  mkdir -p "$work/$name.capture"
  : > "$work/$name.voices"
  VOLTANOR_CAPTURE_DIR=$work/$name.capture VOLTANOR_VOICE_LOG=$(windows_path "$work/$name.voices") \
    WINEDEBUG=trace+font timeout 120 \
    "$scripts/with-battery.sh" "$@" -- "$scripts/wine-exec.sh" "$VOLTANOR_EXE" \
    >"$work/$name.out" 2>"$work/$name.log" </dev/null &
  program=$! program_capture=$work/$name.capture
}
wait_program() { status=0; wait "$program" || status=$?; wait_captured "$program_capture"; }
run_to_end() { start_program "$@"; wait_program; }

wait_for() { # SECONDS COMMAND...: polls until the command succeeds
  local limit=$(( $1 * 10 )); shift
  local i
  for ((i = 0; i < limit; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}
# press_key_until COMMAND...: presses a key in the program's window until the
# command succeeds (a key pressed while the window is taking the focus can be
# lost on a display without a window manager).
press_key_until() {
  local try
  for try in 1 2 3 4 5; do
    press_key_in_program
    wait_for 5 "$@" && return 0
  done
  return 1
}
window_named() { xdotool search --name "$1" 2>/dev/null | head -n1; }
press_key_in_program() {
  local window
  window=$(window_named "Voltanor - Medidor de bateria")
  [ -n "$window" ] || return 1
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  xdotool key --clearmodifiers space
}

# Bytes of sound: the default voice plays 8-bit 11025 Hz, the doubles 16-bit.
sound_bytes() { cat "$1"/*-"$2".raw 2>/dev/null | wc -c; }
loud_default_voice_bytes() { cat "$1"/*-11025-1-U8.raw 2>/dev/null | tr -d '\200' | wc -c; }
double_sound_started() { [ "$(sound_bytes "$1" "$2")" -gt 0 ]; }

# same_log FILE EXPECTED: the double's log, line by line.
same_log() {
  [ "$(cat "$1")" = "$2" ] || { diff <(echo "$2") "$1" | sed 's/^/  /'; return 1; }
}

# characters_sound TEXT RATE: what the doubles play for a text (CP1252 bytes):
# per character rate/20 samples of a square wave, half period 4 + byte mod 16,
# loudness 1000 + 100 * byte, 16-bit little-endian.
characters_sound() {
  python3 -c '
import sys, struct
text, rate = sys.argv[1].encode("cp1252"), int(sys.argv[2])
out = bytearray()
for c in text:
    half, loud = 4 + c % 16, 1000 + 100 * c
    for i in range(rate // 20):
        out += struct.pack("<h", -loud if (i // half) % 2 else loud)
sys.stdout.buffer.write(out)' "$1" "$2"
}

# heard DIR FORMAT TEXT RATE: the samples captured in that format are the
# sound of the text once silence is left out (the doubles' sounds have no
# silent sample; the device adds silence when it runs short of samples and
# to fill its last period).
heard() {
  local expected=$work/expected.raw
  characters_sound "$3" "$4" > "$expected"
  cat "$1"/*-"$2".raw 2>/dev/null | python3 -c '
import sys
got, want = sys.stdin.buffer.read(), open(sys.argv[1], "rb").read()
samples = [got[i:i + 2] for i in range(0, len(got) - 1, 2)]
sys.exit(0 if b"".join(s for s in samples if s != b"\0\0") == want else 1)' "$expected"
}
