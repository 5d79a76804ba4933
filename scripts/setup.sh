#!/usr/bin/env bash
# Installs, as root, every Debian package the build, the tests and the
# benchmarks need that is not there yet, on anything from a minimal Debian
# root (debootstrap --variant=minbase) up.  Safe to run again: it does nothing
# when all are present.
#   setup.sh          all of them
#   setup.sh native   only what the native tree needs (the compiler, CMake,
#                     GoogleTest, espeak-ng and sox for the voice data)
#   setup.sh windows  that and the MinGW-w64 compilers of the Windows trees
# (the test command builds with each part while the next one installs)
# apt's output (what it downloads and installs, one line a package) is shown
# and kept in build/logs/setup-*.log.
set -eEuo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/steps.sh"
report_failures
case ${1:-} in
  "") part=all ;;
  native | windows) part=$1 ;;
  *) echo "usage: scripts/setup.sh [native|windows]" >&2; exit 2 ;;
esac
step fetch-voice "$top/scripts/fetch-voice.sh"

native_packages=(cmake ninja-build g++ googletest espeak-ng libespeak-ng-dev sox wbrazilian)
windows_packages=("${native_packages[@]}" g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix)
packages=(
  "${windows_packages[@]}" clang libclang-rt-14-dev
  wine wine64 wine32:i386
  xvfb xdotool x11-apps x11-utils imagemagick nsis
  # The tests' and benchmarks' sample checks and figures (python3), the
  # benchmarks' processor times (time, procps) and samples by thread (linux-perf).
  python3 time procps linux-perf
)

case $part in
  native) packages=("${native_packages[@]}") ;;
  windows) packages=("${windows_packages[@]}") ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
if [ $part = all ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]} (with what they need, several hundred MB on a fresh system)"
step "setup-$part-update" apt-get update
step "setup-$part-install" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
