#!/usr/bin/env bash
# The text-to-speech engine's bench (bench/tavin_bench.cpp) as the program
# runs it: a 32-bit Windows build under Wine over the i686 mbrola.dll, in the
# Wine prefix of scripts/wine-env.sh.  Prints the engine's start, the time
# from tavinSpeak to the first buffer handed to wave output, the speed and the
# peak working set.
#   bench/tavin_wine.sh [SPEAK-CALLS] [TEXT]
# TEXT (UTF-8) defaults to a one-sentence report.  Needs build/i686/mbrola.dll
# (scripts/build.sh run), the voice data in build/data and the br1 voice
# (scripts/fetch-voice.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
calls=${1:-100}
sentence=${2:-A bateria está com oitenta por cento.}
out=$top/build/bench/i686
tree=$top/build/i686
br1=$top/build/mbrola/usr/share/mbrola/br1/br1
data=$top/build/data/kelmar/tavintts/portug
dll=$tree/mbrola.dll
for need in "$br1" "$data.dfn" "$dll"; do
  [ -f "$need" ] || { echo "tavin_wine: $need is missing (scripts/build.sh run, scripts/fetch-voice.sh)" >&2; exit 1; }
done
mkdir -p "$out"

# Built in the i686 tree with the program's libraries, beside its mbrola.dll.
cmake --build "$tree" --target tavin_bench >/dev/null
exe=$tree/tavin_bench.exe
printf '%s' "$sentence" | iconv -f UTF-8 -t CP1252 > "$out/sentence.txt"

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start private
windows() { printf 'Z:%s' "${1//\//\\}"; }
echo "engine under Wine (i686), all text stages, $calls speak calls of: $sentence"
(cd "$tree" && wine_home wine "$exe" "$(windows "$br1")" "$(windows "$data")" "$(windows "$out/sentence.txt")" "$calls")
