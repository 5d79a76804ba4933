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
# trivial_report does all that voltanor.exe does for the report but speak (COM,
# the C++ streams, a window of the program's own size painted whole, the wave
# device opened as often as the program opens it, the window destroyed); one
# run of voltanor.exe under Wine's window trace tells it that size and count.
# Every figure is also printed against trivial_report: what is the program's
# own.  trivial_stream is trivial_report playing, in one open, the whole sound
# voltanor.exe played in that run: the least the report's sound costs under
# Wine, whatever the program does.  With the voices sapi4 and sapi5 the voice tests' engine doubles are
# registered for the run (and whatever the prefix served is put back): the
# program's side of a system voice, with an engine that answers at once.
# Each program that plays then runs TRACED more times (VOLTANOR_BENCH_TRACED,
# RUNS by default) under Wine's trace, which times Wine loading its image to
# its first waveOutOpen call by Wine's own clock.
#   bench/startup_bench.sh [default|tts|sapi4|sapi5] [RUNS] [i686|x86_64] [NAME=EXE...]
# NAME=EXE adds other builds of the program (say, one from before a change,
# copied out of the tree) to the same run; for the voice tts, the mbrola.dll of
# its tree must be beside it (copy it too), or it speaks with the default voice.
# With VOLTANOR_BENCH_WM=none the run uses a prefix of its own
# (build/wine-unmanaged) whose X11 driver is told that no window manager runs,
# as is the case on the private Xvfb: a window destroyed there otherwise waits
# two seconds for a window manager's answer that never comes (trivial_destroy
# shows that wait), which hides whatever else the end of a run costs.
# Needs scripts/build.sh (or build.sh run) first.  Prints, per program, the
# device opens, non-silent samples and a digest of the sound without its
# silence: equal before and after a change means the same sound was played.
# Last, one table puts voltanor.exe and the NAME=EXE builds side by side:
# device opens, processor time against trivial_wave and trivial_report, the
# longest gap the program leaves between two sounds (and how much of it is not
# a pause the settings ask for), first sound and peak memory; with the gaps of
# 100 ms or more of every traced run, which are the pauses asked for, and the
# processor time against trivial_report run by run (median, and the interval
# that holds the true median with 95 % confidence).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
voice=${1:-default}
runs=${2:-5}
arch=${3:-i686}
shift $(( $# < 3 ? $# : 3 ))
tree=$top/build/$arch
[ -f "$tree/voltanor.exe" ] || { echo "no $tree/voltanor.exe: run scripts/build.sh first" >&2; exit 1; }
case $voice in
  default | tts) doubles=() ;;
  sapi4) doubles=(sapi4_double) ;;
  sapi5) doubles=(sapi5_double) ;;
  *) echo "startup_bench: voice is default, tts, sapi4 or sapi5" >&2; exit 2 ;;
esac
yardsticks=(trivial_window trivial_winmm trivial_ole trivial_all trivial_wave trivial_destroy trivial_report trivial_stream)
if [ "$voice" = tts ]; then
  for program in "$@"; do
    [ -f "$(dirname "${program#*=}")/mbrola.dll" ] ||
      { echo "startup_bench: no mbrola.dll beside ${program#*=}: copy the one of its tree there" >&2; exit 1; }
  done
fi
cmake --build "$tree" --target "${yardsticks[@]/#/bench_}" "${doubles[@]}" >/dev/null

[ "${VOLTANOR_BENCH_WM:-}" = none ] && export VOLTANOR_WINE_PREFIX=$top/build/wine-unmanaged
source "$top/scripts/wine-env.sh"
wine_env_start private >/dev/null 2>&1
if [ "${VOLTANOR_BENCH_WM:-}" = none ]; then
  wine_home wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
work=$(mktemp -d)
com_saved=$work
com_view=/reg:$([ "$arch" = i686 ] && echo 32 || echo 64)
source "$top/scripts/com-classes.sh"
trap 'restore_classes; rm -rf "$work"; select_voice default; wine_env_stop' EXIT
case $voice in
  sapi4)
    register_class '{CB96B400-C743-11CD-80E5-00AA003E4B50}' "$tree/sapi4_double.dll"  # audio destination
    register_class '{D67C0280-C743-11CD-80E5-00AA003E4B50}' "$tree/sapi4_double.dll" ;;  # engine enumerator
  sapi5) register_class '{96749377-3391-11D2-9EE3-00C04F797396}' "$tree/sapi5_double.dll" ;;
