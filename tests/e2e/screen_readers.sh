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
  speak_through jaws$who WINEDEBUG=trace+font -- "$VOLTANOR_EXE"
  check "JAWS, FALA=$who: exit code 0" [ "$status" -eq 0 ]
  check "JAWS, FALA=$who: the window still showed the report" drew_line "$work/jaws$who.log" "80 por cento restante."
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
who_speaks LEITOR
speak_through jawsDetails -- "$VOLTANOR_EXE" /detalhes
check "JAWS, /detalhes: the report and the details handed as one text, the own voice silent" all_hold \
  "$(grep -c '^SayString "2 horas e 30 minutos' "$work/jawsDetails.voices")" -eq 1 -- \
  "$(loud_default_voice_bytes "$work/jawsDetails.capture")" -eq 0

# The menu: each key cuts what JAWS says and hands it the new line.
mkdir -p "$work/menu.capture"
: > "$work/menu.voices"
VOLTANOR_CAPTURE_DIR=$work/menu.capture VOLTANOR_VOICE_LOG=$(windows_path "$work/menu.voices") timeout 120 \
  "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /configurar >"$work/menu.out" 2>&1 </dev/null &
program=$!
window=$(timeout 60 xdotool search --sync --name '^Voltanor - Configura' | head -n1)
[ -n "$window" ] && timeout 20 xdotool windowfocus --sync "$window"
wait_for 30 grep -q '^SayString "Configura' "$work/menu.voices"
for k in Down Down Escape; do
  lines=$(wc -l < "$work/menu.voices")
  xdotool key --clearmodifiers $k
  wait_for 30 test "$(wc -l < "$work/menu.voices")" -gt "$lines"
done
status=0; wait "$program" || status=$?; wait_captured "$work/menu.capture"
greeting='Configurações do Voltanor. De qualquer lugar, Control, Alt, Shift e C abrem este menu. Setas para cima e para baixo: o item. Setas para a direita e a esquerda: o valor. Enter: salva e sai. Esc: sai, e pergunta antes se há alterações. F1: ajuda. Voz: padrão. Item 1 de 9.'
check "menu: exit code 0" [ "$status" -eq 0 ]
check "menu: the greeting, then each key's line after a stop" same_log "$work/menu.voices" "$(printf '%s\n' \
  'create JawsApi' "SayString \"$greeting\"" StopSpeech 'SayString "Velocidade da fala: 3. Item 2 de 9."' StopSpeech \
  'SayString "Níveis de aviso: os do Windows. Item 3 de 9."' StopSpeech 'live 0')"
check "menu: the own voice stayed silent" own_voice_silent menu

# The watcher: its warnings through JAWS, the critical one cutting what it says;
# the tones still play.
supplies=$work/supplies
power() { # MAINS PERCENT: 5 Ah full, drawing 1 A
  mkdir -p "$supplies/AC" "$supplies/BAT0"
  local status=Discharging; [ "$1" = 1 ] && status=Charging
  printf '%s\n' 12000000 > "$supplies/BAT0/voltage_now"; echo 5000000 > "$supplies/BAT0/charge_full"
  echo 1000000 > "$supplies/BAT0/current_now"; echo $(($2 * 50000)) > "$supplies/BAT0/charge_now"
  echo $status > "$supplies/BAT0/status"; echo Battery > "$supplies/BAT0/type"
  echo Mains > "$supplies/AC/type"; echo "$1" > "$supplies/AC/online"
}
{ sed '/^\[VOLTANOR\]/,$d' "$work/installed.ini"; printf '[VOLTANOR]\r\nFALA=LEITOR\r\nINTERVALO=1\r\n'; } > "$settings"
power 0 50
mkdir -p "$work/watch.capture"
: > "$work/watch.voices"
VOLTANOR_CAPTURE_DIR=$work/watch.capture VOLTANOR_VOICE_LOG=$(windows_path "$work/watch.voices") \
  "$scripts/with-battery.sh" folder="$supplies" -- "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /vigiar \
  >"$work/watch.out" 2>&1 </dev/null &
program=$!
wait_for 60 grep -q 'SayString "Aviso de bateria ativado."' "$work/watch.voices"
power 0 5
wait_for 30 grep -q 'SayString "Bateria' "$work/watch.voices"
power 1 5
wait_for 30 grep -q 'SayString "Energia externa ligada' "$work/watch.voices"
speak_through unwatch -- "$VOLTANOR_EXE" /parar
status=0; wait "$program" || status=$?; wait_captured "$work/watch.capture"
check "watcher: the warnings handed in order, the critical one cutting, a stop as it ended" \
  same_log "$work/watch.voices" "$(printf '%s\n' 'create JawsApi' 'SayString "Aviso de bateria ativado."' \
  'SayString "Bateria crítica: 5 por cento." flush' 'SayString "Energia externa ligada. 5 por cento."' StopSpeech 'live 0')"
# Two beeps of 120 ms of a square wave at 11025 Hz, and nothing else loud.
check "watcher: the tones played and the own voice stayed silent" python3 - "$work/watch.capture" <<'PY'
import glob, sys
beep = bytes(168 if (i // 6) % 2 == 0 else 88 for i in range(1320))
sound = b"".join(open(f, "rb").read() for f in sorted(glob.glob(sys.argv[1] + "/*-11025-1-U8.raw")))
rest = sound.replace(beep, b"")
sys.exit(0 if sound.count(beep) == 2 and sum(1 for b in rest if b != 128) < 100 else 1)
PY
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
# Wine 8's uiautomationcore has no notification, so the own voice speaks; from
# Wine 9 on it has one and says a client listens, so the text is raised there
# and the own voice stays silent, as it would over a listening screen reader.
wine_major=$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')
if [ "${wine_major:-0}" -le 8 ]; then
  check "Wine $wine_major's uiautomationcore without the notification: the own voice was heard" own_voice_heard uiaWine
else
  check "Wine $wine_major's uiautomationcore with the notification: the own voice stayed silent" own_voice_silent uiaWine
fi

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
