#!/usr/bin/env bash
# Real key strokes from the X server reach the console window's key queue:
# Braille chords in modes 1 and 2, extended keys with Ctrl and Shift, and F10,
# which Windows sends as a system key and which queues nothing.
source "$(dirname "$0")/lib/keys.sh"

# mode_tones MODE SECOND: turning the mode on played 800 Hz, then SECOND Hz,
# each 200 ms, captured in $work/tonesMODE.  Each tone is stopped 200 ms after
# it starts, whether Wine's player has handed any of it to the device or not:
# on a machine too busy for that, the mode is turned on once more (with no
# keys to read) and that try is the one checked.
mode_tones() {
  local dir=$work/tones$1 tones
  tones=("$dir"/*.raw)
  if ! { [ "${#tones[@]}" -eq 2 ] && starts_with_tone "${tones[0]}" 800 && starts_with_tone "${tones[1]}" "$2"; } >/dev/null; then
    echo "  mode $1: the tones were not all captured; once more"
    dir=$work/tones$1-again
    mkdir -p "$dir"
    VOLTANOR_CAPTURE_DIR=$dir start_reader "$1" 0 "$work/again$1"
    VOLTANOR_CAPTURE_DIR=$dir wait_reader
    tones=("$dir"/*.raw)
  fi
  check "mode $1 on: two tones played" [ "${#tones[@]}" -eq 2 ]
  check "mode $1 on: first 800 Hz" starts_with_tone "${tones[0]}" 800
  check "mode $1 on: then $2 Hz" starts_with_tone "${tones[1]:-}" "$2"
}

# Mode 1: F+D released in either order is "b"; the space bar with F is byte 1.
# Turning mode 1 on plays 800 Hz, then 1600 Hz; mode 2 800 Hz, then 400 Hz.
export VOLTANOR_CAPTURE_DIR=$work/tones1
mkdir -p "$VOLTANOR_CAPTURE_DIR"
start_reader 1 3 "$work/chords"
xdotool keydown f keydown d keyup f keyup d
xdotool keydown d keydown f keyup f keyup d
xdotool keydown space keydown f keyup space keyup f
wait_reader
check "mode 1 chords: exit code 0" [ "$status" -eq 0 ]
check "mode 1 chords: b, b and byte 1" same_bytes "$work/chords" '62 62 01'
mode_tones 1 1600

# Mode 2: capital sign (J+L) then F is "A"; number sign (S+J+K+L) then D+F is "2".
# Letters typed as characters in Braille mode are dropped; a digit is not.
export VOLTANOR_CAPTURE_DIR=$work/tones2
mkdir -p "$VOLTANOR_CAPTURE_DIR"
start_reader 2 3 "$work/signs"
xdotool keydown j keydown l keyup j keyup l
xdotool keydown f keyup f
xdotool keydown s keydown j keydown k keydown l keyup s keyup j keyup k keyup l
xdotool keydown d keydown f keyup f keyup d
xdotool key 7
wait_reader
check "mode 2 signs: exit code 0" [ "$status" -eq 0 ]
check "mode 2 signs: A, 2, then the digit key 7" same_bytes "$work/signs" '41 32 37'
mode_tones 2 400
unset VOLTANOR_CAPTURE_DIR

# No Braille mode: F10 (a system key) queues nothing, then F1, Up, Ctrl+Home,
# Shift+Insert, Ctrl+Insert, Ctrl+Enter, Ctrl+Backspace and a letter.
start_reader 0 13 "$work/extended"
xdotool key F10 F1 Up ctrl+Home shift+Insert ctrl+Insert ctrl+Return ctrl+BackSpace a
wait_reader
check "extended keys: exit code 0" [ "$status" -eq 0 ]
check "extended keys: their codes, nothing for F10" same_bytes "$work/extended" \
  '00 3b 00 48 00 77 00 fe 00 ff 0a 7f 61'

finish
