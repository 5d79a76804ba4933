# Shared by the key scripts: key_reader.exe in the background, driven with
# real key strokes from the X server (xdotool) once its window is ready.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ready_caption="Voltanor teclas prontas"

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

# start_reader MODE COUNT FILE: runs key_reader.exe and waits until its window
# shows the ready caption, and gives that window the keyboard focus (there is
# no window manager on the test display to do it).
start_reader() {
  timeout 60 "$scripts/wine-exec.sh" "$VOLTANOR_BIN_DIR/key_reader.exe" "$1" "$2" \
    "$(windows_path "$3")" >"$3.log" 2>&1 </dev/null &
  reader_pid=$!
  reader_window=$(timeout 60 xdotool search --sync --name "^$ready_caption\$" | head -n1)
  if [ -n "$reader_window" ]; then
    timeout 20 xdotool windowfocus --sync "$reader_window"
  else
    echo "the reader's window did not appear"
  fi
}

# wait_reader: waits for key_reader.exe to end; sets $status.
wait_reader() {
  status=0
  wait "$reader_pid" || status=$?
}

# same_bytes FILE 'HEX HEX ...': the file holds exactly these bytes.
same_bytes() {
  local got
  got=$(od -An -v -tx1 "$1" 2>/dev/null | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  [ "$got" = "$2" ] || { echo "  got: '$got'"; return 1; }
}
