#!/usr/bin/env bash
# Builds the Windows installer build/voltanor-setup.exe (NSIS): sets up what is
# missing and builds what it holds (scripts/build.sh run: the voice data and the
# 32-bit voltanor.exe with mbrola.dll, and fala.dll, the installer's own voice),
# then generates from the sources what the
# script installer/voltanor.nsi includes (in installer/ beside OUTPUT, so
# build/installer/) and runs makensis.
#   scripts/package.sh [--no-build] [OUTPUT.exe]
# --no-build uses the trees as they are (the test command has built them).
# VOLTANOR_VERSION, when set, stands in for the project's version, and
# VOLTANOR_PACKAGE_FAST=1 leaves the files uncompressed (the tests make a
# quick "earlier version" with them).
set -eEuo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
source scripts/steps.sh
report_failures
build=1
if [ "${1:-}" = --no-build ]; then build=0; shift; fi
output=$(realpath -m "${1:-build/voltanor-setup.exe}")
if [ $build = 1 ]; then
  scripts/setup.sh
  scripts/build.sh run
fi

tree=$top/build/i686 data=$top/build/data gen=$(dirname "$output")/installer
br1=$top/build/mbrola/usr/share/mbrola/br1/br1
br1_notice=$top/build/mbrola/usr/share/doc/mbrola-br1/copyright
for f in "$tree/voltanor.exe" "$tree/mbrola.dll" "$tree/fala.dll" "$data/kelmar/som/letras" "$br1" "$br1_notice"; do
  [ -e "$f" ] || { echo "package.sh: $f is missing (scripts/build.sh run makes it)" >&2; exit 1; }
done
version=${VOLTANOR_VERSION:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")}
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package.sh: no project version in $tree/CMakeCache.txt" >&2; exit 1; }
# MBROLA's source: where the i686 tree took it from, and the commit it is pinned to.
mbrola_src=$(sed -n 's/^FETCHCONTENT_SOURCE_DIR_MBROLA:PATH=//p' "$tree/CMakeCache.txt")
[ -n "$mbrola_src" ] || mbrola_src=$tree/_deps/mbrola-src
mbrola_commit=$(sed -n 's/^ *GIT_TAG \([0-9a-f]*\).*/\1/p' cmake/mbrola.cmake)

rm -rf "$gen"; mkdir -p "$gen"
bom=$'\xef\xbb\xbf'
# NSIS string quoting: $ doubled, " as $\".
nsis_quote() { sed -e 's/\$/$$/g' -e 's/"/$\\"/g'; }

printf '%s!define VERSION "%s"\n' "$bom" "$version" > "$gen/versao.nsh"

# Every key of the settings file, in its order (CP1252 source, UTF-8 script).
{
  printf '%s' "$bom"
  iconv -f CP1252 -t UTF-8 data/ORAVIX.INI | tr -d '\r' | awk '
    /^[ \t]*;/ || /^[ \t]*$/ { next }
    /^[ \t]*\[/ { s = $0; sub(/^[ \t]*\[/, "", s); sub(/\].*$/, "", s); next }
    /=/ && s != "" { k = substr($0, 1, index($0, "=") - 1); v = substr($0, index($0, "=") + 1)
      gsub(/^[ \t]+|[ \t]+$/, "", k); gsub(/^[ \t]+|[ \t]+$/, "", v)
      print s "\t" k "\t" v }' |
    while IFS=$'\t' read -r section key value; do
      printf '!insertmacro IniKey "%s" "%s" "%s"\n' \
        "$(nsis_quote <<<"$section")" "$(nsis_quote <<<"$key")" "$(nsis_quote <<<"$value")"
    done
} > "$gen/ini.nsh"

# Every voice data file, into the folder its setting names.
{
  printf '%s' "$bom"
  for pair in som/letras:DirLetras som/difones:DirDifones tavintts:DirFala; do
    for f in "$data/kelmar/${pair%%:*}"/*; do
      printf '!insertmacro DataFile "$%s" "%s" "%s"\n' "${pair#*:}" "${f##*/}" "$f"
    done
  done
} > "$gen/dados.nsh"

# The licences: ours, MBROLA's (with where its source is) and br1's notice.
{
  printf '%s' "$bom"
  cat installer/LICENCA.txt
  printf '\n\n==============================================================================\n\n'
  sed "s/@MBROLA_COMMIT@/$mbrola_commit/" installer/MBROLA.txt
  printf 'O texto da AGPL-3 está no arquivo AGPL-3.txt, na pasta licencas do Voltanor.\n'
  printf '\n==============================================================================\n\n'
  printf 'Voz br1 (br1)\n\n'
  cat "$br1_notice"
} | sed 's/$/\r/' > "$gen/licencas.txt"
sed 's/$/\r/' "$mbrola_src/LICENSE" > "$gen/AGPL-3.txt"

mkdir -p "$(dirname "$output")"
fast=()
[ "${VOLTANOR_PACKAGE_FAST:-}" != 1 ] || fast=(-DSEM_COMPRESSAO)
step package makensis -V2 -INPUTCHARSET UTF8 "${fast[@]}" \
  -DGERADOS="$gen" -DPROGRAMA="$tree" -DDADOS="$top/data" -DVOZ="$data/kelmar/som" -DBR1="$br1" -DSAIDA="$output" \
  installer/voltanor.nsi
echo "package.sh: $output ($(stat -c %s "$output") bytes, version $version)"
