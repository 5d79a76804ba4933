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
br1=$top/build/mbrola/usr/share/mbrola/br1/br1
data=$top/build/data/kelmar/tavintts/portug
dll=$top/build/i686/mbrola.dll
for need in "$br1" "$data.dfn" "$dll"; do
  [ -f "$need" ] || { echo "tavin_wine: $need is missing (scripts/build.sh run, scripts/fetch-voice.sh)" >&2; exit 1; }
done
mkdir -p "$out"

# Built with the program's flags for i686 (cmake/mingw-i686.cmake), the
# engine's sources and the Windows loader of mbrola.dll.
exe=$out/tavin_bench.exe
if [ ! -x "$exe" ] || [ -n "$(find "$top/bench/tavin_bench.cpp" "$top"/src -newer "$exe")" ]; then
  i686-w64-mingw32-g++-posix -std=c++20 -O2 -DNDEBUG -static -finput-charset=UTF-8 -fexec-charset=CP1252 \
      -I"$top/src" "$top/bench/tavin_bench.cpp" \
      "$top"/src/tts/{tavin_engine,tavin_settings,mbrola_binding,mbrola_binding_win}.cpp \
      "$top"/src/tts/{normalization,pronunciation,prosody,diphone_list,mbrola_lines,word_patterns,text_fields,pipeline}.cpp \
      "$top"/src/translator/{exceptions,letter_rules}.cpp "$top/src/text/cp1252.cpp" "$top/src/numbers/number_words.cpp" \
      "$top/src/audio/wave_header.cpp" \
      "$top/src/platform/files.cpp" -lpsapi -o "$exe"
fi
cp "$dll" "$out/mbrola.dll"
printf '%s' "$sentence" | iconv -f UTF-8 -t CP1252 > "$out/sentence.txt"

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start private
windows() { printf 'Z:%s' "${1//\//\\}"; }
echo "engine under Wine (i686), all text stages, $calls speak calls of: $sentence"
(cd "$out" && wine_home wine "$exe" "$(windows "$br1")" "$(windows "$data")" "$(windows "$out/sentence.txt")" "$calls")
