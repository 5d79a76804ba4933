#!/usr/bin/env bash
# voltanor.exe speaks its report: the number words and letter sounds of the
# report reach the wave device byte for byte as generated; a key pressed while
# it speaks cuts the speech short and the program still ends with 0; without
# its diphone database it shows the two start-failure lines, waits for Enter
# and ends.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
letters=$VOLTANOR_DATA_DIR/kelmar/som/letras
keep_settings "$work"
trap 'restore_settings "$work"; rm -rf "$work"' EXIT

# Bytes as " xx xx ... " so that a search can only match whole bytes.
hex() { od -An -v -tx1 | tr -s ' \n' '  '; }
# The samples of generated sounds joined, as the wave output plays a buffer
# of them: its last sample is silenced, so the search leaves it out.  Wine
# fills the device with silence when blocks come late (a busy machine), so
# sounds are looked for by their sounding samples.
sounding() { tr -d '\200'; }
sound_hex() {
  local f
  for f in "$@"; do tail -c +45 "$letters/$f.wav"; done | head -c -1 | sounding | hex
}
captured_hex() { cat "$1"/*-11025-1-U8.raw 2>/dev/null | sounding | hex; }
loud_bytes() { cat "$1"/*.raw 2>/dev/null | sounding | wc -c; }
# offset CAPTURE-HEX SOUND-HEX: position of the first match, empty when none.
offset() { grep -boF -- "$2" <<<"$1" | head -n1 | cut -d: -f1; }

# start_program NAME BATTERY... -- : runs the program (with the options in
# $options) in the background with its own capture folder and text log.
start_program() {
  local name=$1; shift
  mkdir -p "$work/$name.capture"
  show_on_failure "$work/$name.out" "$work/$name.log"
  VOLTANOR_CAPTURE_DIR=$work/$name.capture WINEDEBUG=trace+font timeout 120 \
    "$scripts/with-battery.sh" "$@" -- "$scripts/wine-exec.sh" "$VOLTANOR_EXE" ${options:-} \
    >"$work/$name.out" 2>"$work/$name.log" </dev/null &
  program=$! program_capture=$work/$name.capture
}
wait_program() { status=0; wait "$program" || status=$?; wait_captured "$program_capture"; }
# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
  local limit=$(( $1 * 10 )); shift
  local i
  for ((i = 0; i < limit; i++)); do "$@" && return 0; sleep 0.1; done
  return 1
}
window_named() { xdotool search --name "$1" 2>/dev/null | head -n1; }
press() { # window, key
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool key --clearmodifiers "$2"
}
sound_started() { [ -n "$(find "$1" -name '*.raw' -size +0 2>/dev/null | head -n1)" ]; }
drew() { drawn_texts "$1" | grep -qF -- "$2"; }

battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
# The report: "2 horas e 30 minutos" / "80 por cento restante." /
# "Nível da bateria: alto." / "Duração máxima: 11250 segundos. Energia externa: desligada."

# 1. The whole report, spoken to its end.
start_program full "${battery[@]}"
wait_program
check "spoken report: exit code 0" [ "$status" -eq 0 ]
check "spoken report: the window showed the report" drew "$work/full.log" "80 por cento restante."
capture=$(captured_hex "$work/full.capture")
previous=-1
for sound in "_duas" "_trinta" "_oitenta" "_onze _mil _e _duzento _e _cinquen"; do
  # shellcheck disable=SC2086
  at=$(offset "$capture" "$(sound_hex $sound)")
  check "spoken report: played '$sound' as generated" [ -n "$at" ]
  check "spoken report: '$sound' after what comes before it" [ "${at:--2}" -gt "$previous" ]
  previous=${at:--2}
done
for mark in _46 _58; do
  check "spoken report: played the sound of $mark" [ -n "$(offset "$capture" "$(sound_hex $mark)")" ]
done
full_loud=$(loud_bytes "$work/full.capture")
check "spoken report: speech as well as recordings (${full_loud} sound bytes)" [ "$full_loud" -gt 40000 ]

# 2. A key pressed as soon as the first sound reaches the device.
start_program key "${battery[@]}"
check "key press: the speech began" wait_for 60 sound_started "$work/key.capture"
check "key press: the window is there" wait_for 30 window_named "Voltanor - Medidor de bateria"
press "$(window_named "Voltanor - Medidor de bateria")" space
wait_program
check "key press: exit code 0" [ "$status" -eq 0 ]
key_loud=$(loud_bytes "$work/key.capture")
check "key press: speech cut short ($key_loud of $full_loud sound bytes)" [ "$key_loud" -lt $((full_loud / 2)) ]

# 3. No diphone database: two lines, Enter, end, and no sound at all.
printf '[TRADUTOR]\r\nVELOCIDADE=3\r\n[SINTETIZADOR]\r\nDIFONES3=FALTA\r\n' > "$settings"
start_program failure "${battery[@]}"
check "no database: the two lines" wait_for 60 drew "$work/failure.log" "Banco de dados de voz: FALTA"
check "no database: the error code" drew "$work/failure.log" "Erro de inicialização: 1"
check "no database: still waiting for Enter" kill -0 "$program"
window=$(xdotool search --onlyvisible --name '.' 2>/dev/null | head -n1)
check "no database: the window is there" [ -n "$window" ]
[ -n "$window" ] && press "$window" Return
wait_program
check "no database: exit code 0 after Enter" [ "$status" -eq 0 ]
check "no database: nothing was spoken" [ "$(loud_bytes "$work/failure.capture")" -eq 0 ]

# 4. The same for the battery watcher, which has no visible window: its
# window comes up with the two lines (never a watcher waiting unseen), and it
# ends as a failure.
options=/vigiar start_program watcher "${battery[@]}"
check "watcher, no database: the two lines" wait_for 60 drew "$work/watcher.log" "Banco de dados de voz: FALTA"
window=$(xdotool search --onlyvisible --name '.' 2>/dev/null | head -n1)
check "watcher, no database: its window is shown" [ -n "$window" ]
[ -n "$window" ] && press "$window" Return
wait_program
check "watcher, no database: ends after Enter, with the start failure's exit code 6 (got $status)" [ "$status" -eq 6 ]

finish
