#!/usr/bin/env bash
# voltanor.exe /configurar under Wine, driven with real key strokes: what each
# key says, which bytes of the settings file a save changes (only the changed
# values), leaving without saving, the human voice chosen, files that cannot be
# changed, the elevated save's private option refusing what the menu does not
# offer, and files as other programs write them.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
keep_settings "$work"
trap 'chmod u+w "$settings" 2>/dev/null; restore_settings "$work"; [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT

# The installed settings with more in them than the installer writes.
cp "$VOLTANOR_DATA_DIR/ORAVIX.INI" "$work/start.ini"
printf '\r\n; Se\xe7\xe3o de outro programa\r\n[OUTRO]\r\n  Chave   =  valor  com  espa\xe7os \r\n\n\r\n;fim' >> "$work/start.ini"

# start_menu NAME [ARGS]: the menu in the background, its sound in NAME-sound,
# its drawing in NAME.log; waits until its window has the focus.
start_menu() {
  local name=$1; shift
  mkdir -p "$work/$name-sound"
  show_on_failure "$work/$name.log"
  VOLTANOR_CAPTURE_DIR=$work/$name-sound WINEDEBUG=trace+font timeout 180 \
    "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /configurar "$@" >"$work/$name.out" 2>"$work/$name.log" </dev/null &
  program=$! capture=$work/$name-sound
  # The caption without its accented letters: xdotool matches it by a regular
  # expression in the locale it runs in, and the test command's may be C.
  window=$(timeout 60 xdotool search --sync --name '^Voltanor - Configura' | head -n1)
  check "$name: the menu's window appeared" [ -n "$window" ]
  [ -n "$window" ] && timeout 20 xdotool windowfocus --sync "$window"
}
wait_menu() { status=0; wait "$program" || status=$?; wait_captured "$capture"; }
key() { xdotool key --clearmodifiers "$@"; }
wait_for() { local i; for ((i = 0; i < $1 * 10; i++)); do "${@:2}" && return 0; sleep 0.1; done; return 1; }
# heard_pieces NAME PIECES: the default voice has said these pieces (UTF-8 lines), in order.
heard_pieces() { spoke "$1" "$2" >/dev/null; }
said() { wait_for 60 heard_pieces "$@"; }
sound_started() { [ -n "$(find "$capture" -name '*.raw' -size +1k)" ]; }

# use_speed N: the pieces looked for from now on are said at speed N.
use_speed() { tuning=("$(installed_value "DIFONES$1")" "$(installed_value "CORTEFON$1")" "$(installed_value "SOBRAFON$1")"
                      "$(installed_value "INTERPAL$1")"); }

# 1. Down, Right, Esc, S: the speed one higher, every other byte kept.
cp "$work/start.ini" "$settings"
start_menu keyed
check "keyed: the window opened and spoke" wait_for 60 sound_started
key Down
check "keyed: Down says the speed line" said keyed $'words Velocidade da fala\nsound _58\nnumbers _tres'
key Right
check "keyed: Right says the next value" said keyed $'words Velocidade da fala\nnumbers _tres\nnumbers _quatro'
use_speed 4  # the speed chosen is heard at once
key Escape
check "keyed: Esc asks whether to save, at speed 4" said keyed $'numbers _quatro\nwords Salvar as altera\xc3\xa7\xc3\xb5es'
key s
wait_menu
check "keyed: exit code 0" [ "$status" -eq 0 ]
check "keyed: S says it was saved" heard_pieces keyed $'words Salvar as altera\xc3\xa7\xc3\xb5es\nwords Configura\xc3\xa7\xc3\xb5es salvas'
check "keyed: the window showed the new speed" drew_line "$work/keyed.log" "> Velocidade da fala: 4"
sed '0,/^VELOCIDADE=3\r$/s//VELOCIDADE=4\r/' "$work/start.ini" > "$work/expected.ini"
check "keyed: VELOCIDADE=4, every other byte unchanged" cmp "$settings" "$work/expected.ini"

# 1b. Down, Right, Enter: the line's value saved at once, nothing asked.
cp "$work/start.ini" "$settings"
use_speed 3
start_menu entered
check "Enter: the greeting says how to save" said entered $'words  Enter\nsound _58\nwords  salva e sai'
key Down
check "Enter: Down says the line and its place" said entered $'numbers _tres\nwords  Item \nnumbers _dois'
key Right
check "Enter: the new speed said" said entered $'numbers _dois\nnumbers _quatro'
use_speed 4
key Return
wait_menu
check "Enter: exit code 0" [ "$status" -eq 0 ]
check "Enter: VELOCIDADE=4, every other byte unchanged" cmp "$settings" "$work/expected.ini"

