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

# espeak-ng is the machine's own, for the comparisons of the tests and
# benchmarks (and the sound libraries the pinned one that makes the voice
# loads, scripts/fetch-voice.sh).
native_packages=(cmake ninja-build g++ googletest espeak-ng sox wbrazilian)
# mingw-w64-tools: widl, which compiles the stubs of NVDA's controller interface.
windows_packages=("${native_packages[@]}" g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools)
packages=(
  "${windows_packages[@]}" clang libclang-rt-dev
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
# i386 (for wine32) from the first part on: every part then reads the same
# lists, so that when one of them fails to download (say the security suite's
# i386 list), all parts install from the same suites below, and no amd64
# library comes from a suite its i386 twin (of the same version) cannot.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]} (with what they need, several hundred MB on a fresh system)"
# A mirror caught mid-sync serves an index that fails its checksum for a
# while; apt then keeps the lists it could read.  Try again, and if one list
# still fails, install from the others: a package that needed it fails there,
# by name.
update_ok=
for attempt in 1 2 3; do
  if step "setup-$part-update" apt-get update; then update_ok=1; break; fi
  sleep $((attempt * 10))
done
install_options=()
if [ -z "$update_ok" ]; then
  # One suite's list for one architecture may be all that failed (say the
  # security suite's i386 list): with the other architecture's list of that
  # suite read, the two would ask for different versions of the same library.
  # Leave every suite that failed out, as a private sources list of the
  # others: their lists are already downloaded.
  failed_suites=$(sed -n 's/^Err:[0-9]* \([^ ]*\) \([^ /]*\)\/.*/\1 \2/p' "$VOLTANOR_LOGS/setup-$part-update.log" | sort -u)
  kept_sources=$top/build/apt-kept.list
  mkdir -p "$top/build"
  apt-get update --print-uris 2>/dev/null |
    sed -n "s|^'\([^']*\)/dists/\([^/']*\)/InRelease'.*|\1 \2|p" | sort -u |
    while read -r uri suite; do
      grep -qxF "$uri $suite" <<<"$failed_suites" && continue
      echo "deb $uri $suite main"
    done >"$kept_sources"
  echo "setup: apt-get update failed 3 times (${failed_suites//$'\n'/, }); installing from the other suites" >&2
  install_options=(-o "Dir::Etc::SourceList=$kept_sources" -o Dir::Etc::SourceParts=/nonexistent)
fi
step "setup-$part-install" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${install_options[@]}" "${missing[@]}"