esac
select_voice "$voice"
launcher="$top/scripts/with-battery.sh mains=1 battery=Charging full=5000000 now=4000000 current=1600000 -- $top/scripts/wine-exec.sh"

# The program's window size and device opens, for trivial_report.
mkdir "$work/probe"
VOLTANOR_CAPTURE_DIR=$work/probe WINEDEBUG=+win $launcher "$tree/voltanor.exe" </dev/null >/dev/null 2>"$work/probe.trace" || true
VOLTANOR_BENCH_WINDOW=$(sed -n 's/.*WIN_CreateWindowEx .*L"OxWinCrt" .* \([0-9]*x[0-9]*\) parent=.*/\1/p' "$work/probe.trace" | head -n1)
VOLTANOR_BENCH_OPENS=$(find "$work/probe" -name '*.raw' | wc -l)
[ -n "$VOLTANOR_BENCH_WINDOW" ] && [ "$VOLTANOR_BENCH_OPENS" -gt 0 ] ||
  { echo "startup_bench: voltanor.exe showed no window or played nothing in its first run" >&2; exit 1; }
# trivial_stream plays the first sound that run played.
sound=$(find "$work/probe" -name '*.raw' | sort | head -n1)
VOLTANOR_BENCH_SOUND="Z:$sound"
VOLTANOR_BENCH_SOUND_FORMAT=$(basename "$sound" .raw | cut -d- -f2-4 | sed 's/-U8$/-8/; s/-S16_LE$/-16/')
export VOLTANOR_BENCH_WINDOW VOLTANOR_BENCH_OPENS VOLTANOR_BENCH_SOUND VOLTANOR_BENCH_SOUND_FORMAT

programs=()
for name in "${yardsticks[@]}"; do programs+=("$name=$tree/bench_$name.exe"); done
echo "voice: $voice, $arch, $(nproc) cores; $runs runs each; charging report on a faked battery;" \
  "window manager: ${VOLTANOR_BENCH_WM:-expected (none answers)};" \
  "voltanor.exe's window ${VOLTANOR_BENCH_WINDOW}, ${VOLTANOR_BENCH_OPENS} device opens;" \
  "trivial_stream plays $(basename "$sound") ($(stat -c %s "$sound") bytes)"
compared=(trivial_report trivial_stream)
for program in "$@"; do compared+=("${program%%=*}"); done
compared+=(voltanor)
python3 "$top/bench/startup_measure.py" --side-by-side "$(IFS=,; echo "${compared[*]}")" --runs "$runs" --traced "${VOLTANOR_BENCH_TRACED:-$runs}" \
  --reference trivial_report --launcher "$launcher" "${programs[@]}" "$@" "voltanor=$tree/voltanor.exe"

# With VOLTANOR_BENCH_PERF=N, voltanor.exe and trivial_stream then run N times
# each under perf (processor-clock samples of every process of the launch), and
# bench/cpu_by_thread.py splits their processor time by thread: what the
# program's own threads spend against what Wine's sound threads and the capture
# spend while the device is open.
# In a smoke run (bench/smoke.sh) a machine where perf cannot sample skips it.
if [ "${VOLTANOR_BENCH_PERF:-0}" -gt 0 ] && [ -n "${VOLTANOR_BENCH_SMOKE:-}" ] &&
   ! { command -v perf >/dev/null && perf record -q -e cpu-clock -o "$work/probe.perf" true >/dev/null 2>&1; }; then
  echo "perf cannot sample here: the processor time by thread is left out"
elif [ "${VOLTANOR_BENCH_PERF:-0}" -gt 0 ]; then
  command -v perf >/dev/null || { echo "startup_bench: VOLTANOR_BENCH_PERF needs perf (linux-perf)" >&2; exit 1; }
  for run in $(seq "$VOLTANOR_BENCH_PERF"); do
    for name in voltanor trivial_stream; do
      exe=$tree/voltanor.exe
      [ "$name" = voltanor ] || exe=$tree/bench_$name.exe
      mkdir -p "$work/perf-$name-$run"
      VOLTANOR_CAPTURE_DIR=$work/perf-$name-$run perf record -q -e cpu-clock -o "$work/$name.perf.$run" \
        $launcher "$exe" </dev/null >/dev/null 2>&1 || true
    done
  done
  echo
  python3 "$top/bench/cpu_by_thread.py" "voltanor.exe=$work/voltanor.perf" "bench_trivial_stream.exe=$work/trivial_stream.perf"
fi
