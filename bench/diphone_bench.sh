#!/usr/bin/env bash
# Measures the diphone synthesizer natively over the real database, built with
# optimization and without sanitizers (build/native-bench): the time from the program's start to the
# first buffer handed to the wave device (start, index and rules loaded, first
# words translated and joined; target < 50 ms) and the synthesis speed in seconds
# of speech per CPU second (target > 200).
#   bench/diphone_bench.sh [SPEED 1-5] [WORD_COUNT]
# Needs the voice data (scripts/build.sh, or the voice_data target of build/native).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
speed=${1:-3}
words=${2:-3000}
data=$top/build/data
out=$top/build/bench
mkdir -p "$out"
[ -f "$data/kelmar/som/difones/DIFONES$speed.IND" ] || { echo "no voice data in $data: build it first" >&2; exit 1; }

"$top/scripts/build.sh" native-bench >/dev/null

# The speed's tuning from the installation's settings file.
setting() { tr -d '\r' < "$top/data/ORAVIX.INI" | sed -n "s/^$1$speed=//p"; }
name=$(setting DIFONES); cut=$(setting CORTEFON); minimum=$(setting SOBRAFON); pause=$(setting INTERPAL)

# A text: the report's words, then words of the Brazilian word list.
text=$out/bench_text.txt
{ printf 'Energia externa desligada por cento restante Nível da bateria alto Duração máxima segundos '
  [ -f /usr/share/dict/brazilian ] && head -n "$words" /usr/share/dict/brazilian | tr '\n' ' '
} | iconv -f UTF-8 -t CP1252//TRANSLIT > "$text"

echo "speed $speed: database $name, cut $cut, minimum $minimum, pause $pause"
"$top/build/${VOLTANOR_BENCH_NATIVE_TREE:-native-bench}/make_diphones_speech" bench "$data/kelmar/som/difones" "$data/kelmar/som/letras" "$name" "$cut" "$minimum" "$pause" "$text"
