#!/usr/bin/env bash
# Captures what voltanor.exe plays for four battery states and prints, for
# each state, the number of wave-device opens and, for each stretch of opens
# of one format (consecutive opens of one format are one stream, however
# often the device was reopened), a digest of its samples with the silence
# runs taken out.  Wine's capture pipe inserts or
# drops periods of silence between runs under load, so only the non-silent
# samples are compared; two builds made the same sound when their outputs
# are equal.
#   bench/report_captures.sh OUTPUT_DIR [EXE]   (as root: faking the battery needs unshare)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?output folder}
exe=${2:-$top/build/i686/voltanor.exe}
source "$top/scripts/steps.sh"
source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start private >/dev/null
mkdir -p "$out"
states=(
  "none"
  "discharging mains=0 battery=Discharging full=5000000 now=4000000 current=1600000"
  "charging mains=1 battery=Charging full=5000000 now=1000000 current=900000"
  "low mains=0 battery=Discharging full=5000000 now=150000 current=2000000"
)
for state in "${states[@]}"; do
  read -r name settings <<<"$state"
  dir=$out/$name
  rm -rf "$dir"; mkdir -p "$dir"
  # shellcheck disable=SC2086
  VOLTANOR_CAPTURE_DIR=$dir timeout 180 "$top/scripts/with-battery.sh" $settings -- \
    "$top/scripts/wine-exec.sh" "$exe" >/dev/null 2>&1 </dev/null || echo "$name: exit code $?"
  opens=$(find "$dir" -name '*.raw' | wc -l)
  echo "$name: $opens opens"
  stream=$dir/stream.loud format=
  flush() {
    [ -n "$format" ] || return 0
    echo "  $format: $(wc -c <"$stream") non-silent bytes, $(sha256sum <"$stream" | cut -c1-16)"
  }
  for f in "$dir"/*.raw; do
    [ -e "$f" ] || continue
    if [ "${f##*/[0-9][0-9][0-9][0-9]-}" != "$format" ]; then
      flush
      format=${f##*/[0-9][0-9][0-9][0-9]-}
      : >"$stream"
    fi
    # Silence is 0x80 in 8-bit sound and 0x00 in 16-bit sound: every run of
    # it is dropped, whatever its length.
    case $f in *U8.raw) silence='\200' ;; *) silence='\000' ;; esac
    tr -d "$silence" <"$f" >>"$stream"
  done
  flush
done
