#!/usr/bin/env bash
# A screen reader's view of the window: accessible_reader.exe, another process,
# reads voltanor.exe's window through its accessible object while the report
# is spoken: a read-only text whose value is the report drawn, announced by a
# value change; the caret under the write position; the frame's own object;
# and calls made after the program has ended.  A long pause after each full
# stop keeps the program speaking while it is read; the reader then ends it
# with a key press.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
trap 'restore_settings "$work"; [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
keep_settings "$work"
base=$work/saved.ini
[ -f "$base" ] || base=$VOLTANOR_DATA_DIR/ORAVIX.INI
# The report as it stands without the time-until-full line.
sed -e 's/^\(PAUSAPONTO[1-5]\)=[0-9]*/\1=10000/' -e '/^TEMPOCARGA=/d' "$base" > "$settings"

fact() { sed -n "s/^$2=//p" "$1/facts.txt" | tr -d '\r'; }
[ -z "${KEEP_WORK:-}" ] || echo "work: $work"

# read_report NAME BATTERY...: the program with that battery, read by the reader.
read_report() {
  local name=$1; shift
  mkdir -p "$work/$name"
  timeout 120 "$scripts/wine-exec.sh" "$VOLTANOR_BIN_DIR/accessible_reader.exe" "$(windows_path "$work/$name")" \
    >"$work/$name/reader.out" 2>&1 </dev/null &
  local reader=$! tries
  # The program starts once the reader follows the events.
  for tries in $(seq 600); do [ -e "$work/$name/ready" ] && break; sleep 0.1; done
  run_program "$work/$name/drawn" -- "$@" -- "$VOLTANOR_EXE"
  reader_status=0
  wait "$reader" || reader_status=$?
  show_on_failure "$work/$name/facts.txt" "$work/$name/reader.out" "$work/$name/drawn"
}

# check_report NAME TEXT: the reader saw TEXT (lines joined with CR LF) and all
# the rest of what a screen reader relies on.
check_report() {
  local dir=$work/$1 text=$2 last_line lines
  check "$1: the program ended with exit code 0" [ "$status" -eq 0 ]
  check "$1: the reader ran to its end" all_hold "$reader_status" -eq 0 -- "$(fact "$dir" done)" = yes
  check "$1: role text (42), read-only" all_hold "$(fact "$dir" role)" = 42 -- "$(fact "$dir" read_only)" = yes
  check "$1: name is the caption" [ "$(fact "$dir" name)" = "Voltanor - Medidor de bateria" ]
  check "$1: the value is the report, byte for byte" cmp -s "$dir/value.txt" <(printf '%s' "$text")
  local line
  while IFS= read -r line; do
    [ -z "$line" ] || check "$1: the window drew the value's line '$line'" drew_line "$dir/drawn" "$line"
  done < <(tr -d '\r' < "$dir/value.txt"; echo)
  # Counted from the window's creation: the cleared screen, then the report.
  local changes
  changes=$(fact "$dir" value_changes)
  check "$1: value changes announced ($changes), one of them with the report" \
    all_hold "$(fact "$dir" value_changes_with_text)" -ge 1 -- "$changes" -le 3
  last_line=${text##*$'\r\n'}
  lines=$(printf '%s' "$text" | grep -c '')
  check "$1: the caret is under the write position" \
    [ "$(fact "$dir" caret_cell)" = "$(printf '%s' "$last_line" | iconv -f UTF-8 -t CP1252 | wc -c),$((lines - 1))" ]
  check "$1: the caption's change announced once" [ "$(fact "$dir" name_changes)" = 1 ]
  check "$1: the caret is 2 pixels high" [ "$(fact "$dir" caret_height)" = 2 ]
  check "$1: the client area's place comes from the standard object" [ "$(fact "$dir" location_is_client_area)" = yes ]
  local window_role
  window_role=$(fact "$dir" window_role)
  check "$1: the frame's object is the standard one ($window_role), not the text" \
    all_hold -n "$window_role" -- "${window_role#no object}" = "$window_role" -- "$window_role" != 42
  check "$1: the reader's key ended the program" [ "$(fact "$dir" program_ended)" = yes ]
  check "$1: the object held past the end fails cleanly" [ "$(fact "$dir" held_object_after_end)" = failed ]
}

read_report discharging mains=0 battery=Discharging full=5000000 now=4000000 current=1600000
check_report discharging $'2 horas e 30 minutos\r\n80 por cento restante.\r\nNível da bateria: alto.\r\nDuração máxima: 11250 segundos. Energia externa: desligada.'

read_report charging mains=1 battery=Charging full=5000000 now=1000000 current=1600000
check_report charging $'\r\n20 por cento restante.\r\nNível da bateria: baixo. Carregando. Energia externa: ligada.'

read_report none
check_report none 'Não há bateria. Energia externa: ligada.'
check "no window: asking for the object of a window that is gone answers nothing" \
  [ "$(fact "$work/none" object_after_window_gone)" = failed ]

finish
