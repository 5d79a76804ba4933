#!/usr/bin/env bash
# voltanor.exe /manual under Wine, driven with real key strokes: the manual
# beside the program read aloud from the top, Page Down to the next section
# (its number and title said), Down to the next paragraph, F1 the keys, a
# section's number typed, Esc out.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
mkdir -p "$work/manual-sound"
show_on_failure "$work/manual.log"
VOLTANOR_CAPTURE_DIR=$work/manual-sound WINEDEBUG=trace+font timeout 180 \
  "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /manual >"$work/manual.out" 2>"$work/manual.log" </dev/null &
program=$!
window=$(timeout 60 xdotool search --sync --name '^Voltanor - Manual' | head -n1)
check "the reader's window appeared" [ -n "$window" ]
[ -n "$window" ] && timeout 20 xdotool windowfocus --sync "$window"
key() { xdotool key --clearmodifiers "$@"; }
wait_for() { local i; for ((i = 0; i < $1 * 10; i++)); do "${@:2}" && return 0; sleep 0.1; done; return 1; }
said() { wait_for 60 spoke manual "$1" >/dev/null; }

check "greeting: the sections counted, the keys, then the manual from its title" \
  said $'numbers _doze\nwords  seções\nwords Setas para cima e para baixo\nwords Manual do Voltanor'
key Next
check "Page Down: the first section's number and title" \
  said $'words Manual do Voltanor\nwords Seção \nnumbers _um\nwords  O que o Voltanor faz'
check "the window shows the heading" wait_for 20 drew_line "$work/manual.log" "Seção 1. O que o Voltanor faz"
key Down
check "Down: the section's first paragraph" said $'words  O que o Voltanor faz\nwords Aberto'
key F1
check "F1: the keys" said $'words Aberto\nwords Setas para cima e para baixo'
key 1 1
check "1 1: section 11" said $'words Setas para cima e para baixo\nwords Seção \nnumbers _onze\nwords  Com um leitor de tela'
key Escape
status=0; wait "$program" || status=$?
check "Esc: exit code 0" [ "$status" -eq 0 ]
finish
