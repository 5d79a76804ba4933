#!/usr/bin/env bash
# voltanor.exe with the text-to-speech engine selected ([SERVFALA] TIPOSAPI=3)
# speaks its report in the br1 voice: 16000 Hz 16-bit mono sound of a
# plausible length; a key press cuts it short; without mbrola.dll, with a
# mbrola.dll lacking an entry point, without the br1 voice or with an unreadable
# data file it falls back to the default voice (11025 Hz 8-bit) and still
# speaks the report.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
drive=$WINEPREFIX/drive_c
settings=$drive/windows/ORAVIX.INI
br1=$drive/kelmar/tavintts/br1/br1
rules=$drive/kelmar/tavintts/portug.nrl
cp "$settings" "$work/saved.ini"
restore() {
  cp "$work/saved.ini" "$settings"
  [ -f "$work/br1" ] && mv "$work/br1" "$br1"
  [ -f "$work/portug.nrl" ] && { rm -rf "$rules"; mv "$work/portug.nrl" "$rules"; }
  rm -rf "$work"
}
trap restore EXIT
# The engine selected, as scripts/run.sh --voice tts does.
sed 's/^\[TRADUTOR\]\r\?$/[TRADUTOR]\nSAPI=SIM/' "$work/saved.ini" > "$settings"
printf '[SERVFALA]\nTIPOSAPI=3\n' >> "$settings"

battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
bytes_of() { cat "$@" 2>/dev/null | wc -c; }
# run NAME EXE: the program on the battery above, its sound in NAME.capture.
# The program starts in its own folder: the library search also looks in the
# current folder, and ctest's (the build tree) holds a mbrola.dll.
run() {
  mkdir -p "$work/$1.capture"
  pushd "$(dirname "$2")" >/dev/null
  VOLTANOR_CAPTURE_DIR=$work/$1.capture run_program "$work/$1.log" -- "${battery[@]}" -- "$2"
  popd >/dev/null
}

# 1. The report in the br1 voice, to its end.
run tts "$VOLTANOR_EXE"
check "engine: exit code 0" [ "$status" -eq 0 ]
speech=$(bytes_of "$work"/tts.capture/*-16000-1-S16_LE.raw)
check "engine: 16000 Hz 16-bit mono speech ($speech bytes)" [ "$speech" -gt 0 ]
check "engine: as long as the report's speech, 4 to 40 s ($((speech / 32000)) s)" \
  all_hold "$speech" -ge 128000 -- "$speech" -le 1280000
check "engine: nothing in the default voice" [ "$(bytes_of "$work"/tts.capture/*-11025-*.raw)" -eq 0 ]
# The same report through the text stages natively and the Linux mbrola program.
native=$VOLTANOR_BIN_DIR/../native mbrola=$VOLTANOR_BIN_DIR/../mbrola/usr
report=$'2 horas e 30 minutos\r\n80 por cento restante.\r\nN\xedvel da bateria: alto.\r\nDura\xe7\xe3o m\xe1xima: 11250 segundos. Energia externa: desligada.'
"$native/tts_lines" "$VOLTANOR_DATA_DIR/kelmar/tavintts" -d 0.8 "$report" > "$work/report.pho"
"$mbrola/bin/mbrola" -e "$mbrola/share/mbrola/br1/br1" "$work/report.pho" "$work/report.raw" 2>/dev/null
# Wine fills the device with silence when blocks come late (a busy machine),
# so the sounding samples are compared, in order, with the silent ones left out.
sounding() { python3 -c 'import array, sys
a = array.array("h", sys.stdin.buffer.read())
sys.stdout.buffer.write(array.array("h", [s for s in a if s]).tobytes())'; }
cat "$work"/tts.capture/*-16000-1-S16_LE.raw | sounding > "$work/heard.loud"
sounding < "$work/report.raw" > "$work/native.loud"
# Nothing read on either side is no match.
same_sounding() { [ -s "$work/native.loud" ] && cmp -s "$work/heard.loud" "$work/native.loud"; }
check "engine: the samples equal the native ones of the report ($(bytes_of "$work/report.raw") bytes)" same_sounding

# 2. A key pressed as soon as the speech begins.
mkdir -p "$work/key.capture"
VOLTANOR_CAPTURE_DIR=$work/key.capture timeout 120 "$scripts/with-battery.sh" "${battery[@]}" -- \
  "$scripts/wine-exec.sh" "$VOLTANOR_EXE" >/dev/null 2>&1 </dev/null &
program=$!
for _ in $(seq 600); do [ -n "$(find "$work/key.capture" -name '*.raw' -size +0)" ] && break; sleep 0.1; done
window=$(xdotool search --name "Voltanor - Medidor de bateria" 2>/dev/null | head -n1)
[ -n "$window" ] && { xdotool windowfocus "$window"; xdotool key --clearmodifiers space; }
status=0; wait "$program" || status=$?
wait_captured "$work/key.capture"
cut=$(bytes_of "$work"/key.capture/*.raw)
check "key press: exit code 0, speech cut short ($cut of $speech bytes)" all_hold "$status" -eq 0 -- "$cut" -lt $((speech / 2))

# 3. Each broken installation falls back to the default voice.
falls_back() {
  check "$1: exit code 0" [ "$status" -eq 0 ]
  check "$1: no engine speech" [ "$(bytes_of "$work"/"$2".capture/*-16000-*.raw)" -eq 0 ]
  check "$1: the report in the default voice" [ "$(bytes_of "$work"/"$2".capture/*-11025-1-U8.raw)" -gt 40000 ]
}
mkdir -p "$work/nodll" "$work/lacking"
cp "$VOLTANOR_EXE" "$work/nodll/"
cp "$VOLTANOR_EXE" "$VOLTANOR_BIN_DIR/mbrola-lacking/mbrola.dll" "$work/lacking/"
run nodll "$work/nodll/voltanor.exe"; falls_back "no mbrola.dll" nodll
run lacking "$work/lacking/voltanor.exe"; falls_back "mbrola.dll lacking appendf0_Phone" lacking
mv "$br1" "$work/br1"
run nobr1 "$VOLTANOR_EXE"; falls_back "no br1 voice" nobr1
mv "$work/br1" "$br1"
# (A rules file that cannot be read; a broken prosody file would also show
# its message boxes, which wait for a click.)
mv "$rules" "$work/portug.nrl"; mkdir "$rules"
run broken "$VOLTANOR_EXE"; falls_back "unreadable rules file" broken

finish