# 2. Esc then N leaves without saving; Esc with nothing changed ends at once;
#    Alt+F4 asks as Esc does.
cp "$work/start.ini" "$settings"
start_menu discard
check "discard: the window spoke" wait_for 60 sound_started
key Down Right Escape
check "discard: Esc asks" said discard $'words Salvar as altera\xc3\xa7\xc3\xb5es'
key n
wait_menu
check "Esc, N: exit code 0" [ "$status" -eq 0 ]
check "Esc, N: the file unchanged" cmp -s "$settings" "$work/start.ini"
start_menu quick
check "quick: the window spoke" wait_for 60 sound_started
started=$(date +%s%N)
key Escape
wait_menu
took=$(( ($(date +%s%N) - started) / 1000000 ))
check "Esc alone: exit code 0 within 3 s ($took ms)" all_hold "$status" -eq 0 -- "$took" -lt 3000
check "Esc alone: the file unchanged" cmp -s "$settings" "$work/start.ini"
start_menu closed
check "closed: the window spoke" wait_for 60 sound_started
key Down
check "closed: Down says the speed line" said closed $'numbers _tres'
key Right
check "closed: the new speed said" said closed $'numbers _tres\nnumbers _quatro'
key alt+F4
check "Alt+F4 with a change: asks first" said closed $'numbers _quatro\nwords Salvar as altera\xc3\xa7\xc3\xb5es'
key n
wait_menu
check "Alt+F4, N: exit code 0, the file unchanged" all_hold "$status" -eq 0 -- \
  "$(cmp -s "$settings" "$work/start.ini" && echo same)" = same

# 3. The human voice: its sample in the engine's voice, saved, and the next report spoken with it.
cp "$work/start.ini" "$settings"
start_menu human
check "human voice: the window spoke" wait_for 60 sound_started
key Right
engine_spoke() { [ -n "$(find "$capture" -name '*-16000-1-S16_LE.raw' -size +8k)" ]; }
check "human voice: the engine says the sample" wait_for 60 engine_spoke
key Return
wait_menu
check "human voice: exit code 0" [ "$status" -eq 0 ]
tr -d '\r' < "$settings" > "$work/human.ini"
check "human voice: SAPI=SIM under [TRADUTOR], TIPOSAPI=3 in a new [SERVFALA]" \
  all_hold "$(sed -n '/^\[TRADUTOR\]$/,/^\[/p' "$work/human.ini" | grep -c '^SAPI=SIM$')" -eq 1 -- \
  "$(tail -n2 "$work/human.ini" | tr '\n' ' ')" = '[SERVFALA] TIPOSAPI=3 ' 
mkdir -p "$work/report.capture"
VOLTANOR_CAPTURE_DIR=$work/report.capture run_program "$work/report.log" -- mains=0 battery=Discharging \
  full=5000000 now=4000000 current=1600000 -- "$VOLTANOR_EXE"
