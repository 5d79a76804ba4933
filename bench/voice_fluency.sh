#!/usr/bin/env bash
# Measures the default voice against espeak-ng pt-br (11025 Hz, its default
# rate) on the same texts:
#  - sound, on the sentences of bench/voice_sentences.txt (the report's lines
#    and ordinary sentences): the duration ratio ours/espeak-ng at the speed
#    (target 0.9 to 1.15), the silence inside words, each word said alone
#    (stop closures; target at most 1.2 times espeak-ng's), and the largest
#    sample jump where two units meet, beside the largest jump espeak-ng's
#    own output has; the second formant's jump and the spectral distance
#    across the voiced joins, beside espeak-ng's between neighbouring windows
#    (bench/voice_joins.py);
#  - pronunciation, on a seeded sample of lower-case words of the Brazilian
#    word list that nothing under data/ or tests/ holds, both mapped onto one
#    reduced alphabet: stressed syllable agreement (target 99.5 %), phoneme
#    error rate (target 1.5 %), open/closed e/o of the stressed vowel (95 %).
#
#   bench/voice_fluency.sh [--speed N] [--words N] [--seed N] [--show N]
#                          [--spectrograms "N M"] [--out DIR] [--sound-only|--words-only]
#
# Needs the voice data (the voice_data target of build/native).  Spectrograms
# of the numbered sentences, ours above espeak-ng's, go to OUT/spectrogram-N.png.
# With VOLTANOR_BENCH_SMOKE=1 (bench/smoke.sh) only the first 3 sentences.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
speed=3 count=2000 seed=11 show=0 spectrograms="" out=$top/build/bench/fluency parts=both
while [ $# -gt 0 ]; do
  case $1 in
    --speed) speed=$2; shift ;;
    --words) count=$2; shift ;;
    --seed) seed=$2; shift ;;
    --show) show=$2; shift ;;
    --spectrograms) spectrograms=$2; shift ;;
    --out) out=$2; shift ;;
    --sound-only) parts=sound ;;
    --words-only) parts=words ;;
    *) echo "voice_fluency: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
data=$top/build/data
[ -f "$data/kelmar/som/difones/DIFONES$speed.IND" ] || { echo "no voice data in $data: build it first" >&2; exit 1; }
mkdir -p "$out"

# The renderer: the program's portable code over the unit tests' fakes,
# optimized (build/native-bench).
"$top/scripts/build.sh" native-bench >/dev/null
render=$top/build/${VOLTANOR_BENCH_NATIVE_TREE:-native-bench}/voice_render

u8="-t raw -r 11025 -c 1 -e unsigned -b 8"
espeak_raw() { # text, output
  espeak-ng -v pt-br -w "$out/espeak.wav" -- "$1"
  sox -D "$out/espeak.wav" $u8 "$2" rate 11025
}

if [ $parts != words ]; then
  rm -rf "$out/ours" "$out/espeak" "$out/ours-words" "$out/espeak-words"
  mkdir -p "$out/ours" "$out/espeak" "$out/ours-words" "$out/espeak-words"
  sentences=$top/bench/voice_sentences.txt
  if [ -n "${VOLTANOR_BENCH_SMOKE:-}" ]; then head -n 3 "$sentences" > "$out/smoke-sentences.txt"; sentences=$out/smoke-sentences.txt; fi
  iconv -f UTF-8 -t CP1252 "$sentences" > "$out/sentences.txt"
  "$render" speak "$data" "$speed" "$out/sentences.txt" "$out/ours"
  n=0
  while IFS= read -r line; do n=$((n + 1)); espeak_raw "$line" "$out/espeak/$n.raw"; done < "$sentences"
  # Every word of the sentences once, said alone.
  grep -o '[[:alpha:]]\+' "$sentences" | awk '!seen[tolower($0)]++' > "$out/words.txt"
  iconv -f UTF-8 -t CP1252 "$out/words.txt" > "$out/words-cp1252.txt"
  "$render" speak "$data" "$speed" "$out/words-cp1252.txt" "$out/ours-words"
  n=0
  while IFS= read -r word; do n=$((n + 1)); espeak_raw "$word" "$out/espeak-words/$n.raw"; done < "$out/words.txt"
  echo "== sound, speed $speed"
  python3 "$top/bench/voice_compare.py" sound "$out"
  python3 "$top/bench/voice_joins.py" "$out"
  for s in $spectrograms; do
    sox $u8 "$out/ours/$s.raw" -n rate 11025 spectrogram -X 250 -y 257 -t "ours: sentence $s" -o "$out/ours-$s.png"
    sox $u8 "$out/espeak/$s.raw" -n rate 11025 spectrogram -X 250 -y 257 -t "espeak-ng: sentence $s" -o "$out/espeak-$s.png"
    convert "$out/ours-$s.png" "$out/espeak-$s.png" -append "$out/spectrogram-$s.png" 2>/dev/null \
      && rm -f "$out/ours-$s.png" "$out/espeak-$s.png"
    echo "spectrogram: $out/spectrogram-$s.png"
  done
fi

if [ $parts != sound ]; then
  python3 "$top/bench/voice_compare.py" sample /usr/share/dict/brazilian "$count" "$seed" "$top" > "$out/sample.txt"
  iconv -f UTF-8 -t CP1252 "$out/sample.txt" > "$out/sample-cp1252.txt"
  "$render" phonemes "$data" "$out/sample-cp1252.txt" > "$out/sample-ours.txt"
  sed 's/$/./' "$out/sample.txt" | espeak-ng -q -x -v pt-br > "$out/sample-espeak.txt"
  echo "== pronunciation, $count words, seed $seed"
  python3 "$top/bench/voice_compare.py" words "$out/sample.txt" "$out/sample-ours.txt" "$out/sample-espeak.txt" "$show"
fi
