#!/usr/bin/env bash
# Builds every benchmark and runs each once on a tiny input, so that a bench
# that no longer builds or runs fails the test command (which runs this beside
# its Wine tests).  The figures mean nothing at these sizes and are not
# checked; a bench fails only by ending with an error.  VOLTANOR_BENCH_SMOKE=1
# tells the benches with fixed sizes to shrink them, and a part that needs what
# the machine lacks (perf sampling) to say so and skip.  Each bench's output
# is in build/logs/bench/NAME.log.  The Wine benches share an environment of
# their own: the prefix build/wine-bench (a copy of build/wine) and its home.
#   bench/smoke.sh
# Needs what scripts/test.sh has made before it: the native and i686 trees,
# the voice data, the br1 voice and the prefix build/wine.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
source scripts/steps.sh
export VOLTANOR_BENCH_SMOKE=1 VOLTANOR_BENCH_PERF=1 VOLTANOR_BENCH_TRACED=1
# With VOLTANOR_BENCH_NATIVE_TREE=native (the test command) the native benches
# are the sanitized ones: MBROLA's own allocations, which it keeps until the
# process ends, are not the benches' leaks.
export LSAN_OPTIONS=suppressions=$top/tests/support/mbrola_leaks.supp

# Every bench with its tiny input, one a line.
benches=(
  "diphone_bench.sh 3 20"
  "tavin_bench.sh 2"
  "tts_stages.sh 0.01"
  "tts_text_speed.sh 0.01"
  "voice_fluency.sh --words 20"
  "tts_pronunciation.py --words 50"
  "tts_br1_pairs.py --words 300"
  "tts_duration.py --sentences 2"
  "diphone_first_block.sh i686 1"
  "report_captures.sh build/bench/captures"
  "startup_bench.sh default 1 i686"
  "tavin_wine.sh 2"
  "watch_idle.sh 1 2 i686"
  "wave_playback.sh 1 i686"
)
# What the benches above run themselves.
helpers=(startup_measure.py cpu_by_thread.py voice_compare.py voice_joins.py)

status=0
for file in bench/*.sh bench/*.py; do
  name=${file#bench/}
  [ "$name" != smoke.sh ] || continue
  if ! printf '%s\n' "${benches[@]%% *}" "${helpers[@]}" | grep -qxF "$name"; then
    echo "FAILED: $file is not run by bench/smoke.sh: add it there with a tiny input" >&2
    status=1
  fi
done

step bench-build scripts/build.sh benches || exit

export VOLTANOR_WINE_PREFIX=$top/build/wine-bench VOLTANOR_WINE_HOME=$top/build/winehome-bench
if [ ! -f "$VOLTANOR_WINE_PREFIX/system.reg" ]; then
  rm -rf "$VOLTANOR_WINE_PREFIX"
  cp -a "$top/build/wine" "$VOLTANOR_WINE_PREFIX"
fi
VOLTANOR_LOGS=$top/build/logs/bench
failed=()
for bench in "${benches[@]}"; do
  read -ra words <<<"$bench"
  case ${words[0]} in
    *.py) command=(python3 "bench/${words[0]}") ;;
    *) command=(bash "bench/${words[0]}") ;;
  esac
  quiet_step "${words[0]%.*}" "${command[@]}" "${words[@]:1}" || failed+=("${words[0]}")
done
echo "bench smoke: $((${#benches[@]} - ${#failed[@]})) of ${#benches[@]} benches ran${failed:+; failed: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ] || status=1
exit $status