report_bytes=$(cat "$work"/report.capture/*-16000-1-S16_LE.raw 2>/dev/null | wc -c)
check "human voice: the next report is 16 kHz engine speech ($report_bytes bytes)" [ "$report_bytes" -gt 128000 ]

# refused_save NAME: Down, Right, Esc, S in a menu whose save fails; the failure
# is spoken, then Esc goes back to the menu and Esc, N leave with exit code 5.
not_saved=$'words As configura\xc3\xa7\xc3\xb5es n\xc3\xa3o foram salvas'
refused_save() {
  start_menu "$1"
  check "$1: the window spoke" wait_for 60 sound_started
  key Down Right Escape
  check "$1: Esc asks" said "$1" $'words Salvar as altera\xc3\xa7\xc3\xb5es'
  key s
  check "$1: the failure is spoken" said "$1" "$not_saved"
  key Escape
  check "$1: Esc asks again" said "$1" "$not_saved"$'\nwords Salvar as altera\xc3\xa7\xc3\xb5es'
  key n
  wait_menu
  check "$1: exit code 5" [ "$status" -eq 5 ]
}
# shown_reason NAME TEXT: the window showed the text; the message may wrap
# anywhere, so it is looked for with the blanks left out.
shown_reason() { grep -qF "$(printf '%s' "$2" | tr -d ' ')" <(drawn_texts "$work/$1.log" | tr -d ' \n'); }

# 4. A read-only file: told on screen and aloud, kept as it was, exit code 5.
cp "$work/start.ini" "$settings"
chmod a-w "$settings"
refused_save readonly
check "readonly: the message on screen names the file" shown_reason readonly \
  "$(printf 'As configura\xc3\xa7\xc3\xb5es n\xc3\xa3o foram salvas: o arquivo C:\\windows\\ORAVIX.INI \xc3\xa9 somente leitura.')"
check "readonly: the file unchanged" cmp -s "$settings" "$work/start.ini"
chmod u+w "$settings"

# 5. A file in UTF-16 (zero bytes in it): told, kept as it was.
iconv -f CP1252 -t UTF-16 "$work/start.ini" > "$work/wide.ini"
cp "$work/wide.ini" "$settings"
refused_save wide
check "wide: the reason on screen" shown_reason wide "$(printf 'n\xc3\xa3o \xc3\xa9 um arquivo de texto simples.')"
check "wide: the file unchanged" cmp -s "$settings" "$work/wide.ini"
cp "$work/start.ini" "$settings"

# 5b. Notepad's UTF-8 save: Windows sees no [TRADUTOR] behind the byte-order
#     mark, Wine does; told with the line's number, kept as it was.
{ printf '\xef\xbb\xbf'; sed '1,3d' "$work/start.ini"; } > "$work/marked.ini"
cp "$work/marked.ini" "$settings"
refused_save marked
check "marked: the reason on screen" shown_reason marked "$(printf 'a linha 1 do arquivo C:\\windows\\ORAVIX.INI pode ser lida de dois jeitos.')"
check "marked: the file unchanged" cmp -s "$settings" "$work/marked.ini"
cp "$work/start.ini" "$settings"

# 6. The elevated save's private option: the changes on its command line, saved
#    only when the menu itself offers every one, into the file it finds itself.
private_save() { status=0; "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /configurar "$1" </dev/null &>/dev/null || status=$?; }
cp "$work/start.ini" "$settings"
private_save '[TRADUTOR]VELOCIDADE=5[VOLTANOR]AVISOS=15,5'
{ sed '0,/^VELOCIDADE=3\r$/s//VELOCIDADE=5\r/; s/^AVISOS=[^\r]*/AVISOS=15,5/' "$work/start.ini"; } > "$work/expected.ini"
check "private save: exit code 0" [ "$status" -eq 0 ]
check "private save: the changes saved" cmp "$settings" "$work/expected.ini"
# Another section's folder key, a new section, a speed of 99999, a key holding
# "=", a section holding "]", the old form's file name: refused, file byte for byte.
for foreign in '[TRADUTOR]DIRLETRAS=C:\x' '[NOVA]CHAVE=sim' '[TRADUTOR]VELOCIDADE=99999' \
               '[VOLTANOR]AVISOS=15,5=1' '[TRADUTOR]VELOCIDADE=4[VOL]TANOR]AVISOS=0' "$(windows_path "$work/start.ini")"; do
  cp "$work/start.ini" "$settings"
  private_save "$foreign"
  check "private save of $foreign: exit code 5, the file unchanged" all_hold "$status" -eq 5 -- \
    "$(cmp -s "$settings" "$work/start.ini" && echo same)" = same
done
# Files as people and other programs write them: each changed as read, or refused untouched.
while IFS='|' read -r name before after; do
  printf "$before" > "$work/$name.ini"
  cp "$work/$name.ini" "$settings"
  private_save '[TRADUTOR]VELOCIDADE=4'
  if [ -z "$after" ]; then
    check "$name: exit code 5, the file unchanged" all_hold "$status" -eq 5 -- "$(cmp -s "$settings" "$work/$name.ini" && echo same)" = same
  else
    printf "$after" > "$work/$name.expected"
    check "$name: exit code 0, only the speed changed" all_hold "$status" -eq 0 -- "$(cmp -s "$settings" "$work/$name.expected" && echo same)" = same
  fi
done <<'ROWS'
byte-order mark|\xef\xbb\xbf[TRADUTOR]\r\nVELOCIDADE=3\r\nDIRLETRAS=C:\\L\r\n|
lone CR between keys|[TRADUTOR]\r\nVELOCIDADE=3\rDIRLETRAS=C:\\L\r\n|[TRADUTOR]\r\nVELOCIDADE=4\rDIRLETRAS=C:\\L\r\n
lone CR before the key|[TRADUTOR]\rVELOCIDADE=3\r\nDIRLETRAS=C:\\L\r\n|[TRADUTOR]\rVELOCIDADE=4\r\nDIRLETRAS=C:\\L\r\n
CR only|[TRADUTOR]\rSAPI=NAO\r[VOLTANOR]\rAVISOS=10\r|[TRADUTOR]\rSAPI=NAO\rVELOCIDADE=4\r[VOLTANOR]\rAVISOS=10\r
key without =|[TRADUTOR]\r\nVELOCIDADE\r\nVELOCIDADE=3\r\n|[TRADUTOR]\r\nVELOCIDADE=4\r\nVELOCIDADE=3\r\n
ROWS
cp "$work/start.ini" "$settings"

finish
