#!/usr/bin/env bash
# voltanor.exe /configurar under Wine, driven with real key strokes: what each
# key says, which bytes of the settings file a save changes (only the changed
# values), leaving without saving, the human voice chosen, files that cannot be
# changed, and the elevated save's private option.
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

# 2. Esc then N leaves without saving; Esc with nothing changed ends at once.
cp "$work/start.ini" "$settings"
start_menu discard
wait_for 60 sound_started
key Down Right Escape
said discard $'words Salvar as altera\xc3\xa7\xc3\xb5es' >/dev/null
key n
wait_menu
check "Esc, N: exit code 0" [ "$status" -eq 0 ]
check "Esc, N: the file unchanged" cmp -s "$settings" "$work/start.ini"
start_menu quick
wait_for 60 sound_started
started=$(date +%s%N)
key Escape
wait_menu
took=$(( ($(date +%s%N) - started) / 1000000 ))
check "Esc alone: exit code 0 within 3 s ($took ms)" all_hold "$status" -eq 0 -- "$took" -lt 3000
check "Esc alone: the file unchanged" cmp -s "$settings" "$work/start.ini"

# 3. The human voice: its sample in the engine's voice, saved, and the next report spoken with it.
start_menu human
wait_for 60 sound_started
key Right
engine_spoke() { [ -n "$(find "$capture" -name '*-16000-1-S16_LE.raw' -size +8k)" ]; }
check "human voice: the engine says the sample" wait_for 60 engine_spoke
key Escape
sleep 1
key s
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
  wait_for 60 sound_started
  key Down Right Escape
  said "$1" $'words Salvar as altera\xc3\xa7\xc3\xb5es' >/dev/null
  key s
  check "$1: the failure is spoken" said "$1" "$not_saved"
  key Escape
  said "$1" "$not_saved"$'\nwords Salvar as altera\xc3\xa7\xc3\xb5es' >/dev/null
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

# 6. The elevated save's private option: well-formed changes are saved, others refused.
private_save() { status=0; "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /configurar "$(windows_path "$1")" </dev/null &>/dev/null || status=$?; }
printf 'TRADUTOR\tVELOCIDADE\t5\r\nNOVA\tCHAVE\tsim\r\n' > "$work/changes.txt"
private_save "$work/changes.txt"
{ sed '0,/^VELOCIDADE=3\r$/s//VELOCIDADE=5\r/' "$work/start.ini"; printf '\r\n\r\n[NOVA]\r\nCHAVE=sim\r\n'; } > "$work/expected.ini"
check "private save: exit code 0" [ "$status" -eq 0 ]
check "private save: the changes saved" cmp "$settings" "$work/expected.ini"
printf 'TRADUTOR VELOCIDADE 1\r\n' > "$work/bad.txt"
cp "$work/start.ini" "$settings"
private_save "$work/bad.txt"
check "private save: a malformed file, exit code 5" [ "$status" -eq 5 ]
check "private save: a malformed file changes nothing" cmp -s "$settings" "$work/start.ini"

finish
