#!/usr/bin/env bash
# voltanor.exe speaks its report through a SAPI 5 or SAPI 5.4 voice: with
# neither class served (Wine's own SAPI 5 object gives no voice: Wine 8's
# lists none, Wine 10's lists its "Wine Default Voice" but its token list's
# Item is a stub; the SAPI 5.4 class is not registered) the start fails and
# the default voice speaks; with
# the test double registered under both classes the report reaches the voice
# as one asynchronous text, is heard, is cut off by a key press, and every
# object is released when the program ends with 0.
source "$(dirname "$0")/lib/voices.sh"
double=$VOLTANOR_BIN_DIR/sapi5_double.dll
sapi5={96749377-3391-11D2-9EE3-00C04F797396}
sapi54={D941651C-44E6-4C17-BADF-C36826FC3424}
rate=8000-1-S16_LE
battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
report='2 horas e 30 minutos\r\n80 por cento restante.\r\nNível da bateria: alto.\r\nDuração máxima: 11250 segundos. Energia externa: desligada.'

# 1. No voice to be had: the default voice speaks the report.
for type in 5 54; do
  use_voice "$type" 1 3 0
  run_to_end "none$type" "${battery[@]}"
  check "SAPI $type without a voice: exit code 0" [ "$status" -eq 0 ]
  check "SAPI $type without a voice: the default voice spoke" [ "$(loud_default_voice_bytes "$work/none$type.capture")" -gt 40000 ]
done

register_class "$sapi5" "$double" && register_class "$sapi54" "$double"
check "the double is registered under both classes" [ $? -eq 0 ]

# 2. The report, spoken to its end, through each twin.
expected_calls() { # twin, item, voice, rate
  printf '%s\n' "create $1" "EventInterests 33790" 'GetVoices "" ""' Count "Item $2" "Voice Voz $3" \
    "Rate $4" SpeakCompleteEvent "Speak 17 \"$report\"" "live 0"
}
use_voice 5 2 3 0
run_to_end sapi5 "${battery[@]}"
check "SAPI 5: exit code 0" [ "$status" -eq 0 ]
check "SAPI 5: voice 2 at rate 3 got the report, then every object was released" \
  same_log "$work/sapi5.voices" "$(expected_calls 5 1 2 3)"
check "SAPI 5: the report was heard, character by character" \
  heard "$work/sapi5.capture" $rate "$(printf "$report")" 8000
check "SAPI 5: the default voice stayed silent" [ "$(loud_default_voice_bytes "$work/sapi5.capture")" -eq 0 ]

use_voice 54 5 3 0
run_to_end sapi54 "${battery[@]}"
check "SAPI 5.4: exit code 0" [ "$status" -eq 0 ]
check "SAPI 5.4: voice 5 of 2 gives the first voice at rate 0" \
  same_log "$work/sapi54.voices" "$(expected_calls 54 0 1 0)"
check "SAPI 5.4: the report was heard" heard "$work/sapi54.capture" $rate "$(printf "$report")" 8000

# 3. A key pressed as soon as the voice is heard silences it at once.
use_voice 5 1 0 0
VOLTANOR_VOICE_HOLD=1 start_program key "${battery[@]}"
check "key press: the voice began" wait_for 60 double_sound_started "$work/key.capture" $rate
check "key press: the queue was purged with a blank" press_key_until grep -qxF 'Speak 2 " "' "$work/key.voices"
wait_program
check "key press: exit code 0" [ "$status" -eq 0 ]
check "key press: every object was released" [ "$(tail -n1 "$work/key.voices")" = "live 0" ]
check "key press: only the first character was heard" heard "$work/key.capture" $rate 2 8000

finish
