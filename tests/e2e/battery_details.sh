#!/usr/bin/env bash
# voltanor.exe /detalhes under Wine, where no battery device answers: the whole
# report and "Os detalhes da bateria não estão disponíveis.", shown and spoken, exit
# code 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/pieces.sh"
work=$(mktemp -d)
trap 'restore_settings "$work"; rm -rf "$work"' EXIT
keep_settings "$work"
check "the native speech tool is built" [ -x "$speaker" ]
installed > "$settings"

export VOLTANOR_CAPTURE_DIR=$work/none-sound
mkdir -p "$VOLTANOR_CAPTURE_DIR"
run_program "$work/none" -- mains=0 battery=Discharging full=5000000 now=4000000 current=1600000 \
  -- "$VOLTANOR_EXE" /detalhes
check "exit code 0" [ "$status" -eq 0 ]
check "the window showed the report and the line, nothing else" diff <(drawn_texts "$work/none" | grep -v '^Voltanor') \
  <(printf '%s\n' "2 horas e 30 minutos" "80 por cento restante." "Nível da bateria: alto." \
      "Duração máxima: 11250 segundos. Energia externa: desligada." "Os detalhes da bateria não estão disponíveis.")
check "spoken, the line after the report" spoke none "$discharging_report_pieces
words Os detalhes da bateria não estão disponíveis
sound _46"

finish
