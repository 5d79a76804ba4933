#!/usr/bin/env bash
# Builds everything into build/: the native tree (portable code, tests, tools and
# the generated voice data), then voltanor.exe and its tests for i686 and x86_64.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=${VOLTANOR_JOBS:-$(nproc)}

# MBROLA's source at the pinned commit: fetched by CMake, or, on machines that
# cannot reach its home, the copy of that tree kept beside the clone.
mbrola_source=()
for dir in "$top/../shared/third_party/mbrola" /work/shared/third_party/mbrola; do
  if [ -f "$dir/LibOneChannel/lib1.c" ]; then
    mbrola_source=(-DFETCHCONTENT_SOURCE_DIR_MBROLA="$(cd "$dir" && pwd)")
    break
  fi
done

configure() { # dir, extra cmake arguments...
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${mbrola_source[@]}" "$@" >/dev/null
}

configure build/native
cmake --build build/native -j "$jobs"
if cmake --build build/native --target help | grep -q '^voice_data:'; then
  cmake --build build/native --target voice_data -j "$jobs"
fi
for arch in i686 x86_64; do
  configure "build/$arch" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake"
  cmake --build "build/$arch" -j "$jobs"
done
