#!/usr/bin/env bash
# Fetches the br1 voice database and the Linux mbrola program into
# build/mbrola without touching the machine's package sources: apt runs with
# its own sources list, lists and cache under build/mbrola/apt, and the two
# packages are only unpacked (dpkg-deb -x), never installed.  Does nothing when
# both are already there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dest=${VOLTANOR_MBROLA_DIR:-$top/build/mbrola}
voice=$dest/usr/share/mbrola/br1/br1
program=$dest/usr/bin/mbrola
[ -s "$voice" ] && [ -x "$program" ] && exit 0

apt=$dest/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/debs" "$apt/etc/preferences.d" "$apt/etc/apt.conf.d"
cat > "$apt/sources.list" <<LIST
deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main contrib non-free
LIST
options=(
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
echo "fetch-voice: downloading mbrola-br1 and mbrola into $dest"
apt-get "${options[@]}" -qq update
(cd "$apt/debs" && apt-get "${options[@]}" -qq download mbrola-br1 mbrola)
for deb in "$apt"/debs/*.deb; do
  dpkg-deb -x "$deb" "$dest"
done
[ -s "$voice" ] && [ -x "$program" ] || { echo "fetch-voice: br1 or mbrola missing after unpacking" >&2; exit 1; }
