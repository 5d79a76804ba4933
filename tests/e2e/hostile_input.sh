#!/usr/bin/env bash
# voltanor.exe on inputs that must not break it: letter sounds whose headers
# say 0 channels or 0 bits are skipped as malformed (the device is never opened
# with such a format) and the rest of the report is still spoken; with no X
# display it says so on standard error and ends with 1; when the wave device
# cannot be opened the report is still shown and it ends with 2.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
keep_settings "$work"
trap 'restore_settings "$work"; rm -rf "$work"' EXIT
battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
# The report: "2 horas e 30 minutos" / "80 por cento restante." /
# "Nível da bateria: alto." / "Duração máxima: 11250 segundos. Energia externa: desligada."

# put_le16 FILE OFFSET VALUE: writes a little-endian 16-bit value into FILE.
put_le16() {
  printf "$(printf '\\x%02x\\x%02x' $(($3 & 255)) $(($3 >> 8)))" |
    dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
hex() { od -An -v -tx1 | tr -s ' \n' '  '; }
# run NAME [env arguments...]: the program on the battery above, its own capture
# folder, text log (standard error) and exit code ($status).
run() {
  local name=$1; shift
  mkdir -p "$work/$name.capture"
  status=0
  env "$@" VOLTANOR_CAPTURE_DIR="$work/$name.capture" WINEDEBUG=trace+font timeout 120 \
    "$scripts/with-battery.sh" "${battery[@]}" -- "$scripts/wine-exec.sh" "$VOLTANOR_EXE" \
    >"$work/$name.out" 2>"$work/$name.log" </dev/null || status=$?
  wait_captured "$work/$name.capture"
}
show_log_on_failure() { [ "$e2e_failures" -eq 0 ] || tail -n 20 "$1" | sed 's/^/  log: /'; }

# 1. Letter sounds with impossible formats: "." says 0 channels, ":" 0 bits.
letters=$work/letras
cp -a "$VOLTANOR_DATA_DIR/kelmar/som/letras" "$letters"
put_le16 "$letters/_46.wav" 22 0
put_le16 "$letters/_58.wav" 34 0
tr -d '\r' < "$VOLTANOR_DATA_DIR/ORAVIX.INI" |
  sed "s|^\[TRADUTOR\]\$|[TRADUTOR]\nDIRLETRAS=Z:${letters//\//\\\\}|" | sed 's/$/\r/' > "$settings"
run formats
check "bad letter headers: exit code 0" [ "$status" -eq 0 ]
bad_opens=$(find "$work/formats.capture" -name '*.raw' | grep -cvE -- '-(11025|16000)-[12]-(U8|S16_LE)\.raw$')
check "bad letter headers: the device was opened only with sound formats" [ "$bad_opens" -eq 0 ]
last_number=$(for f in _onze _mil _e _duzento _e _cinquen; do tail -c +45 "$letters/$f.wav"; done | head -c -1 | hex)
check "bad letter headers: the last line's number was still spoken" \
  grep -qF -- "$last_number" <(cat "$work/formats.capture"/*-11025-1-U8.raw 2>/dev/null | hex)
show_log_on_failure "$work/formats.log"
restore_settings "$work"

# 2. No X display: nothing can be shown, and standard error says so.
run nodisplay -u DISPLAY
check "no display: exit code 1" [ "$status" -eq 1 ]
check "no display: standard error says why" grep -q "voltanor: the window could not be created" "$work/nodisplay.log"

# 3. No wave device (Wine's sound drivers left out): the report is shown, the
#    exit code says that speech failed.
run nodevice WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;mscoree,mshtml="
check "no wave device: exit code 2" [ "$status" -eq 2 ]
check "no wave device: the report was shown" drew_line "$work/nodevice.log" "80 por cento restante."
check "no wave device: nothing was played" [ -z "$(find "$work/nodevice.capture" -name '*.raw' -size +0)" ]
show_log_on_failure "$work/nodevice.log"

finish
