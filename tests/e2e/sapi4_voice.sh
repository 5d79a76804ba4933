#!/usr/bin/env bash
# voltanor.exe speaks its report through a SAPI 4 engine: with the classes not
# registered (as in Wine) the start fails and the default voice speaks; with
# the test double registered the mode is picked by number, speed and pitch are
# set only when not 0, the report is queued as one text and heard, a key press
# resets the audio, and every object is released when the program ends with 0.
source "$(dirname "$0")/lib/voices.sh"
double=$VOLTANOR_BIN_DIR/sapi4_double.dll
audio_destination={CB96B400-C743-11CD-80E5-00AA003E4B50}
enumerator={D67C0280-C743-11CD-80E5-00AA003E4B50}
rate=22050-1-S16_LE
battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
report='2 horas e 30 minutos\r\n80 por cento restante.\r\nNível da bateria: alto.\r\nDuração máxima: 11250 segundos. Energia externa: desligada.'
bytes=$(( $(printf "$report" | iconv -f UTF-8 -t CP1252 | wc -c) + 1 ))

# 1. SAPI 4 missing: the default voice speaks.
use_voice 4 1 0 0
run_to_end none "${battery[@]}"
check "without SAPI 4: exit code 0" [ "$status" -eq 0 ]
check "without SAPI 4: the default voice spoke" [ "$(loud_default_voice_bytes "$work/none.capture")" -gt 40000 ]

register_class "$audio_destination" "$double" && register_class "$enumerator" "$double"
check "the double is registered under both classes" [ $? -eq 0 ]

# 2. The report spoken to its end: mode 2 at speed 150 (kept for type 4).
use_voice 4 2 150 0
run_to_end mode2 "${battery[@]}"
check "mode 2: exit code 0" [ "$status" -eq 0 ]
check "mode 2: speed set, the report queued as one text, everything released" same_log "$work/mode2.voices" "$(
  printf '%s\n' "create MMAudioDest" "create TTSEnumerator" Reset "Next 1 Modo 1" "Next 1 Modo 2" \
    "Select Modo 2 with the audio destination" "Register ITTSNotifySinkA" "SpeedSet 150" \
    "TextData 0 0 $bytes \"$report\" ITTSBufNotifySink" "UnRegister 1" "live 0")"
check "mode 2: the report was heard, character by character" \
  heard "$work/mode2.capture" $rate "$(printf "$report")" 22050
check "mode 2: the default voice stayed silent" [ "$(loud_default_voice_bytes "$work/mode2.capture")" -eq 0 ]

# 3. Mode 5 of 2 (type 7 is SAPI 4 too): the last mode fetched, pitch only.
use_voice 7 5 0 90
run_to_end mode5 "${battery[@]}"
check "mode 5: exit code 0" [ "$status" -eq 0 ]
check "mode 5: the last mode, pitch set, speed not" same_log "$work/mode5.voices" "$(
  printf '%s\n' "create MMAudioDest" "create TTSEnumerator" Reset "Next 1 Modo 1" "Next 1 Modo 2" \
    "Next 1 none" "Next 1 none" "Next 1 none" "Select Modo 2 with the audio destination" \
    "Register ITTSNotifySinkA" "PitchSet 90" \
    "TextData 0 0 $bytes \"$report\" ITTSBufNotifySink" "UnRegister 1" "live 0")"

# 4. A key pressed as soon as the engine is heard resets its audio.
use_voice 4 1 0 0
VOLTANOR_VOICE_HOLD=1 start_program key "${battery[@]}"
check "key press: the engine began" wait_for 60 double_sound_started "$work/key.capture" $rate
check "key press: the audio was reset" press_key_until grep -qxF AudioReset "$work/key.voices"
wait_program
check "key press: exit code 0" [ "$status" -eq 0 ]
check "key press: every object was released" [ "$(tail -n1 "$work/key.voices")" = "live 0" ]
check "key press: only the first character was heard" heard "$work/key.capture" $rate 2 22050

finish
