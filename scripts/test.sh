#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test: the run
# command's first run from an empty Wine prefix, the native unit tests
# (sanitizers), the fuzz targets, and for i686 and x86_64 the unit tests, the
# in-process Wine tests and the end-to-end runs of voltanor.exe.
# The Wine tests mostly wait (for speech played in real time, for windows, for
# the battery watch's quiet time), so they start as soon as what they need is
# built (the voice data and the native speech tools, then the i686 tree), and
# the work that needs the processors goes on meanwhile at a lower priority:
# the x86_64 tree builds while the i686 tree builds and its tests run (its own
# tests start once it is built), and below it, taking only what is left, the
# fuzz targets and the rest of the native tree, then the native tests; and
# beside the i686 tests every benchmark, built and run once on a tiny input
# (bench/smoke.sh; its figures are not judged).  The
# Wine tests run in environments of their own, each a copy of one prepared
# Wine prefix with its own wineserver, private Xvfb and capture folder, the
# longest tests apart from the rest so that no lane holds much more than the
# others; within an environment the tests go one at a time (they share its
# settings file, display and keyboard focus).
# Each long step keeps its output in build/logs/; nothing is written outside
# build/.
#   scripts/test.sh           all of it (what CI runs)
#   scripts/test.sh --quick   only the native tests and the i686 unit tests
set -eEuo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mode=all
case ${1:-} in
  "") ;;
  --quick) mode=quick ;;
  *) echo "usage: scripts/test.sh [--quick]" >&2; exit 2 ;;
esac
source scripts/steps.sh
report_failures
stay_inside_build
mkdir -p "$VOLTANOR_LOGS"
jobs=${VOLTANOR_JOBS:-$(nproc)}
# low_priority COMMAND...: the command at the lowest processor priority, run in
# the background (a subshell of its own takes the priority).
low_priority() { (renice -n 19 -p "$BASHPID" >/dev/null && "$@") & }
# idle_priority COMMAND...: the same, with the processor only when nothing
# else wants it, not even the work at the lowest priority.
idle_priority() {
  (chrt --idle -p 0 "$BASHPID" >/dev/null 2>&1 || renice -n 19 -p "$BASHPID" >/dev/null; "$@") &
}
# background_job NAME low|idle COMMAND...: the command in the background at
# that priority; its exit code is then kept for await NAME, which waits for it
# from any shell of this script.
background_job() {
  local name=$1 priority=$2; shift 2
  rm -f "$VOLTANOR_LOGS/$name.status"
  "${priority}_priority" run_and_keep_status "$name" "$@"
}
run_and_keep_status() {
  local name=$1 status=0; shift
  "$@" || status=$?
  echo "$status" >"$VOLTANOR_LOGS/$name.status.new" && mv "$VOLTANOR_LOGS/$name.status.new" "$VOLTANOR_LOGS/$name.status"
  return "$status"
}
await() {
  while [ ! -f "$VOLTANOR_LOGS/$1.status" ]; do sleep 1; done
  return "$(cat "$VOLTANOR_LOGS/$1.status")"
}
# The fuzz targets: built by clang over the portable code, then each run on its
# inputs.
fuzz_checks() {
  compgen -G 'tests/fuzz/*.cpp' >/dev/null || return 0
  [ -f build/fuzz/build.ninja ] ||
    step configure-fuzz env CXX=clang++ CC=clang cmake -S . -B build/fuzz -G Ninja -DVOLTANOR_FUZZ=ON || return
  step build-fuzz cmake --build build/fuzz -j "$jobs" || return
  step ctest-fuzz ctest --test-dir build/fuzz --output-on-failure -j "$jobs"
}
background_pids=()
if [ $mode = all ]; then
  # Each part of the packages installs while the part before it builds: the
  # native compilers, then MinGW-w64 beside the native tree's voice data and
  # speech tools (what the Wine tests need of it), then the rest (Wine, X,
  # clang, ...) beside the i686 tree.  The x86_64 tree and the fuzz targets
  # build below them as soon as their compilers are there.
  scripts/setup.sh native
  quiet_step setup-windows scripts/setup.sh windows &
  setup_part=$!
  build_status=0
  scripts/build.sh wine-needs || build_status=$?
  wait "$setup_part"
  [ "$build_status" -eq 0 ] || exit "$build_status"
  background_job x86_64-tree low quiet_step build-x86_64-tree scripts/build.sh x86_64
  background_pids+=($!)
  quiet_step setup-rest scripts/setup.sh &
  setup_part=$!
  scripts/build.sh i686 || build_status=$?
  wait "$setup_part"
  [ "$build_status" -eq 0 ] || exit "$build_status"
  background_job fuzz idle quiet_step fuzz-checks fuzz_checks
  background_pids+=($!)
