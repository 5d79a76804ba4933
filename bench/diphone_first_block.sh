#!/usr/bin/env bash
# Time from the start of voltanor.exe under Wine to the first block it queues on
# the wave device (target < 50 ms without Wine's own start), from Wine's
# timestamped traces: voltanor.exe mapped (loaddll), speech start (its first
# settings read of [TRADUTOR] VELOCIDADE, after the window exists), the device
# open and the first block written (winmm).  Printed per run:
#   window   mapped -> speech start: Wine's process and desktop start, the window
#   speech   speech start -> waveOutOpen: settings, database, rules, first words
#   device   waveOutOpen -> first waveOutWrite: Wine loading its sound driver
#   total    mapped -> first waveOutWrite
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
  WINEDEBUG=+timestamp,+loaddll,+winmm,+profile timeout 120 "$top/scripts/with-battery.sh" mains=0 battery=Discharging \
    -- "$top/scripts/wine-exec.sh" "$exe" </dev/null >/dev/null 2>"$log" || true
  awk -v run="$run" '
    function stamp() { split($1, t, ":"); return t[1] }
    /loaddll.*voltanor\.exe/ && !mapped { mapped = stamp() }
    /GetPrivateProfileString.*"TRADUTOR",L"VELOCIDADE"/ && mapped && !speech { speech = stamp() }
    /waveOutOpen/ && speech && !opened { opened = stamp() }
    /waveOutWrite/ && opened && !first { first = stamp() }
    END {
      if (!first) { print "run " run ": no wave block was queued"; exit 1 }
      printf "run %d: window %4.0f ms, speech %3.0f ms, device %3.0f ms, total %4.0f ms\n", run,
             (speech - mapped) * 1000, (opened - speech) * 1000, (first - opened) * 1000, (first - mapped) * 1000
    }' "$log"
done
rm -f "$log"
