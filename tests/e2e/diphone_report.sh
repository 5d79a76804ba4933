#!/usr/bin/env bash
# voltanor.exe under Wine, on a faked battery, speaks its whole report through
# the diphone synthesizer: the captured sound holds, in order, the diphone
# buffers of every run of words (as the same synthesizer code makes them
# natively over the same database), the number-word recordings of every number
# and the letter sounds of the line breaks and punctuation; the exit code is 0.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
speaker=${VOLTANOR_NATIVE_DIR:-$VOLTANOR_SOURCE_DIR/build/native}/make_diphones_speech
diphones=$VOLTANOR_DATA_DIR/kelmar/som/difones
letters=$VOLTANOR_DATA_DIR/kelmar/som/letras
check "the native speech tool is built" [ -x "$speaker" ]
check "the voice data is built" [ -f "$VOLTANOR_DATA_DIR/ORAVIX.INI" ]

# The tuning of the installation's speed (VELOCIDADE) from its settings file.
settings() { tr -d '\r' < "$VOLTANOR_DATA_DIR/ORAVIX.INI" | sed -n "s/^$1=//p" | head -n1; }
speed=$(settings VELOCIDADE)
tuning=("$(settings "DIFONES$speed")" "$(settings "CORTEFON$speed")" "$(settings "SOBRAFON$speed")"
        "$(settings "INTERPAL$speed")")

# On battery: 9000 s left (2 horas e 30 minutos), 80 %, high, 11250 s on a full
# charge, mains off.
export VOLTANOR_CAPTURE_DIR=$work/capture
mkdir -p "$VOLTANOR_CAPTURE_DIR"
run_program "$work/discharging" -- mains=0 battery=Discharging full=5000000 now=4000000 current=1600000 \
  -- "$VOLTANOR_EXE"
check "exit code 0" [ "$status" -eq 0 ]
captured() { compgen -G "$VOLTANOR_CAPTURE_DIR/*-11025-1-U8.raw" >/dev/null; }
check "sound was captured" captured

# What the speak-text dispatcher makes of
#   2 horas e 30 minutos / 80 por cento restante. / Nível da bateria: alto. /
#   Duração máxima: 11250 segundos. Energia externa: desligada.
# in order (CR and LF are letter sounds; punctuation plays its sound, then pauses).
iconv -f UTF-8 -t CP1252 > "$work/pieces" <<'PIECES'
numbers _duas
words  horas e 
numbers _trinta
words  minutos
sound _13
sound _10
numbers _oitenta
words  por cento restante
sound _46
sound _13
sound _10
words Nível da bateria
sound _58
words  alto
sound _46
sound _13
sound _10
words Duração máxima
sound _58
numbers _onze _mil _e _duzento _e _cinquen
words  segundos
sound _46
words  Energia externa
sound _58
words  desligada
sound _46
PIECES
check "every piece of the report was played, in order" \
  "$speaker" check "$diphones" "$letters" "${tuning[@]}" "$VOLTANOR_CAPTURE_DIR" "$work/pieces"
finish
