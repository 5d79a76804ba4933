# Shared by the key scripts: key_reader.exe in the background, driven with
# real key strokes from the X server (xdotool) once its window is ready.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
work=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
ready_caption="Voltanor teclas prontas"

# start_reader MODE COUNT FILE: runs key_reader.exe and waits until its window
# shows the ready caption, and gives that window the keyboard focus (there is
# no window manager on the test display to do it).
start_reader() {
  show_on_failure "$3.log"
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
  wait_captured
}

# same_bytes FILE 'HEX HEX ...': the file holds exactly these bytes.
same_bytes() {
  local got
  got=$(od -An -v -tx1 "$1" 2>/dev/null | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  [ "$got" = "$2" ] || { echo "  got: '$got'"; return 1; }
}

# tone_loop FREQUENCY: one loop of the console window's square-wave tone, as
# hex bytes, computed here sample by sample: sample i belongs to the last
# cycle k that starts at or before it (start (k * 11025) div f); the first
# (11025 div f) div 2 samples of a cycle are 96, the rest 160; cycles are made
# while 44 + start <= 11025 - period, and the last sample is 128.
tone_loop() {
  awk -v f="$1" 'BEGIN {
    p = int(11025 / f)
    for (k = 0; 44 + int(k * 11025 / f) <= 11025 - p; k++) {
      s = int(k * 11025 / f)
      for (i = s; i <= s + p; i++) wave[i] = (i - s < int(p / 2)) ? 96 : 160
    }
    n = int(k * 11025 / f)
    wave[n - 1] = 128
    for (i = 0; i < n; i++) printf "%02x%s", wave[i], (i + 1 < n ? " " : "\n")
  }'
}

# starts_with_tone FILE FREQUENCY: the captured file begins with the tone: at
# least 256 samples (several whole periods) and, up to one loop, nothing else.
# (A 200 ms tone is stopped before the device has taken a whole loop.)
starts_with_tone() {
  local expected size count got silence
  expected=$(tone_loop "$2")
  size=$(stat -c %s "$1" 2>/dev/null || echo 0)
  # After the tone is stopped the device may still play some silence (128);
  # only what came before it is the tone.
  silence=$(perl -0777 -ne '/(\x80*)\z/; print length $1' "$1" 2>/dev/null)
  size=$(( size - ${silence:-0} ))
  count=$(( (${#expected} + 1) / 3 ))
  [ "$size" -lt "$count" ] && count=$size
  [ "$count" -ge 256 ] || { echo "  $1: only $size samples"; return 1; }
  got=$(head -c "$count" "$1" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  [ "$got" = "${expected:0:$((count * 3 - 1))}" ] || { echo "  $1 does not begin with the $2 Hz tone"; return 1; }
}
