#!/usr/bin/env bash
# The battery report's sentences through the engine's text stages and the
# Linux mbrola program with br1: mbrola must take every line without a
# warning, and the sound must last as long as speech of that text does.
# Arguments: the tts_lines tool, the engine's data folder, mbrola, br1.
set -uo pipefail
tool=$1 data=$2 mbrola=$3 voice=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# Code page 1252 texts, as the program composes them, and their syllables.
reports=(
  $'N\xe3o h\xe1 bateria. Energia externa: ligada.|16'
  $'2 horas e 15 minutos\r\n87 por cento restante.\r\nN\xedvel da bateria: alto. Carregando.\r\nDura\xe7\xe3o m\xe1xima: 7200 segundos. Energia externa: desligada.|61'
  $'45 segundos \r\n5 por cento restante.\r\nN\xedvel da bateria: baixo. cr\xedtico.\r\nDura\xe7\xe3o m\xe1xima: 600 segundos. Energia externa: indeterminada.|54'
  $'\r\n100 por cento restante.\r\nN\xedvel da bateria: indeterminado. Energia externa: ligada.|30'
)
for entry in "${reports[@]}"; do
  text=${entry%|*} syllables=${entry##*|}
  "$tool" "$data" -d 0.8 "$text" > "$work/report.pho" || { echo "FAIL: tts_lines refused: $text"; failed=1; continue; }
  "$mbrola" "$voice" "$work/report.pho" "$work/report.wav" 2> "$work/mbrola.err"
  status=$?
  if [ $status -ne 0 ] || [ -s "$work/mbrola.err" ]; then
    echo "FAIL: mbrola exit $status for: $text"; cat "$work/mbrola.err"; failed=1; continue
  fi
  seconds=$(soxi -D "$work/report.wav")
  # Brazilian speech runs at about 5 to 7 syllables a second, pauses included
  # about 4 to 6 (espeak-ng pt-br takes 0.20 s a syllable on the second text).
  per=$(awk -v s="$seconds" -v n="$syllables" 'BEGIN { printf "%.3f", s / n }')
  if awk -v p="$per" 'BEGIN { exit !(p >= 0.12 && p <= 0.28) }'; then
    echo "ok: ${seconds}s, ${per}s a syllable: ${text//[$'\r\n']/ }"
  else
    echo "FAIL: ${seconds}s is ${per}s a syllable: ${text//[$'\r\n']/ }"; failed=1
  fi
done
exit $failed
