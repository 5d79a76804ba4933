#!/usr/bin/env bash
# Makes the recorded sounds of the letters directory: the number words, the
# minus sign and one letter sound _N.wav per byte value N.  Every file is a
# RIFF wave with a 44-byte header, 11025 samples per second, mono, 8-bit
# unsigned.  Speech is synthesized (voice pt-br) and trimmed of the silence
# at both ends; punctuation marks get short quiet tones, control characters a
# short silence.  The output is the same on every run (no dither, fixed seeds).
#
#   make_letters.sh DATA_DIR OUTPUT_DIR [ESPEAK_NG]
# ESPEAK_NG is the espeak-ng program to speak with (the build's pinned one,
# run with its libraries and data in LD_LIBRARY_PATH and ESPEAK_DATA_PATH).
set -euo pipefail
data=$1
out=$2
espeak=${3:-espeak-ng}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export out work espeak

# One job a line: "say NAME TEXT...", "mark NAME KIND" or "quiet NAME".
jobs=$work/jobs
{
  grep -v '^#' "$data/number_words.txt" | while read -r name text; do
    [ -n "$name" ] && printf 'say %s %s\n' "$name" "$text"
  done
  grep -v '^#' "$data/letter_names.txt" | while read -r byte kind text; do
    [ -n "$byte" ] || continue
    case $kind in
      say | mark) printf '%s _%s %s\n' "$kind" "$byte" "$text" ;;
      quiet) printf 'quiet _%s\n' "$byte" ;;
      *) echo "make_letters: unknown kind '$kind' for byte $byte" >&2; exit 1 ;;
    esac
  done
} > "$jobs"

make_one() {
  set -euo pipefail
  local kind name rest
  read -r kind name rest <<<"$1"
  # Raw samples first, then the wave file: sox writes the 44-byte header, and
  # an even sample count keeps it from adding a pad byte after the data.
  local raw=$work/$name.u8
  local u8="-t raw -r 11025 -c 1 -e unsigned -b 8"
  case $kind in
    say)
      "$espeak" -v pt-br -s 170 -w "$work/$name.speech.wav" -- "$rest"
      # Trim the silence at both ends and leave 1 dB of headroom.
      sox -R -D "$work/$name.speech.wav" $u8 "$raw" \
        silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse norm -1 rate 11025
      ;;
    mark)
      local tone
      case $rest in
        comma) tone="synth 0.035 sine 1250 fade q 0.005 0.035 0.01" ;;
        stop) tone="synth 0.06 sine 800 fade q 0.005 0.06 0.02" ;;
        colon) tone="synth 0.025 sine 1000 fade q 0.004 0.025 0.006 pad 0 0.02 repeat 1" ;;
        semicolon) tone="synth 0.03 sine 1000:650 fade q 0.005 0.03 0.008 pad 0 0.015 repeat 1" ;;
        open) tone="synth 0.05 sine 450:950 fade q 0.005 0.05 0.01" ;;
        close) tone="synth 0.05 sine 950:450 fade q 0.005 0.05 0.01" ;;
        dash) tone="synth 0.04 triangle 600 fade q 0.005 0.04 0.01" ;;
        *) echo "make_letters: unknown mark $rest" >&2; return 1 ;;
      esac
      sox -R -D -n $u8 "$raw" $tone vol 0.2
      ;;
    quiet)
      sox -R -D -n $u8 "$raw" trim 0 0.04
      ;;
  esac
  if [ $(( $(stat -c %s "$raw") % 2 )) -ne 0 ]; then printf '\200' >> "$raw"; fi
  sox -R -D $u8 "$raw" -t wav -e unsigned -b 8 "$out/$name.wav"
}
export -f make_one

xargs -P "${VOLTANOR_JOBS:-2}" -d '\n' -n 1 bash -c 'make_one "$1"' make_one < "$jobs"

# Every file is there with all its samples right after a 44-byte header.
bad=0
while read -r kind name rest; do
  f=$out/$name.wav
  if [ ! -s "$work/$name.u8" ] || [ "$(stat -c %s "$f")" -ne $(( $(stat -c %s "$work/$name.u8") + 44 )) ]; then
    echo "make_letters: $f is missing or its header is not 44 bytes" >&2
    bad=1
  fi
done < "$jobs"
exit $bad
