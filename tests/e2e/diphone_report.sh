#!/usr/bin/env bash
# voltanor.exe under Wine, on a faked battery, speaks its whole report through
# the diphone synthesizer: the captured sound holds, in order, the diphone
# buffers of every run of words (as the same synthesizer code makes them
# natively over the same database), the number-word recordings of every number
# and the letter sounds of the line breaks and punctuation; the exit code is 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
check "the native speech tool is built" [ -x "$speaker" ]
check "the voice data is built" [ -f "$VOLTANOR_DATA_DIR/ORAVIX.INI" ]

# On battery: 9000 s left (2 horas e 30 minutos), 80 %, high, 11250 s on a full
# charge, mains off.
export VOLTANOR_CAPTURE_DIR=$work/discharging-sound
mkdir -p "$VOLTANOR_CAPTURE_DIR"
run_program "$work/discharging" -- mains=0 battery=Discharging full=5000000 now=4000000 current=1600000 \
  -- "$VOLTANOR_EXE"
check "exit code 0" [ "$status" -eq 0 ]
captured() { compgen -G "$VOLTANOR_CAPTURE_DIR/*-11025-1-U8.raw" >/dev/null; }
check "sound was captured" captured

check "every piece of the report was played, in order" spoke discharging "$discharging_report_pieces"
finish
