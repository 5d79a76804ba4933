#!/usr/bin/env bash
# Joins the numbered raw captures of a folder (NNNN-rate-channels-format.raw)
# into one 16-bit mono .wav file, in order: at the captures' own rate when they
# all share one (the text-to-speech engine's 16000, the diphone voice's 11025),
# else at 22050 samples per second.
set -euo pipefail
dir=$1 out=$2
captures=() rates=()
for f in "$dir"/*.raw; do
  [ -s "$f" ] || continue
  captures+=("$f")
  IFS=- read -r _ rate _ <<<"$(basename "$f" .raw)"
  rates+=("$rate")
done
if [ ${#captures[@]} -eq 0 ]; then echo "capture-to-wav: nothing was played" >&2; exit 1; fi
out_rate=22050
[ "$(printf '%s\n' "${rates[@]}" | sort -u | wc -l)" -eq 1 ] && out_rate=${rates[0]}
parts=()
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for f in "${captures[@]}"; do
  IFS=- read -r _ rate channels format <<<"$(basename "$f" .raw)"
  case $format in
    U8) enc=(-e unsigned-integer -b 8) ;;
    S16_LE) enc=(-e signed-integer -b 16 -L) ;;
    *) echo "capture-to-wav: skipping $f (format $format)" >&2; continue ;;
  esac
  part=$tmp/$(basename "$f" .raw).wav
  sox -t raw -r "$rate" -c "$channels" "${enc[@]}" "$f" -b 16 -c 1 -r "$out_rate" "$part"
  parts+=("$part")
done
if [ ${#parts[@]} -eq 0 ]; then echo "capture-to-wav: nothing was played" >&2; exit 1; fi
if [ ${#parts[@]} -eq 1 ]; then cp "${parts[0]}" "$out"; else sox "${parts[@]}" "$out"; fi
