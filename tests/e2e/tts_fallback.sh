#!/usr/bin/env bash
# voltanor.exe with the text-to-speech engine selected and a damaged engine
# installation: the engine's start checks refuse it, or its first text fails
# (an MBROLA error or only silence), and the default voice says the whole
# report (exit code 0); a speed setting far out of bounds falls back
# to the default speed.  When the default voice is silent too, the program ends
# with exit code 3 and says so on standard error.  Every damage is made in
# copies inside this script's folder.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
keep_settings "$work"
trap 'restore_settings "$work"; rm -rf "$work"' EXIT
battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
br1=$VOLTANOR_BIN_DIR/../mbrola/usr/share/mbrola/br1/br1
bytes_of() { cat "$@" 2>/dev/null | wc -c; }

# install NAME: a copy of the engine's data files and of br1 in $work/NAME.
install() {
  mkdir -p "$work/$1"
  cp -a "$VOLTANOR_DATA_DIR/kelmar/tavintts/." "$work/$1/"
  cp "$br1" "$work/$1/br1"
}
# settings [TAVINTTS-FOLDER [SERVFALA-LINE...]]: the installation's settings,
# with the engine selected and reading its files from the folder when one is
# given; the array tradutor holds further [TRADUTOR] lines.
tradutor=()
settings() {
  local lines=("${tradutor[@]}") engine=()
  if [ $# -gt 0 ]; then
    local folder; folder=$(windows_path "$work/$1"); shift
    lines+=(SAPI=SIM)
    engine=('[TAVINTTS]' "MBROLA_DB=$folder\\br1" "DIR=$folder\\" '[SERVFALA]' TIPOSAPI=3 "$@")
  fi
  tr -d '\r' < "$VOLTANOR_DATA_DIR/ORAVIX.INI" | sed '/^\[TAVINTTS\]/,$d' |
    while IFS= read -r line; do
      printf '%s\r\n' "$line"
      [ "$line" != '[TRADUTOR]' ] || [ ${#lines[@]} -eq 0 ] || printf '%s\r\n' "${lines[@]}"
    done > "$settings"
  [ ${#engine[@]} -eq 0 ] || printf '%s\r\n' "${engine[@]}" >> "$settings"
}
# run NAME [EXE]: the program (from its own folder: the library search looks
# there first) on the battery above; its sound in NAME.capture.
run() {
  local exe=${2:-$VOLTANOR_EXE}
  mkdir -p "$work/$1.capture"
  pushd "$(dirname "$exe")" >/dev/null
  VOLTANOR_CAPTURE_DIR=$work/$1.capture run_program "$work/$1.log" -- "${battery[@]}" -- "$exe"
  popd >/dev/null
}
default_voice() { bytes_of "$work/$1".capture/*-11025-1-U8.raw; }
engine_voice() { bytes_of "$work/$1".capture/*-16000-1-S16_LE.raw; }

# The report in the default voice alone, and in the engine's voice.
settings; run alone
alone=$(default_voice alone)
check "default voice alone: exit code 0, the report ($alone bytes)" all_hold "$status" -eq 0 -- "$alone" -gt 40000
install intact; settings intact; run intact
check "intact engine: exit code 0, the report in its voice" all_hold "$status" -eq 0 -- "$(engine_voice intact)" -gt 128000

# Each damage: the engine refused at its start, or failing on the report
# (an MBROLA error, or only silence), and the whole report in the default voice.
heard_from_default_voice() {
  local got; got=$(default_voice "$1")
  check "$1: exit code 0" [ "$status" -eq 0 ]
  check "$1: the report in the default voice ($got of $alone bytes)" [ "$got" -ge $((alone * 9 / 10)) ]
}
refused_at_start() { check "$1: refused at the start, nothing in the engine's voice" [ "$(engine_voice "$1")" -eq 0 ]; }
install cut64; head -c 65536 "$br1" > "$work/cut64/br1"
install cut90; head -c $(($(stat -c %s "$br1") * 9 / 10)) "$br1" > "$work/cut90/br1"
install norules; : > "$work/norules/portug.nrl"
install noise; perl -e 'srand(25); print pack("C*", map { int rand 256 } 1 .. 65536)' > "$work/noise/portug.nrl"
install huge
perl -i -pe '$d = /^\[DURA/ if /^\[/; s/=\d+/=2147483647/ if /^HERTZ=/ || ($d && !/^[;\[]/)' "$work/huge/portug.pro"
for damage in cut64 cut90 norules noise huge; do
  settings "$damage"; run "$damage"; heard_from_default_voice "$damage"
done
refused_at_start norules; refused_at_start huge
mkdir -p "$work/silentdll"
cp "$VOLTANOR_EXE" "$VOLTANOR_BIN_DIR/mbrola-silent/mbrola.dll" "$work/silentdll/"
settings intact; run silentdll "$work/silentdll/voltanor.exe"; heard_from_default_voice silentdll

# A speed far out of bounds is the default speed: the report as the intact engine says it.
settings intact VELOCIDADE=-2147483648; run speed
check "speed -2147483648: exit code 0" [ "$status" -eq 0 ]
# (Within 5 % of the intact run's length: speed 3 would be a quarter shorter.)
speed=$(engine_voice speed) intact=$(engine_voice intact)
check "speed -2147483648: the report as long as at the default speed ($speed of $intact bytes)" \
  all_hold "$speed" -ge $((intact * 95 / 100)) -- "$speed" -le $((intact * 105 / 100))

# The default voice made silent too (its diphones and recorded sounds all
# silence in their own format): nothing audible could be said.
mkdir -p "$work/som"
cp -a "$VOLTANOR_DATA_DIR/kelmar/som/." "$work/som/"
for f in "$work"/som/difones/*.DIF; do head -c "$(stat -c %s "$f")" /dev/zero | tr '\0' '\200' > "$f.new"; mv "$f.new" "$f"; done
perl -0777 -i -pe 'my $p = index($_, "data"); my $n = unpack("V", substr($_, $p + 4, 4));
  substr($_, $p + 8, $n) = "\x80" x $n if $p >= 0 && $p + 8 + $n <= length' "$work"/som/letras/*.wav
tradutor=("DIRLETRAS=$(windows_path "$work/som/letras")\\" "DIRDIFONES=$(windows_path "$work/som/difones")")
settings intact
run silent "$work/silentdll/voltanor.exe"
check "all silent: exit code 3" [ "$status" -eq 3 ]
check "all silent: standard error says why" grep -q "voltanor: the report was shown, but nothing audible could be said" "$work/silent.log"
check "all silent: the report was shown" drew_line "$work/silent.log" "80 por cento restante."

finish
