#!/usr/bin/env bash
# Under Wine: with [VOLTANOR] RELATORIO=CURTO the report is one sentence, in
# the window and aloud, and /detalhes puts the details under it; /ajuda shows
# and says what the program does, its options, hotkey and settings file, and
# ends with exit code 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
trap 'restore_settings "$work"; rm -rf "$work"' EXIT
keep_settings "$work"
check "the native speech tool is built" [ -x "$speaker" ]
{ installed | sed '/^\[VOLTANOR\]/,$d'; printf '[VOLTANOR]\nTEMPOCARGA=SIM\nRELATORIO=CURTO\n'; } > "$settings"

# run NAME -- BATTERY... -- EXE [OPTION]: its sound captured in NAME-sound.
run() {
  local name=$1; shift
  export VOLTANOR_CAPTURE_DIR=$work/$name-sound
  mkdir -p "$VOLTANOR_CAPTURE_DIR"
  run_program "$work/$name" "$@"
  check "$name: exit code 0" [ "$status" -eq 0 ]
}
shown() { diff <(drawn_texts "$work/$1" | grep -v '^Voltanor') <(shift; printf '%s\n' "$@"); }

discharging=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
run short -- "${discharging[@]}" -- "$VOLTANOR_EXE"
check "short: one line" shown short "80 por cento, 2 horas e 30 minutos restantes. Energia externa desligada."
check "short: spoken" spoke short "numbers _oitenta
words  por cento
sound _44
numbers _duas
words  horas e 
numbers _trinta
words  minutos restantes
sound _46
words  Energia externa desligada
sound _46"

run charging -- mains=1 battery=Charging full=5000000 now=1000000 current=1600000 -- "$VOLTANOR_EXE"
check "charging: the time until full, the mains on a line of their own" shown charging \
  "20 por cento, carregando, carga completa em 2 horas e 30 minutos." "Energia externa ligada."

run details -- "${discharging[@]}" -- "$VOLTANOR_EXE" /detalhes
check "details: the short report, then the details" shown details \
  "80 por cento, 2 horas e 30 minutos restantes. Energia externa desligada." "Detalhes da bateria não disponíveis."

run help -- -- "$VOLTANOR_EXE" /ajuda
for line in "O Voltanor diz o estado da bateria, na tela e em voz alta." "/configurar: abre o menu de configurações, com voz." \
            "/ajuda: diz esta ajuda." "Atalho de teclado: Ctrl+Alt+Shift+B, em qualquer lugar." \
            "Configurações: arquivo ORAVIX.INI, na pasta do Windows." "Manual: Manual do Voltanor, no menu Iniciar."; do
  check "help: shown '$line'" drew_line "$work/help" "$line"
done
check "help: spoken" spoke help "words O Voltanor diz o estado da bateria
sound _47
words vigiar
sound _47
words ajuda
words Atalho de teclado
words Control
sound _43
words Configurações
words  arquivo ORAVIX
words Manual
sound _46"
finish
