#!/usr/bin/env bash
# The installer and the uninstaller speak by themselves (installer/fala.nsh,
# fala.dll), in a Wine prefix of their own, driven with keys as a blind user
# drives them: Enter on each page of an installation says every page in
# order (the welcome page about as long as espeak-ng's pt-br voice says the
# same text) and installs what /S installs; Enter on each page of the
# uninstallation says its pages and leaves the prefix as before; with the
# screen-reader flag set nothing is said and the installation works; /FALA
# speaks even then, Esc stops the welcome page at once and the cancel
# question is said (Tab says each button), and answering it leaves nothing
# installed.  Nothing of the
# voice is left in the temporary folders.
source "$(dirname "$0")/lib/installer_prefix.sh"
VOLTANOR_PACKAGE_FAST=1 installer_prefix_start  # what is checked here needs no compression
speech_log=$work/fala.log  # what the voice said, code page 1252 (VOLTANOR_FALA_LOG)
export VOLTANOR_FALA_LOG
VOLTANOR_FALA_LOG=$(windows_path "$speech_log")
capture=$work/capture
mkdir -p "$capture"
export VOLTANOR_CAPTURE_DIR=$capture

said() { iconv -f CP1252 -t UTF-8 "$speech_log" 2>/dev/null; }
# page_said PHRASE: a text holding PHRASE was said to its end (or stopped), and
# nothing more is being said.
page_said() {
  said | awk -v phrase="$1" 'index($0, phrase) { seen = 1 } seen && /^\((fim|parado)\)$/ { done = 1 }
    { last = $0 } END { exit !(done && last ~ /^\((fim|parado)\)$/) }'
}
wait_said() { # PHRASE TITLE: two minutes at most, less once the window TITLE has gone
  local tenths
  for ((tenths = 0; tenths < 1200; tenths++)); do
    page_said "$1" && return 0
    ((tenths < 100)) || [ -n "$(xdotool search --name "$2" 2>/dev/null)" ] || return 1
    sleep 0.1
  done
  return 1
}
press() { # WINDOW-NAME KEY [OTHER-THAN]: the key on the first window of that name
  local window
  window=$(timeout 30 xdotool search --sync --name "$1" 2>/dev/null | grep -vx "${3:-none}" | head -n1)
  [ -n "$window" ] && { timeout 10 xdotool windowfocus --sync "$window"; xdotool key --clearmodifiers "$2"; } 2>/dev/null
}
# loud_seconds FILE...: the 10 ms frames (as seconds) whose level is above
# -40 dB of full scale; raw captures are the default voice's 11025 Hz 8-bit
# samples, anything else a sound file sox reads.
loud_seconds() {
  local f
  for f in "$@"; do
    case $f in
      *.raw) sox -t raw -r 11025 -e unsigned -b 8 -c 1 "$f" -t raw -e signed -b 16 -c 1 -r 11025 - ;;
      *) sox "$f" -t raw -e signed -b 16 -c 1 -r 11025 - ;;
    esac 2>/dev/null
  done | python3 -c '
import sys, array, math
samples = array.array("h", sys.stdin.buffer.read())
frame, loud = 110, 0
for start in range(0, len(samples) - frame + 1, frame):
    part = samples[start:start + frame]
    if math.sqrt(sum(s * s for s in part) / frame) > 32768 * 0.01:
        loud += 1
