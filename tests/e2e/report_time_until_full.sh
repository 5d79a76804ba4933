#!/usr/bin/env bash
# The report of a charging battery under Wine: with [VOLTANOR] TEMPOCARGA=SIM
# its empty first line says how long until full, in the window and aloud;
# without the section the report is the one the program always gave, in the
# window and in every piece of its sound.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
trap 'restore_settings "$work"; rm -rf "$work"' EXIT
keep_settings "$work"
check "the native speech tool is built" [ -x "$speaker" ]

# report NAME VOLTANOR-SECTION BATTERY...: runs the program with the installed
# settings, their [VOLTANOR] section replaced, capturing its sound in NAME.
report() {
  local name=$1 section=$2; shift 2
  { installed | sed '/^\[VOLTANOR\]/,$d'; printf '%b' "$section"; } > "$settings"
  export VOLTANOR_CAPTURE_DIR=$work/$name-sound
  mkdir -p "$VOLTANOR_CAPTURE_DIR"
  run_program "$work/$name" -- "$@" -- "$VOLTANOR_EXE"
  check "$name: exit code 0" [ "$status" -eq 0 ]
}
rest='sound _13
sound _10
numbers _vinte
words  por cento restante
sound _46
sound _13
sound _10
words Nível da bateria
sound _58
words  baixo
sound _46
words  Carregando
sound _46
words  Energia externa
sound _58
words  ligada
sound _46'

# Charging at 20 %: 4 Ah missing at 1.6 A, 2.5 hours until full.
charging=(mains=1 battery=Charging full=5000000 now=1000000 current=1600000)
report on '[VOLTANOR]\nTEMPOCARGA=SIM\n' "${charging[@]}"
check "on: the first line" drew_line "$work/on" "Carga completa em 2 horas e 30 minutos"
check "on: spoken" spoke on "words Carga completa em 
numbers _duas
words  horas e 
numbers _trinta
words  minutos
$rest"

report without '' "${charging[@]}"
check "without the section: no estimate" drew_nothing_matching "$work/without" 'Carga\|hora\|minuto'
check "without the section: the report's lines" diff <(drawn_texts "$work/without" | grep -v '^Voltanor') \
  <(printf '%s\n' "20 por cento restante." "Nível da bateria: baixo. Carregando. Energia externa: ligada.")
check "without the section: the same sound as always" spoke without "$rest"

# No rate to estimate from: the line stays empty.
report still '[VOLTANOR]\nTEMPOCARGA=SIM\n' mains=1 battery=Charging full=5000000 now=1000000 current=0
check "no charge rate: no estimate" drew_nothing_matching "$work/still" 'Carga'
finish
