#!/usr/bin/env bash
# Under Wine, on battery: with [VOLTANOR] RELATORIO=CURTO the report is one
# sentence, and /ajuda gives the help; each shown, spoken, with exit code 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
trap 'restore_settings "$work"; rm -rf "$work"' EXIT
keep_settings "$work"
{ installed | sed '/^\[VOLTANOR\]/,$d'; printf '[VOLTANOR]\nRELATORIO=CURTO\n'; } > "$settings"
run() { # NAME [OPTION]: the sound captured in NAME-sound
  export VOLTANOR_CAPTURE_DIR=$work/$1-sound
  mkdir -p "$VOLTANOR_CAPTURE_DIR"
  run_program "$work/$1" -- mains=0 battery=Discharging full=5000000 now=4000000 current=1600000 -- "$VOLTANOR_EXE" "${@:2}"
  check "$1: exit code 0" [ "$status" -eq 0 ]
}
run short
check "short: only the sentence shown" diff <(drawn_texts "$work/short" | grep -v '^Voltanor') \
  <(echo "80 por cento, 2 horas e 30 minutos restantes. Energia externa desligada.")
check "short: spoken" spoke short "$(printf '%s\n' 'numbers _oitenta' 'words  por cento' 'sound _44' 'numbers _duas' \
  'words  horas e ' 'numbers _trinta' 'words  minutos restantes' 'sound _46' 'words  Energia externa desligada' 'sound _46')"
run help /ajuda
check "help: shown, first line" drew_line "$work/help" "O Voltanor diz o estado da bateria, na tela e em voz alta."
check "help: shown, the hotkey" drew_line "$work/help" "Atalho de teclado: Ctrl+Alt+Shift+B, em qualquer lugar."
check "help: spoken" spoke help "$(printf '%s\n' 'words O Voltanor diz o estado da bateria' 'sound _47' 'words vigiar' \
  'words Atalho de teclado' 'words Control' 'sound _44' 'words  Alt' 'sound _44' 'words Configurações' 'words Control' 'words Arquivo de configurações' 'sound _46')"
finish
