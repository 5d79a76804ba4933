#!/usr/bin/env bash
# The console window in a process of its own for each way a run can end, and
# with settings files that change how it is created (the one installed in the
# Windows directory is put back afterwards).
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
program=$VOLTANOR_BIN_DIR/console_program.exe
ini=$WINEPREFIX/drive_c/windows/ORAVIX.INI
saved=
[ -f "$ini" ] && { saved=$work/saved.ini; cp "$ini" "$saved"; }
restore() {
  if [ -n "$saved" ]; then cp "$saved" "$ini"; else rm -f "$ini"; fi
  rm -rf "$work"
}
trap restore EXIT

run() { # name, arguments...: output in $work/name.out, drawing log in $work/name
  local name=$1; shift
  status=0
  show_on_failure "$work/$name.out" "$work/$name"
  WINEDEBUG=trace+font timeout 60 "$scripts/wine-exec.sh" "$program" "$@" \
    >"$work/$name.out" 2>"$work/$name" </dev/null || status=$?
}
printed() { grep -qF -- "$2" "$work/$1.out"; }

# No settings file at all; a copy in the current directory is not looked at.
rm -f "$ini"
printf '[VIDEO]\r\nCANTOTELA=N\r\nAMPLIF=5\r\n' >"$work/ORAVIX.INI"
cd "$work"; run defaults show; cd - >/dev/null
check "defaults: exit code 0" [ "$status" -eq 0 ]
check "defaults: shown normally, factor 2, Braille off" printed defaults "zoomed=0 factor=2 braille=0"
check "defaults: caption is the program's path" printed defaults "default caption is own path=1"
check "defaults: standard output drawn" drew_line "$work/defaults" "Linha de teste 42"
check "defaults: standard input read an edited line" drew_line "$work/defaults" "Dobro: 246"
check "defaults: wave done only while enabled" printed defaults "wave done calls=1 last=7"
check "defaults: pending keys discarded, window gone" printed defaults "end window=0 caption=[] defaultProcedure=0 keys=0"

# Maximized, Braille mode 3 taken as 1, only the first character of AMPLIF.
printf '[VIDEO]\r\nCANTOTELA=N\xc3O\r\nAMPLIF=12\r\n[BRAILLE]\r\nMODO=3\r\n' >"$ini"
run settings show
check "settings: exit code 0" [ "$status" -eq 0 ]
check "settings: maximized, factor 1, Braille mode 1" printed settings "zoomed=1 factor=1 braille=1"

# Values of any length and wild numbers neither crash nor hang the program.
long=$(head -c 30000 /dev/zero | tr '\0' '9')
{
  printf '[VIDEO]\r\nTABCORES=%s,,x,$,-,0x\r\nCORLETRA=-%s\r\nCORFUNDO=%s\r\n' "$long" "$long" "$long"
  printf 'FONTE=%s\r\nAMPLIF=%s\r\nLARGURALETRA=%s\r\nALTURALETRA=-%s\r\n' "$long" "$long" "$long" "$long"
  printf 'CANTOTELA=%s\r\nLENTO=%s\r\n[BRAILLE]\r\nMODO=%s\r\n' "$long" "$long" "$long"
} >"$ini"
run wild show
check "wild settings: exit code 0" [ "$status" -eq 0 ]
# MODO is "9...": Braille mode 1, in which the typed letter x is dropped.
check "wild settings: text still drawn" drew_line "$work/wild" "Dobro: 26"
printf '[VIDEO]\r\nLARGURALETRA=-7\r\nALTURALETRA=0\r\nTABCORES=garbage\r\nFONTE=\r\n' >"$ini"
run negative show
check "negative font sizes: exit code 0" [ "$status" -eq 0 ]
rm -f "$ini"

# A quit message, the break key and a destroyed window end with 255; the window
# then says that the program is over (unless it is gone).
caption=$(head -c 3000 /dev/zero | tr '\0' 'c')
run quit quit "$caption"
check "quit message: exit code 255" [ "$status" -eq 255 ]
check "quit message: end caption, default procedure" printed quit "end window=1 caption=[Programa terminado] defaultProcedure=1"
run break break
check "break key: exit code 255" [ "$status" -eq 255 ]
check "break key: end caption" printed break "caption=[Programa terminado] defaultProcedure=1"
run destroy destroy
check "destroyed window: exit code 255" [ "$status" -eq 255 ]
check "destroyed window: no end caption" printed destroy "end window=0"
run closemsg closemsg
check "close request: exit code 0" [ "$status" -eq 0 ]
check "close request: keys discarded, window gone" printed closemsg "end window=0 caption=[] defaultProcedure=0 keys=0"

finish
