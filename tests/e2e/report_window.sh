#!/usr/bin/env bash
# voltanor.exe, run for real under Wine with made-up power supplies, shows the
# right report in its window and ends with exit code 0.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# On battery: 4 of 5 Ah left, drawing 1.6 A: 9000 s left, 11250 s on a full
# charge, 80 % (high), mains off.
run_program "$work/discharging" -- mains=0 battery=Discharging full=5000000 now=4000000 current=1600000 \
  -- "$VOLTANOR_EXE"
check "on battery: exit code 0" [ "$status" -eq 0 ]
for line in "2 horas e 30 minutos" "80 por cento restante." "Nível da bateria: alto." \
            "Duração máxima: 11250 segundos. Energia externa: desligada."; do
  check "on battery: the window showed '$line'" drew_line "$work/discharging" "$line"
done

# Charging at 20 %: low and charging, remaining time unknown, mains on.
run_program "$work/charging" -- mains=1 battery=Charging full=5000000 now=1000000 current=1600000 \
  -- "$VOLTANOR_EXE"
check "charging: exit code 0" [ "$status" -eq 0 ]
check "charging: percentage line" drew_line "$work/charging" "20 por cento restante."
check "charging: level line" drew_line "$work/charging" "Nível da bateria: baixo. Carregando. Energia externa: ligada."
# (The installed settings ask for the time until full, a line of its own.)
check "charging: no remaining-time line" drew_nothing_matching "$work/charging" '^[0-9].*\(hora\|minuto\)'
check "charging: no full-charge line" drew_nothing_matching "$work/charging" 'Duração' 

# No power supplies at all: no system battery, mains on.
run_program "$work/none" -- -- "$VOLTANOR_EXE"
check "no battery: exit code 0" [ "$status" -eq 0 ]
check "no battery: the whole report" drew_line "$work/none" "Não há bateria. Energia externa: ligada."
check "no battery: no percentage" drew_nothing_matching "$work/none" 'por cento' 

finish
