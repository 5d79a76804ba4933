# Shared by the end-to-end scripts: running the real program under Wine with a
# faked battery, and reading back what its window drew.
set -uo pipefail
: "${VOLTANOR_SOURCE_DIR:?run through ctest (scripts/test.sh)}"
scripts=$VOLTANOR_SOURCE_DIR/scripts
e2e_failures=0
e2e_logs=()

# windows_path PATH: a Linux path as Wine names it on its Z: drive.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

# run_program LOG -- BATTERY-SETTINGS... -- EXE [ARGS]: runs EXE with the given
# power supplies, Wine logging every text drawing call into LOG; sets $status
# once the sound it played is all in $VOLTANOR_CAPTURE_DIR.
run_program() {
  local log=$1; shift
  [ "$1" = -- ] && shift
  local battery=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do battery+=("$1"); shift; done
  shift
  status=0
  show_on_failure "$log.out" "$log"
  WINEDEBUG=trace+font timeout 120 "$scripts/with-battery.sh" "${battery[@]}" -- \
    "$scripts/wine-exec.sh" "$@" >"$log.out" 2>"$log" </dev/null || status=$?
  wait_captured
}

# wait_captured [DIR]: waits (30 s at most) until every writer of sound into DIR
# (default $VOLTANOR_CAPTURE_DIR) has ended.  scripts/capture.sh copies each
# open of the wave device from a pipe, and a program that has ended can leave
# its last samples in that pipe: on a busy machine they reach the file later.
wait_captured() {
  local dir=${1:-${VOLTANOR_CAPTURE_DIR:-}} tenths
  [ -n "$dir" ] || return 0
  for ((tenths = 0; tenths < 300; tenths++)); do
    capture_writing "$dir" || return 0
    sleep 0.1
  done
  echo "  sound was still being written into $dir after 30 s"
}
# capture_writing DIR: a capture.sh, or the cat it became, still writes into DIR.
capture_writing() {
  local environ pid
  for environ in $(grep -lzxF -- "VOLTANOR_CAPTURE_DIR=$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}; pid=${pid%/environ}
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = cat ] && return 0
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q 'capture\.sh' && return 0
  done
  return 1
}

# drawn_texts LOG: every text the program drew, one per line, in UTF-8, with
# the blanks at the end of each removed.
drawn_texts() {
  perl -CO -ne 'while (/NtGdiExtTextOutW .*?L"((?:[^"\\]|\\.)*)"/g) {
      my $s = $1;
      $s =~ s/\\([0-9a-fA-F]{4})/chr(hex($1))/ge;
      $s =~ s/\\(.)/$1/g;
      $s =~ s/\s+$//;
      print "$s\n" if length $s; }' "$1"
}

# show_on_failure FILE...: the output of the program run last, whose end a
# failed check prints (the scripts' work folders are gone once they end).
show_on_failure() { e2e_logs=("$@"); }

check() { # description, command...; fails as the command does
  local what=$1; shift
  if "$@"; then echo "ok: $what"; return; fi
  echo "FAILED: $what"
  e2e_failures=$((e2e_failures + 1))
  local f
  for f in "${e2e_logs[@]}"; do
    [ -s "$f" ] || continue
    # Wine's text-drawing trace is the drawing log's bulk: its messages matter here.
    echo "  last lines of $f:"
    grep -v ':trace:' "$f" | tail -n 25 | sed 's/^/  | /'
  done
  e2e_logs=()
  return 1
}

# all_hold TEST [-- TEST]...: every `test` expression holds.  check takes one
# command: in `check WHAT [ a ] && [ b ]` the second test would decide nothing.
all_hold() {
  local part=()
  while [ $# -gt 0 ]; do
    if [ "$1" = -- ]; then test "${part[@]}" || return 1; part=(); else part+=("$1"); fi
    shift
  done
  test "${part[@]}"
}

drew_line() { grep -qxF -- "$2" <(drawn_texts "$1"); }

finish() {
  if [ "$e2e_failures" -ne 0 ]; then echo "$e2e_failures check(s) failed"; exit 1; fi
  echo "all checks passed"
}

drew_nothing_matching() { ! drawn_texts "$1" | grep -q -- "$2"; }

# The prefix's settings file, for scripts that run the program with settings of
# their own: keep_settings DIR sets it aside in DIR, restore_settings DIR puts
# it back (or removes the one written when there was none).
settings=${WINEPREFIX:-}/drive_c/windows/ORAVIX.INI
keep_settings() { [ ! -f "$settings" ] || cp "$settings" "$1/saved.ini"; }
restore_settings() { if [ -f "$1/saved.ini" ]; then cp "$1/saved.ini" "$settings"; else rm -f "$settings"; fi; }
