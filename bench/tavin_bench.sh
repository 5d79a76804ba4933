#!/usr/bin/env bash
# Measures the text-to-speech engine over the real MBROLA natively, built with
# optimization and without sanitizers (bench/tavin_bench.cpp says what), and
# beside it the Linux mbrola program on the same lines, and espeak-ng driving
# the same br1 voice on the same sentence when it can find it.
#   bench/tavin_bench.sh [SPEAK-CALLS]
# With VOLTANOR_BENCH_SMOKE=1 (bench/smoke.sh) the long texts are 2 KB and
# 100 numbers.
# Needs the br1 voice (scripts/fetch-voice.sh) and the engine's data (the
# voice_data target of build/native); the bench is built in build/native-bench.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
calls=${1:-1000}
out=$top/build/bench
voice_dir=$top/build/mbrola
br1=$voice_dir/usr/share/mbrola/br1/br1
mkdir -p "$out"
[ -f "$br1" ] || { echo "no br1 voice in $voice_dir: run scripts/fetch-voice.sh" >&2; exit 1; }

data=$top/build/data/kelmar/tavintts/portug
[ -f "$data.dfn" ] || { echo "no engine data in $top/build/data: build the voice_data target first" >&2; exit 1; }
"$top/scripts/build.sh" native-bench >/dev/null
bench=$top/build/${VOLTANOR_BENCH_NATIVE_TREE:-native-bench}/tavin_bench

sentence="A bateria está com oitenta por cento."
printf '%s' "$sentence" | iconv -f UTF-8 -t CP1252 > "$out/tavin_sentence.txt"
echo "engine over MBROLA, all text stages, $calls speak calls of: $sentence"
"$bench" "$br1" "$data" "$out/tavin_sentence.txt" "$calls"

# Bad input in bounded memory: one speak call of a 64 KB text (the report,
# repeated) and one of 10,000 numbers in a row.
long_bytes=65536 numbers=10000
[ -z "${VOLTANOR_BENCH_SMOKE:-}" ] || long_bytes=2048 numbers=100
report="2 horas e 30 minutos
80 por cento restante.
Nível da bateria: alto.
Duração máxima: 11250 segundos. Energia externa: desligada. "
printf '%s' "$report" | iconv -f UTF-8 -t CP1252 > "$out/tavin_report.txt"
: > "$out/tavin_64k.txt"
while [ "$(stat -c %s "$out/tavin_64k.txt")" -lt $long_bytes ]; do cat "$out/tavin_report.txt" >> "$out/tavin_64k.txt"; done
truncate -s $long_bytes "$out/tavin_64k.txt"
seq 0 $((numbers - 1)) | awk '{ printf "%d ", $1 * 7919 }' > "$out/tavin_numbers.txt"
for long in 64k numbers; do
  echo "one speak call of $out/tavin_$long.txt ($(stat -c %s "$out/tavin_$long.txt") bytes):"
  "$bench" "$br1" "$data" "$out/tavin_$long.txt" 1 | grep -E 'speech|peak'
done

# MBROLA alone: the Linux mbrola program on hand-written lines of that sentence.
lines=$out/tavin_sentence.pho
cat > "$lines" <<'PHO'
_ 60
a 70 50 120
b 55
a 60 50 125
t 60
e 60 50 130
r 35
i 90 50 140
a 70 50 120
i 50
s 90
t 60
a 130 50 135
k 70
o~ 90 50 125
o 80 50 130
j 40
t 60
e~ 100 50 140
t 50
u 60 50 118
p 60
u 50
x 60
s 90
e~ 120 50 110
t 50
u 110 50 95
_ 200
PHO

# The Linux mbrola program on the same lines, as many times.
many=$out/tavin_many.pho
for ((i = 0; i < calls; i++)); do cat "$lines"; done > "$many"
start=$(date +%s.%N)
cpu=$( { /usr/bin/time -f '%U %S' "$voice_dir/usr/bin/mbrola" -e "$br1" "$many" "$out/tavin_many.raw" ; } 2>&1 | tail -n1)
seconds=$(stat -c %s "$out/tavin_many.raw")
awk -v b="$seconds" -v c="$cpu" 'BEGIN { split(c, t, " "); s = b / 32000; printf "Linux mbrola program      %.1f s of speech in %.3f CPU s: %.0f x real time\n", s, t[1] + t[2], s / (t[1] + t[2]) }'

# espeak-ng with the same voice: it runs the mbrola program and looks for br1
# under its own data folder's mbrola/.
espeak_data=$out/espeak-ng-data
if [ -d /usr/lib/x86_64-linux-gnu/espeak-ng-data ] && command -v espeak-ng >/dev/null; then
  rm -rf "$espeak_data"; cp -r /usr/lib/x86_64-linux-gnu/espeak-ng-data "$espeak_data"
  mkdir -p "$espeak_data/mbrola"; ln -sf "$br1" "$espeak_data/mbrola/br1"
  text=$out/tavin_espeak.txt
  for ((i = 0; i < calls; i++)); do echo "$sentence"; done > "$text"
  if cpu=$( { PATH=$voice_dir/usr/bin:$PATH /usr/bin/time -f '%U %S' espeak-ng --path="$out" -v mb-br1 -f "$text" -w "$out/tavin_espeak.wav"; } 2>&1 | tail -n1) &&
     [ -s "$out/tavin_espeak.wav" ]; then
    bytes=$(( $(stat -c %s "$out/tavin_espeak.wav") - 44 ))
    awk -v b="$bytes" -v c="$cpu" 'BEGIN { split(c, t, " "); s = b / 32000; printf "espeak-ng -v mb-br1       %.1f s of speech in %.3f CPU s (its mbrola process included): %.0f x real time\n", s, t[1] + t[2], s / (t[1] + t[2]) }'
  else
    echo "espeak-ng -v mb-br1 did not run with the fetched voice: $cpu"
  fi
fi
