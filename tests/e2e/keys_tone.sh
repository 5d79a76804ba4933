#!/usr/bin/env bash
# The console window's tone reaches the wave device as the exact square wave:
# tone_capture.exe plays startTone(800) until the sound capture holds two loops
# and compares them with the tone's samples; here the first cycles are also
# checked against the wave written out by hand.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VOLTANOR_CAPTURE_DIR=$work/capture
mkdir -p "$VOLTANOR_CAPTURE_DIR"

status=0
timeout 60 "$scripts/wine-exec.sh" "$VOLTANOR_BIN_DIR/tone_capture.exe" \
  "Z:${VOLTANOR_CAPTURE_DIR//\//\\}" >"$work/out" 2>&1 </dev/null || status=$?
wait_captured
cat "$work/out"
check "the captured tone equals its samples (exit code 0)" [ "$status" -eq 0 ]
capture=$(ls "$VOLTANOR_CAPTURE_DIR"/0000-*.raw 2>/dev/null | head -n1)
check "played as 11025 Hz, mono, unsigned 8-bit" [ "${capture##*/}" = 0000-11025-1-U8.raw ]

# 11025 div 800 = 13 samples a period; cycles start at 0, 13, 27 and 41:
# six samples at 96 (0x60), the rest at 160 (0xa0).
low6="60 60 60 60 60 60"
expected="$low6 $(printf 'a0 %.0s' 1 2 3 4 5 6 7)$low6 $(printf 'a0 %.0s' 1 2 3 4 5 6 7 8)$low6 $(printf 'a0 %.0s' 1 2 3 4 5 6 7 8)"
expected=${expected% }
got=$(head -c 41 "$capture" 2>/dev/null | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
check "the first three cycles, byte for byte" [ "$got" = "$expected" ]
# The loop ends with the middle level: byte 10968 of each loop is 128.
got=$(head -c 10969 "$capture" 2>/dev/null | tail -c 1 | od -An -tu1 | tr -d ' ')
check "the last sample of the loop is 128" [ "$got" = 128 ]

finish