else
  scripts/setup.sh
  scripts/build.sh quick
fi

failed=0
# Temporary files go under TMPDIR (build/tmp here), never to a fixed /tmp path.
if grep -rnE '"/tmp([/"]|$)' src tests tools; then
  echo "FAILED: the lines above write to /tmp; use std::filesystem::temp_directory_path()" >&2
  failed=1
fi
# The folders of src/ include one another without a cycle.
tools/folder_graph.sh >/dev/null || failed=1
# Before anything else uses Wine: the run command as a newcomer's first run.
# Its prefix, once it has passed, becomes the tests' prefix when there is none yet.
if [ $mode = all ]; then
  VOLTANOR_FIRST_RUN_KEEP=$top/build/wine step first-run tests/first_run.sh || failed=1
fi

source scripts/wine-env.sh
# The prefix is made once (build/wine, unless the first run left its own
# there) and copied for each architecture.
step wine-prefix-prepare wine_prefix_prepare || failed=1

# wine_tests ENV ARCH CTEST-ARGUMENTS...: build/ARCH's tests in a Wine
# environment of their own named ENV: the prefix build/wine-ENV (copied from
# build/wine when it is missing, the voice data installed again), its own HOME
# for the sound settings, Xvfb, wineserver, capture folder build/capture-ENV and
# logs folder build/logs/ENV.  The end-to-end scripts make their work folders
# with mktemp under TMPDIR and capture into $VOLTANOR_CAPTURE_DIR, so two
# environments never share a file.
wine_tests() {
  local env=$1 arch=$2; shift 2
  (
    export VOLTANOR_WINE_PREFIX=$top/build/wine-$env VOLTANOR_WINE_HOME=$top/build/winehome-$env
    VOLTANOR_LOGS=$top/build/logs/$env
    if [ ! -f "$VOLTANOR_WINE_PREFIX/system.reg" ]; then
      rm -rf "$VOLTANOR_WINE_PREFIX"
      cp -a "$top/build/wine" "$VOLTANOR_WINE_PREFIX"
    fi
    trap wine_env_stop EXIT
    wine_env_start private || exit
    echo "wine tests for $arch ($env): display $DISPLAY, prefix $WINEPREFIX"
    # Every open of the wave device lands in its own numbered file here; the
    # tests look at the files that appeared since they started.
    export VOLTANOR_CAPTURE_DIR=$top/build/capture-$env
    rm -rf "$VOLTANOR_CAPTURE_DIR"
    mkdir -p "$VOLTANOR_CAPTURE_DIR"
    # Every test's output (each check it made) stays in the log.
    ctest --test-dir "build/$arch" --verbose -j 1 "$@"
  )
}

