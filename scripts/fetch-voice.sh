#!/usr/bin/env bash
# Fetches the outside programs and data the voices are made with, without
# touching the machine's package sources: apt runs with its own sources list
# (the Debian mirror this machine's apt uses), lists and cache under each
# destination's apt/, and the packages are only unpacked (dpkg-deb -x), never
# installed.  A part already fetched is left as it is.
#   fetch-voice.sh [mbrola|espeak-ng]   (both without an argument)
# - mbrola: the br1 voice database and the Linux mbrola program of the release
#   this machine runs, into $VOLTANOR_MBROLA_DIR (build/mbrola).
# - espeak-ng: espeak-ng 1.51 as Debian 12 has it (the program, the library,
#   its header and its data), into $VOLTANOR_ESPEAK_DIR (build/espeak-ng).  The
#   default voice's diphones and letters are cut from its pt-br speech, and
#   another version speaks the carrier words differently: this one version,
#   whatever the machine's release, makes the default voice the same voice,
#   byte for byte, on every machine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/debian-sources.sh"
arch=$(dpkg --print-architecture)

# The pinned espeak-ng and the libraries it loads, as Debian 12 has them.
espeak_release=bookworm
espeak_packages=(
  espeak-ng=1.51+dfsg-10+deb12u2 libespeak-ng1=1.51+dfsg-10+deb12u2
  espeak-ng-data=1.51+dfsg-10+deb12u2 libespeak-ng-dev=1.51+dfsg-10+deb12u2
  libsonic0=0.2.0-12 libpcaudio0=1.2-2
)

fetch() { # DEST RELEASE PACKAGE...: downloads the packages and unpacks them into DEST
  local dest=$1 release=$2; shift 2
  local apt=$dest/apt mirror
  mirror=$(debian_mirror_for "$release")
  rm -rf "$apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/debs" "$apt/etc/preferences.d" "$apt/etc/apt.conf.d"
  echo "deb [arch=$arch signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $release main contrib non-free" \
    > "$apt/sources.list"
  local options=(
    -o "Dir::Etc::SourceList=$apt/sources.list"
    -o "Dir::Etc::SourceParts=-"
    -o "Dir::Etc::Parts=$apt/etc/apt.conf.d"
    -o "Dir::Etc::PreferencesParts=$apt/etc/preferences.d"
    -o "Dir::State::Lists=$apt/lists"
    -o "Dir::State::Status=/dev/null"
    -o "Dir::Cache=$apt/cache"
    -o "Debug::NoLocking=1"
    -o "APT::Get::List-Cleanup=0"
    -o "APT::Sandbox::User=$(id -un)"
  )
  echo "fetch-voice: downloading ${*%%=*} ($release, $mirror) into $dest"
  apt-get "${options[@]}" -qq update
  (cd "$apt/debs" && apt-get "${options[@]}" -qq download "$@")
  for deb in "$apt"/debs/*.deb; do
    dpkg-deb -x "$deb" "$dest"
  done
}

part=${1:-all}
case $part in
  all | mbrola | espeak-ng) ;;
  *) echo "usage: scripts/fetch-voice.sh [mbrola|espeak-ng]" >&2; exit 2 ;;
esac

if [ "$part" != espeak-ng ]; then
  dest=${VOLTANOR_MBROLA_DIR:-$top/build/mbrola}
  voice=$dest/usr/share/mbrola/br1/br1
  program=$dest/usr/bin/mbrola
  if ! [ -s "$voice" ] || ! [ -x "$program" ]; then
    fetch "$dest" "$(debian_release)" mbrola-br1 mbrola
    [ -s "$voice" ] && [ -x "$program" ] || { echo "fetch-voice: br1 or mbrola missing after unpacking" >&2; exit 1; }
  fi
fi

if [ "$part" != mbrola ]; then
  dest=${VOLTANOR_ESPEAK_DIR:-$top/build/espeak-ng}
  # What was fetched is noted, so that a change of the pinned versions fetches again.
  if [ "$(cat "$dest/fetched" 2>/dev/null)" != "${espeak_packages[*]}" ]; then
    rm -rf "$dest"
    fetch "$dest" "$espeak_release" "${espeak_packages[@]}"
    [ -x "$dest/usr/bin/espeak-ng" ] && [ -f "$dest/usr/include/espeak-ng/speak_lib.h" ] &&
      compgen -G "$dest/usr/lib/*/espeak-ng-data/pt_dict" >/dev/null ||
      { echo "fetch-voice: espeak-ng, its header or its data missing after unpacking" >&2; exit 1; }
    echo "${espeak_packages[*]}" > "$dest/fetched"
  fi
fi