print("%.2f" % (loud / 100))'
}
espeak_seconds() { # TEXT
  espeak-ng -v pt-br -w "$work/espeak.wav" "$1" 2>/dev/null && loud_seconds "$work/espeak.wav"
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# keyed NAME TITLE PHRASE...: runs "${run[@]}", and on each page waits until
# the text holding the page's PHRASE has been said, keeps what was captured
# for it in $work/NAME.N, and presses Enter; sets $status.
keyed() {
  local name=$1 title=$2 page=0 phrase
  shift 2
  : >"$speech_log"
  "${wine[@]}" "${run[@]}" >"$work/$name.log" 2>&1 </dev/null &
  pid=$!
  for phrase in "$@"; do
    page=$((page + 1))
    wait_said "$phrase" "$title" || echo "  $name, page $page: \"$phrase\" was not said"
    wait_captured "$capture"
    mkdir -p "$work/$name.$page"
    mv "$capture"/*.raw "$work/$name.$page/" 2>/dev/null
    press "$title" Return
  done
  wait_ended "$pid"
  installer_gone
  # The watcher the installation started says it is on: not the installer's words.
  end_watchers
  server -w
  wait_captured "$capture"
  rm -f "$capture"/*.raw
  cp "$speech_log" "$work/$name.said"
}
# texts_in_order PHRASE...: the log's texts hold the phrases in this order.
texts_in_order() {
  said | awk -v list="$(printf '%s\n' "$@")" 'BEGIN { n = split(list, want, "\n") }
    { while (i < n && index($0, want[i + 1])) i++ } END { exit !(i == n) }'
}
no_voice_left() { # the plug-in's folders are gone from the temporary folders
  ! find "$drive/windows/temp" "$drive"/users/*/Temp -name 'fala*' 2>/dev/null | grep -q .
}
masked() { sed -E 's/"[0-9]+-[0-9]+"$/"(run)"/' "$work/$1.reg"; }

snapshot before

# What a silent installation installs, for the keyed one to match.
installed "$work/setup.exe" /S
check "/S: exit code 0 (got $status)" [ "$status" -eq 0 ]
snapshot silent
installed "$program_dir/desinstalar.exe" /S
wait_captured "$capture"
check "/S: nothing was said" [ ! -s "$speech_log" ]
check "/S: not a sound, the installer's nor the (quiet) watcher's" [ -z "$(ls "$capture")" ]

# 1. Enter on each page of the installation.
install_pages=("Instalação do Voltanor" "Acordo de Licença" "Espaço para marcar" "Pasta escolhida"
               "Instalação Completa" "Ouvir o estado da bateria agora")
run=("$work/setup.exe")
keyed install '^Instala.*Voltanor' "${install_pages[@]}"
show_on_failure "$work/install.log" "$speech_log"
check "keyed install: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "keyed install: each page said in order, with its keys" texts_in_order \
  "Instalação do Voltanor" "Tecle Enter para continuar. Esc para cancelar" \
  "Acordo de Licença" "Tecle Enter para concordar. Esc para cancelar" \
  "Escolher Componentes" "O aviso de bateria vem marcado" "Vigiar a bateria ao entrar no Windows: marcado. Espaço para marcar ou desmarcar" \
  "Escolha o Local da Instalação" "Tecle Enter para instalar" "Pasta escolhida" \
  "Instalando" "Instalação Completa" \
  "Voltanor instalado" "Control, Alt, Shift e B" "Tecle Enter para concluir" "Ouvir o estado da bateria agora: desmarcado"
check "keyed install: the folder said" grep -q 'Pasta escolhida: C: barra Program Files' <(said)
welcome=$(said | grep -m1 'Instalação do Voltanor')
ours=$(loud_seconds "$work"/install.1/*.raw)
theirs=$(espeak_seconds "$welcome")
check "espeak-ng's pt-br read the welcome page: $theirs loud seconds" at_least "$theirs" 5
check "keyed install: the welcome page said for $ours loud seconds, espeak-ng's pt-br $theirs (60 % at least)" \
  at_least "$ours" "$(awk -v t="$theirs" 'BEGIN { print t * 0.6 }')"
for page in 2 3 4 5 6; do
  loud=$(loud_seconds "$work"/install.$page/*.raw)
  check "keyed install: page $page (\"${install_pages[page - 1]}\") heard: $loud loud seconds" at_least "$loud" 1.5
done
snapshot keyed
diff "$work/silent.files" "$work/keyed.files" >"$work/keyed.files.diff"
diff <(masked silent) <(masked keyed) >"$work/keyed.reg.diff"
show_on_failure "$work/keyed.files.diff" "$work/keyed.reg.diff"
check "keyed install: the same files as /S installs" [ ! -s "$work/keyed.files.diff" ]
check "keyed install: the same registry as /S writes" [ ! -s "$work/keyed.reg.diff" ]
check "keyed install: nothing of the voice left in the temporary folders" no_voice_left

# 2. Enter on each page of the uninstallation.
uninstall_pages=("Pasta escolhida" "Desinstalação Completa")
run=("$program_dir/desinstalar.exe")
keyed uninstall '^Remo.*Voltanor' "${uninstall_pages[@]}"
show_on_failure "$work/uninstall.log" "$speech_log"
check "keyed uninstall: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "keyed uninstall: each page said in order" texts_in_order "Desinstalar o Voltanor" \
  "Tecle Enter para remover. Esc para cancelar" "Pasta escolhida" "Desinstalando" "Desinstalação Completa"
for page in 1 2; do
  loud=$(loud_seconds "$work"/uninstall.$page/*.raw)
  check "keyed uninstall: page $page heard: $loud loud seconds" at_least "$loud" 1.5
done
unchanged_since before "keyed uninstall"
check "keyed uninstall: nothing of the voice left in the temporary folders" no_voice_left

# 3. The screen-reader flag set (as screen readers set it).
"${wine[@]}" reg add 'HKCU\Control Panel\Accessibility\Blind Access' /v On /t REG_SZ /d 1 /f >/dev/null 2>&1
server -w
snapshot reader
# /FALA speaks even so; Esc stops the welcome page at once and asks.
: >"$speech_log"
"${wine[@]}" "$work/setup.exe" /FALA >"$work/esc.log" 2>&1 </dev/null &
pid=$!
for _ in $(seq 300); do [ "$(cat "$capture"/*.raw 2>/dev/null | wc -c)" -ge 11025 ] && break; sleep 0.1; done
main=$(xdotool search --name '^Instala.*Voltanor' 2>/dev/null | head -n1)
press '^Instala.*Voltanor' Escape
wait_said "Deseja cancelar a instalação" '^Instala.*Voltanor'
show_on_failure "$work/esc.log" "$speech_log"
check "/FALA under a screen reader, Esc: the welcome page stopped, then the question said with its answers" \
  texts_in_order "Instalação do Voltanor" "(parado)" "Deseja cancelar a instalação do Voltanor? Nada será instalado. Respostas: Sim ou Não"
loud=$(loud_seconds "$capture"/*.raw)
check "/FALA, Esc: the welcome page and the question heard for $loud loud seconds" at_least "$loud" 2
# Tab twice: each button reached is said, and the first one has the focus again.
for _ in 1 2; do press '^Instala.*Voltanor' Tab "$main"; sleep 0.5; done
wait_said ", botão." '^Instala.*Voltanor'
check "Esc: Tab on the question says each button it reaches (both)" \
  [ "$(said | grep ', botão\.$' | sort -u | wc -l)" -eq 2 ]
press '^Instala.*Voltanor' Return "$main"
wait_ended "$pid"
server -w
check "Esc, then yes: exit code 1 (got $status)" [ "$status" -eq 1 ]
unchanged_since reader "Esc, then yes"
check "Esc, then yes: nothing of the voice left in the temporary folders" no_voice_left

# Without /FALA: Enter until the installer ends, and not a sound (the watcher
# left out: it speaks with the program's voice, and the installer is checked).
rm -f "$capture"/*.raw
: >"$speech_log"
"${wine[@]}" "$work/setup.exe" /VIGIAR=NAO >"$work/reader.log" 2>&1 </dev/null &
pid=$!
for _ in $(seq 80); do
  kill -0 "$pid" 2>/dev/null || break
  press '^Instala.*Voltanor' Return
  sleep 0.5
done
wait_ended "$pid"
server -w
wait_captured "$capture"
check "screen reader: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "screen reader: installed" [ -s "$program_dir/voltanor.exe" ]
check "screen reader: nothing said" [ ! -s "$speech_log" ]
check "screen reader: no sound at all" [ -z "$(ls "$capture")" ]
installed "$program_dir/desinstalar.exe" /S
check "screen reader: uninstalled with /S (exit code $status)" [ "$status" -eq 0 ]

finish
