#!/usr/bin/env bash
# The run command's first run on a machine where Wine has never run: from an
# empty Wine prefix, with no X display and no sound device, scripts/run.sh
# ends with exit code 0 and leaves the spoken report in
# build/voltanor-report.wav: speech, not silence, of a report's length.
top=$(cd "$(dirname "$0")/.." && pwd)
export VOLTANOR_SOURCE_DIR=$top
source "$top/tests/e2e/lib/common.sh"
prefix=$top/build/first-run/wine
report=$top/build/voltanor-report.wav
log=$top/build/logs/first-run-command.log
rm -rf "$prefix" "$report"
mkdir -p "${log%/*}"

status=0
env -u DISPLAY VOLTANOR_WINE_PREFIX="$prefix" VOLTANOR_SOUND=file \
  "$top/scripts/run.sh" >"$log" 2>&1 </dev/null || status=$?
show_on_failure "$log"
check "run.sh: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "run.sh: the prefix was made" [ -f "$prefix/system.reg" ]
check "run.sh: the report was written" [ -s "$report" ]

# sox's figures for the whole file: length in seconds and RMS amplitude.
figure() { sox "$report" -n stat 2>&1 | sed -n "s/^$1: *//p"; }
length=$(figure 'Length (seconds)')
rms=$(figure 'RMS     amplitude')
within() { awk -v v="${1:-0}" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }
check "the report lasts 1 to 60 s (${length:-none})" within "$length" 1 60
check "the report is not silence (RMS ${rms:-none})" within "$rms" 0.02 1

# A prefix that passed is as good as a new one: with VOLTANOR_FIRST_RUN_KEEP
# set, it becomes the prefix there when that has none yet (the test command's
# own, which then need not be made again).
if [ "$e2e_failures" -eq 0 ]; then
  keep=${VOLTANOR_FIRST_RUN_KEEP:-}
  if [ -n "$keep" ] && [ ! -f "$keep/system.reg" ]; then
    rm -rf "$keep" && mv "$prefix" "$keep"
  fi
  rm -rf "${prefix%/*}"
fi
finish