# side_by_side NAME COMMAND... [-- NAME COMMAND...]...: the commands at the same
# time, each a quiet step with its log in build/logs/NAME.log, shown in full
# (ctest's list of tests and their times) once all have ended.  Fails when one
# of them failed.
side_by_side() {
  local names=() pids=() name status=0 i
  while [ $# -gt 0 ]; do
    local command=()
    name=$1; shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do command+=("$1"); shift; done
    [ $# -eq 0 ] || shift
    quiet_step "$name" "${command[@]}" &
    names+=("$name"); pids+=($!)
  done
  for i in "${!pids[@]}"; do wait "${pids[$i]}" || status=1; done
  for name in "${names[@]}"; do
    echo "---- $name ($VOLTANOR_LOGS/$name.log)"
    grep -E '^ *[0-9]+/[0-9]+ Test|tests passed,|tests failed out|Total Test time|^\s+[0-9]+ - ' \
      "$VOLTANOR_LOGS/$name.log" || true
  done
  return $status
}

if [ $mode = quick ]; then
  side_by_side ctest-native ctest --test-dir build/native --output-on-failure -j "$jobs" \
    -- ctest-i686-unit wine_tests i686 i686 -R '^unit_tests$' || failed=1
  exit $failed
fi

native_checks() {
  step ctest-native ctest --test-dir build/native --output-on-failure -j "$jobs"
}
# wine_lanes ARCH: the architecture's Wine tests in environments side by side,
# the longest ones (the installer makes and fills a prefix of its own, the
# keyed installer waits for each page's speech, the battery watch listens for
# its quiet time, the engine's fallbacks run the program a dozen times) apart
# from the others.  The installers run only in the i686 tree (elsewhere they
# pass at once).
wine_lanes() {
  local long more voice
  if [ "$1" = i686 ]; then
    long='^e2e_(installer|battery_watch)$' voice='^e2e_installer_voice$'
    more='^e2e_(tts_fallback|tts_report|settings_menu|report_short_and_help|sapi5_voices|screen_readers)$'
    side_by_side ctest-i686 wine_tests i686 i686 -E "$long|$voice|$more" \
      -- ctest-i686-long wine_tests i686-long i686 -R "$long" \
      -- ctest-i686-voice wine_tests i686-voice i686 -R "$voice" \
      -- ctest-i686-more wine_tests i686-more i686 -R "$more"
  else
    long='^e2e_(installer|installer_voice|battery_watch|tts_fallback)$'
    more='^e2e_(sapi4_voice|sapi5_voices|settings_menu|tts_report|report_short_and_help|accessible_window|screen_readers)$'
    side_by_side ctest-x86_64 wine_tests x86_64 x86_64 -E "$long|$more" \
      -- ctest-x86_64-more wine_tests x86_64-more x86_64 -R "$more" \
      -- ctest-x86_64-long wine_tests x86_64-long x86_64 -R "$long"
  fi
}
# The native tree's rest (its tests, the tools no test under Wine needs); not
# before the first run, which builds in that tree itself.
background_job native-rest idle quiet_step native-rest scripts/build.sh native
background_pids+=($!)
# The benchmarks, once each (their native programs came with the voice data).
low_priority quiet_step bench-smoke env VOLTANOR_BENCH_NATIVE_TREE=native bench/smoke.sh
bench_smoke=$!
wine_lanes i686 &
i686_tests=$!
(
  await x86_64-tree || { echo "FAILED: the x86_64 tree did not build: its Wine tests did not run" >&2; exit 1; }
  wine_lanes x86_64
) &
x86_64_tests=$!
# Once the native tree is whole, its tests.
if await native-rest; then
  idle_priority quiet_step native-checks native_checks
  native=$!
  wait "$native" || failed=1
else
  failed=1
fi
for pid in "${background_pids[@]}"; do wait "$pid" || failed=1; done
for name in native-checks fuzz-checks; do
  echo "---- $name ($VOLTANOR_LOGS/$name.log)"
  grep -E '^==> [a-z0-9-]+: done|^FAILED|tests passed|tests failed' "$VOLTANOR_LOGS/$name.log" || true
done
wait "$i686_tests" || failed=1
wait "$x86_64_tests" || failed=1
wait "$bench_smoke" || failed=1
echo "---- bench-smoke ($VOLTANOR_LOGS/bench-smoke.log, each bench's output in $VOLTANOR_LOGS/bench/)"
grep -E '^==> [a-z0-9_-]+: done|^FAILED|^bench smoke:' "$VOLTANOR_LOGS/bench-smoke.log" || true
exit $failed
