#!/usr/bin/env bash
# Builds into build/, each tree's output in build/logs/build-TREE.log.
#   build.sh        everything: the native tree (portable code, tests, tools and
#                   the generated voice data), then voltanor.exe and its tests
#                   for i686 and x86_64.
#   build.sh run    only what running and packaging need: the voice data (and
#                   the native generators it is made with), the i686
#                   voltanor.exe and the installer's voice fala.dll.
#   build.sh quick  what `test.sh --quick` runs: the native tree and the i686
#                   unit tests.
#   build.sh TREE   one whole tree: native, i686 or x86_64 (test.sh builds
#                   x86_64 while the i686 tests run).
#   build.sh benches  the benchmarks' programs: natively in build/native-bench
#                   (optimized, without sanitizers) and in the i686 tree;
#   build.sh native-bench  only the native ones.
#   With VOLTANOR_BENCH_NATIVE_TREE=native the native ones are those of the
#   native tree (sanitized, not optimized for speed), as it is: the test
#   command builds them there with the voice data, and its benches' smoke run,
#   whose figures mean nothing, takes them while the rest of that tree builds.
#   build.sh wine-needs  what the Wine tests and the benches' smoke run need of
#                   the native tree before they start: the voice data, the
#                   native speech tools they compare the program's sound with,
#                   and the benchmarks' native programs.
set -eEuo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
source scripts/steps.sh
report_failures
stay_inside_build
jobs=${VOLTANOR_JOBS:-$(nproc)}
mode=${1:-all}
case $mode in
  all | run | quick | native | wine-needs | i686 | x86_64 | benches | native-bench) ;;
  *) echo "build.sh: unknown mode '$mode' (all, run, quick, native, wine-needs, i686, x86_64, benches or native-bench)" >&2; exit 2 ;;
esac

# MBROLA's source at the pinned commit: fetched by CMake, or, on machines that
# cannot reach its home, the copy of that tree kept beside the clone.
mbrola_source=()
for dir in "$top/../shared/third_party/mbrola" /work/shared/third_party/mbrola; do
  if [ -f "$dir/LibOneChannel/lib1.c" ]; then
    mbrola_source=(-DFETCHCONTENT_SOURCE_DIR_MBROLA="$(cd "$dir" && pwd)")
    break
  fi
done

configure() { # tree, extra cmake arguments...
  local tree=$1; shift
  # A tree configured before the MBROLA source was known is told where it is.
  if [ -f "build/$tree/build.ninja" ]; then
    [ ${#mbrola_source[@]} -eq 0 ] || grep -q '^FETCHCONTENT_SOURCE_DIR_MBROLA:PATH=.' "build/$tree/CMakeCache.txt" && return 0
  fi
  step "configure-$tree" cmake -S . -B "build/$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${mbrola_source[@]}" "$@"
}
build() { # tree, targets...
  local tree=$1; shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  step "${step_name:-build-$tree}" cmake --build "build/$tree" -j "$jobs" "${targets[@]}"
}

if [ "$mode" = benches ] || [ "$mode" = native-bench ]; then
  bench_tree=${VOLTANOR_BENCH_NATIVE_TREE:-native-bench}
  if [ "$bench_tree" = native ]; then
    # Another build may be going on in that tree: it is taken as it is.
    [ -f build/native/build.ninja ] || { echo "build.sh: build/native is not built (scripts/build.sh wine-needs)" >&2; exit 1; }
  else
    configure "$bench_tree" -DVOLTANOR_BENCH=ON
    build "$bench_tree" benches
  fi
  [ "$mode" = benches ] || exit 0
  configure i686 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake"
  step build-i686-benches cmake --build build/i686 -j "$jobs" --target benches
  exit
fi
if [ "$mode" != i686 ] && [ "$mode" != x86_64 ]; then
  configure native
  case $mode in
    run) build native voice_data ;;
    wine-needs) step_name=build-native-for-wine build native voice_data benches; exit ;;
    *) build native all voice_data ;;
  esac
fi
for arch in i686 x86_64; do
  case $mode in
    all | "$arch") ;;
    run | quick) [ $arch = i686 ] || continue ;;
    *) continue ;;
  esac
  configure "$arch" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake"
  case $mode in
    run) build "$arch" voltanor fala ;;
    quick) build "$arch" unit_tests ;;
    *) build "$arch" ;;
  esac
done
