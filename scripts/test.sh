#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test: the run
# command's first run from an empty Wine prefix, the native unit tests
# (sanitizers), the fuzz targets, and for i686 and x86_64 the unit tests, the
# in-process Wine tests and the end-to-end runs of voltanor.exe, all under one
# Wine prefix, one wineserver and one private Xvfb.  Each long step keeps its
# output in build/logs/; nothing is written outside build/.
set -eEuo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
source scripts/steps.sh
report_failures
scripts/setup.sh
scripts/build.sh
stay_inside_build

jobs=${VOLTANOR_JOBS:-$(nproc)}
if compgen -G 'tests/fuzz/*.cpp' >/dev/null; then
  [ -f build/fuzz/build.ninja ] ||
    step configure-fuzz env CXX=clang++ CC=clang cmake -S . -B build/fuzz -G Ninja -DVOLTANOR_FUZZ=ON
  step build-fuzz cmake --build build/fuzz -j "$jobs"
fi

failed=0
# Temporary files go under TMPDIR (build/tmp here), never to a fixed /tmp path.
if grep -rnE '"/tmp([/"]|$)' src tests tools; then
  echo "FAILED: the lines above write to /tmp; use std::filesystem::temp_directory_path()" >&2
  failed=1
fi
# Before anything else uses Wine: the run command as a newcomer's first run.
step first-run tests/first_run.sh || failed=1

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start private
# Every open of the wave device lands in its own numbered file here; the tests
# look at the files that appeared since they started.
export VOLTANOR_CAPTURE_DIR=$top/build/capture
rm -rf "$VOLTANOR_CAPTURE_DIR"
mkdir -p "$VOLTANOR_CAPTURE_DIR"

ctest --test-dir build/native --output-on-failure -j "$jobs" || failed=1
if [ -d build/fuzz ]; then ctest --test-dir build/fuzz --output-on-failure -j "$jobs" || failed=1; fi
for arch in i686 x86_64; do
  # One prefix and one settings file for the whole run: the Wine tests go one at a time.
  ctest --test-dir "build/$arch" --output-on-failure -j 1 || failed=1
done
exit $failed
