#!/usr/bin/env bash
# Joins the numbered raw captures of a folder (NNNN-rate-channels-format.raw)
# into one 16-bit mono .wav file at 22050 samples per second, in order.
set -euo pipefail
dir=$1 out=$2
parts=()
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for f in "$dir"/*.raw; do
  [ -s "$f" ] || continue
  IFS=- read -r _ rate channels format <<<"$(basename "$f" .raw)"
  case $format in
    U8) enc=(-e unsigned-integer -b 8) ;;
    S16_LE) enc=(-e signed-integer -b 16 -L) ;;
    *) echo "capture-to-wav: skipping $f (format $format)" >&2; continue ;;
  esac
  part=$tmp/$(basename "$f" .raw).wav
  sox -t raw -r "$rate" -c "$channels" "${enc[@]}" "$f" -b 16 -c 1 -r 22050 "$part"
  parts+=("$part")
done
if [ ${#parts[@]} -eq 0 ]; then echo "capture-to-wav: nothing was played" >&2; exit 1; fi
if [ ${#parts[@]} -eq 1 ]; then cp "${parts[0]}" "$out"; else sox "${parts[@]}" "$out"; fi
