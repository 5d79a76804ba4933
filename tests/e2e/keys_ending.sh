#!/usr/bin/env bash
# The console window ends the program from the keyboard or on a close request:
# Ctrl+Break with exit code 255; Alt+F4 and a WM_CLOSE from another program
# with exit code 0.  In every case no key was read.
source "$(dirname "$0")/lib/keys.sh"

start_reader 0 1 "$work/break"
xdotool key ctrl+Break
wait_reader
check "Ctrl+Break: exit code 255" [ "$status" -eq 255 ]
check "Ctrl+Break: no key read" [ ! -e "$work/break" ]

start_reader 0 1 "$work/altf4"
xdotool key alt+F4
wait_reader
check "Alt+F4: exit code 0" [ "$status" -eq 0 ]
check "Alt+F4: no key read" [ ! -e "$work/altf4" ]

start_reader 1 1 "$work/close"
closer=0
timeout 60 "$scripts/wine-exec.sh" "$VOLTANOR_BIN_DIR/close_console.exe" "$ready_caption" \
  >/dev/null 2>&1 </dev/null || closer=$?
check "WM_CLOSE: the other program found the window" [ "$closer" -eq 0 ]
wait_reader
check "WM_CLOSE: exit code 0" [ "$status" -eq 0 ]
check "WM_CLOSE: no key read" [ ! -e "$work/close" ]

finish
