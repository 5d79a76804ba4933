#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test: the native unit tests
# (sanitizers), the fuzz targets, and for i686 and x86_64 the unit tests, the
# in-process Wine tests and the end-to-end runs of voltanor.exe, all under one
# Wine prefix, one wineserver and one private Xvfb.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/setup.sh || exit 1
scripts/build.sh || exit 1

jobs=${VOLTANOR_JOBS:-$(nproc)}
if [ -n "$(ls tests/fuzz/*.cpp 2>/dev/null)" ]; then
  [ -f build/fuzz/build.ninja ] || CXX=clang++ CC=clang cmake -S . -B build/fuzz -G Ninja -DVOLTANOR_FUZZ=ON >/dev/null || exit 1
  cmake --build build/fuzz -j "$jobs" || exit 1
fi

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start private
# Every open of the wave device lands in its own numbered file here; the tests
# look at the files that appeared since they started.
export VOLTANOR_CAPTURE_DIR=$top/build/capture
rm -rf "$VOLTANOR_CAPTURE_DIR"
mkdir -p "$VOLTANOR_CAPTURE_DIR"

failed=0
ctest --test-dir build/native --output-on-failure -j "$jobs" || failed=1
[ -d build/fuzz ] && { ctest --test-dir build/fuzz --output-on-failure || failed=1; }
for arch in i686 x86_64; do
  # One prefix and one settings file for the whole run: the Wine tests go one at a time.
  ctest --test-dir "build/$arch" --output-on-failure -j 1 || failed=1
done
exit $failed
