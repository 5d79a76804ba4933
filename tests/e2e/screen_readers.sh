#!/usr/bin/env bash
# voltanor.exe hands its texts to the screen reader that [VOLTANOR] FALA
# chooses, each to a stand-in of ours that logs what it is handed: JAWS's COM
# object (registered under its ProgID), a uiautomationcore.dll loaded through a
# DLL override, and a server of NVDA's controller interface.  The report
# arrives there with nothing of the program's own voice in the sound; when the
# stand-in fails, or FALA says PROPRIA, the own voice speaks it.
source "$(dirname "$0")/lib/voices.sh"
jaws=$VOLTANOR_BIN_DIR/jaws_stand_in.dll
jaws_class={6A3E0C51-5B2D-4F7A-9C1E-3D8B2A4F7E10}
progid="HKLM\\Software\\Classes\\FreedomSci.JawsApi"
battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
report='2 horas e 30 minutos\r\n80 por cento restante.\r\nNível da bateria: alto.\r\nDuração máxima: 11250 segundos. Energia externa: desligada.'
unregister_jaws() { "$scripts/wine-exec.sh" reg delete "$progid" /f "$com_view" >/dev/null 2>&1; restore_classes; }
trap 'unregister_jaws; restore_all' EXIT

# who_speaks VALUE: the installed settings with [VOLTANOR] FALA=VALUE.
who_speaks() { sed "/^\\[VOLTANOR\\]/,/^\\[/{/^FALA=/d}; /^\\[VOLTANOR\\]/a FALA=$1\r" "$work/installed.ini" > "$settings"; }
# speak_through NAME [ENVIRONMENT...] -- EXE [ARGS...]: one run to its end.
speak_through() {
  local name=$1; shift
  local environment=()
  while [ "$1" != -- ]; do environment+=("$1"); shift; done
  shift
  mkdir -p "$work/$name.capture"
  : > "$work/$name.voices"
  status=0
  show_on_failure "$work/$name.out" "$work/$name.log"
  env "${environment[@]}" VOLTANOR_CAPTURE_DIR="$work/$name.capture" \
    VOLTANOR_VOICE_LOG="$(windows_path "$work/$name.voices")" timeout 120 \
    "$scripts/with-battery.sh" "${battery[@]}" -- "$scripts/wine-exec.sh" "$@" \
    >"$work/$name.out" 2>"$work/$name.log" </dev/null || status=$?
  wait_captured "$work/$name.capture"
}
own_voice_heard() { [ "$(loud_default_voice_bytes "$work/$1.capture")" -gt 40000 ]; }
own_voice_silent() { [ "$(loud_default_voice_bytes "$work/$1.capture")" -eq 0 ]; }

# 1. JAWS.
register_class "$jaws_class" "$jaws" &&
  "$scripts/wine-exec.sh" reg add "$progid\\CLSID" /ve /d "$jaws_class" /f "$com_view" >/dev/null
check "the JAWS stand-in is registered under its ProgID" [ $? -eq 0 ]
for who in LEITOR AUTOMATICA; do
  who_speaks $who
  speak_through jaws$who -- "$VOLTANOR_EXE"
  check "JAWS, FALA=$who: exit code 0" [ "$status" -eq 0 ]
  check "JAWS, FALA=$who: the report was handed to it" \
    same_log "$work/jaws$who.voices" "$(printf '%s\n' 'create JawsApi' "SayString \"$report\"" 'live 0')"
  check "JAWS, FALA=$who: the own voice stayed silent" own_voice_silent jaws$who
done
speak_through jawsFails VOLTANOR_READER_FAIL=1 -- "$VOLTANOR_EXE"
check "JAWS not answering: the own voice spoke the report" all_hold "$status" -eq 0 -- \
  "$(grep -c SayString "$work/jawsFails.voices")" -eq 1
check "JAWS not answering: the own voice was heard" own_voice_heard jawsFails
who_speaks PROPRIA
speak_through jawsOwn -- "$VOLTANOR_EXE"
check "FALA=PROPRIA: JAWS is not asked and the own voice speaks" all_hold ! -s "$work/jawsOwn.voices"
check "FALA=PROPRIA: the own voice was heard" own_voice_heard jawsOwn
unregister_jaws

# 2. A UI Automation notification, from the stand-in beside a copy of the program.
mkdir -p "$work/uia"
cp "$VOLTANOR_EXE" "$VOLTANOR_BIN_DIR/uia-stand-in/uiautomationcore.dll" "$work/uia/"
uia_exe=$work/uia/$(basename "$VOLTANOR_EXE")
native_uia=WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};uiautomationcore=n"
who_speaks LEITOR
speak_through uia "$native_uia" -- "$uia_exe"
check "notification: exit code 0" [ "$status" -eq 0 ]
check "notification: the report was raised, queued" \
  same_log "$work/uia.voices" "$(printf '%s\n' "notification 4 0 \"$report\" Voltanor" 'live 0')"
check "notification: the own voice stayed silent" own_voice_silent uia
speak_through uiaFails "$native_uia" VOLTANOR_READER_FAIL=1 -- "$uia_exe"
check "notification failing: the own voice was heard" own_voice_heard uiaFails
speak_through uiaWine -- "$VOLTANOR_EXE"
check "Wine's uiautomationcore without the notification: the own voice was heard" own_voice_heard uiaWine

# 3. NVDA's controller, served by the stand-in while the program runs.
# start_nvda NAME [ENVIRONMENT...]: the server, logging into $work/NAME.voices.
start_nvda() {
  local name=$1; shift
  : > "$work/$name.voices"
  rm -f "$work/nvda.stop"
  env "$@" VOLTANOR_VOICE_LOG="$(windows_path "$work/$name.voices")" \
    "$scripts/wine-exec.sh" "$VOLTANOR_BIN_DIR/nvda_stand_in.exe" "$(windows_path "$work/nvda.stop")" \
    >"$work/$name.server" 2>&1 </dev/null &
  nvda_server=$!
  wait_for 60 grep -qx ready "$work/$name.voices"
}
stop_nvda() { touch "$work/nvda.stop"; wait "$nvda_server"; }
who_speaks AUTOMATICA
check "NVDA: the stand-in listens" start_nvda nvda
speak_through nvda -- "$VOLTANOR_EXE"
stop_nvda
check "NVDA: exit code 0" [ "$status" -eq 0 ]
check "NVDA: the report was spoken and brailled" \
  same_log "$work/nvda.voices" "$(printf '%s\n' "speakText \"$report\"" "brailleMessage \"$report\"")"
check "NVDA: the own voice stayed silent" own_voice_silent nvda
check "NVDA failing: the stand-in listens" start_nvda nvdaFails VOLTANOR_READER_FAIL=1
speak_through nvdaFails -- "$VOLTANOR_EXE"
stop_nvda
check "NVDA failing: the own voice was heard" own_voice_heard nvdaFails

finish
