#!/usr/bin/env bash
# How soon and how light voltanor.exe speaks under Wine, against the least
# window program built in the same tree (bench/trivial_window_win.cpp): launch
# to the wave device's first open, peak resident memory, whole run less the
# sound played, and time from the last sound to the end; medians of RUNS runs,
# the programs taking turns, all reading the charging report on a faked battery
# with a running wineserver and the sound capture.  The yardstick is also built
# importing the libraries voltanor.exe links (winmm, ole32 and oleaut32) to show
# what loading each one costs under Wine, and opening the wave device and
# playing a tenth of a second (trivial_wave) to show what Wine's sound path
# costs, and destroying its window before it ends (trivial_destroy).
#   bench/startup_bench.sh [default|tts] [RUNS] [i686|x86_64] [NAME=EXE...]
# NAME=EXE adds other builds of the program (say, one from before a change,
# copied out of the tree) to the same run.
# With VOLTANOR_BENCH_WM=none the run uses a prefix of its own
# (build/wine-unmanaged) whose X11 driver is told that no window manager runs,
# as is the case on the private Xvfb: a window destroyed there otherwise waits
# two seconds for a window manager's answer that never comes (trivial_destroy
# shows that wait), which hides whatever else the end of a run costs.
# Needs scripts/build.sh (or build.sh run) first.  Prints, per program, the
# device opens, non-silent samples and a digest of the sound without its
# silence: equal before and after a change means the same sound was played.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
voice=${1:-default}
runs=${2:-5}
arch=${3:-i686}
shift $(( $# < 3 ? $# : 3 ))
tree=$top/build/$arch
[ -f "$tree/voltanor.exe" ] || { echo "no $tree/voltanor.exe: run scripts/build.sh first" >&2; exit 1; }
case $voice in default | tts) ;; *) echo "startup_bench: voice is default or tts" >&2; exit 2 ;; esac
yardsticks=(trivial_window trivial_winmm trivial_ole trivial_all trivial_wave trivial_destroy)
cmake --build "$tree" --target "${yardsticks[@]/#/bench_}" >/dev/null

[ "${VOLTANOR_BENCH_WM:-}" = none ] && export VOLTANOR_WINE_PREFIX=$top/build/wine-unmanaged
source "$top/scripts/wine-env.sh"
wine_env_start private >/dev/null 2>&1
if [ "${VOLTANOR_BENCH_WM:-}" = none ]; then
  wine_home wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
trap 'select_voice default; wine_env_stop' EXIT
select_voice "$voice"

programs=()
for name in "${yardsticks[@]}"; do programs+=("$name=$tree/bench_$name.exe"); done
echo "voice: $voice, $arch, $(nproc) cores; $runs runs each; charging report on a faked battery;" \
  "window manager: ${VOLTANOR_BENCH_WM:-expected (none answers)}"
python3 "$top/bench/startup_measure.py" --runs "$runs" \
  --launcher "$top/scripts/with-battery.sh mains=1 battery=Charging full=5000000 now=4000000 current=1600000 -- $top/scripts/wine-exec.sh" \
  "${programs[@]}" "$@" "voltanor=$tree/voltanor.exe"
