#!/usr/bin/env bash
# Time from the start of voltanor.exe under Wine to the first block it queues on
# the wave device (target < 50 ms).  Wine's own start is left out: the clock
# starts when Wine has mapped voltanor.exe (its loaddll trace) and stops at the
# first waveOutWrite (winmm trace), both stamped by Wine's timestamp option.
#   bench/diphone_first_block.sh [i686|x86_64] [RUNS]
# Needs scripts/build.sh first.  Runs on a faked battery, as the tests do.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-i686}
runs=${2:-5}
exe=$top/build/$arch/voltanor.exe
[ -f "$exe" ] || { echo "no $exe: run scripts/build.sh first" >&2; exit 1; }
source "$top/scripts/wine-env.sh"
wine_env_start private >/dev/null 2>&1
trap wine_env_stop EXIT
log=$(mktemp)
for run in $(seq "$runs"); do
  WINEDEBUG=+timestamp,+loaddll,+winmm timeout 120 "$top/scripts/with-battery.sh" mains=0 battery=Discharging \
    -- "$top/scripts/wine-exec.sh" "$exe" </dev/null >/dev/null 2>"$log" || true
  awk -v run="$run" '
    /loaddll.*voltanor\.exe/ && !start { split($1, t, ":"); start = t[1] }
    /waveOutWrite/ && start && !first { split($1, t, ":"); first = t[1] }
    END {
      if (!start || !first) { print "run " run ": no wave block was queued"; exit 1 }
      printf "run %d: first block queued %.0f ms after voltanor.exe was loaded\n", run, (first - start) * 1000
    }' "$log"
done
rm -f "$log"
