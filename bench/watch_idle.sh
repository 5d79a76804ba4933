#!/usr/bin/env bash
# The battery watcher (voltanor.exe /vigiar) under Wine on a faked battery:
# its processor time while nothing changes, and its memory over many
# announcements (mains switched on and off each time the last one was said).
#   bench/watch_idle.sh [IDLE_SECONDS] [ANNOUNCEMENTS] [ARCH]   (600, 1000, i686)
# Processor time is the watcher process's own (user + system) and the Wine
# server's, from /proc; memory is the watcher's resident set (VmRSS).
# Needs build/ARCH/voltanor.exe and the voice data (scripts/build.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
idle=${1:-600} count=${2:-1000} arch=${3:-i686}
exe=$top/build/$arch/voltanor.exe
[ -f "$exe" ] || { echo "no $exe: build it first (scripts/build.sh)" >&2; exit 1; }
out=$top/build/bench/watch
rm -rf "$out"; mkdir -p "$out/supplies/AC" "$out/supplies/BAT0"

source "$top/scripts/wine-env.sh"
watcher=
ini=
finish() {
  [ -z "$watcher" ] || kill -9 "$watcher" 2>/dev/null || true
  [ -z "$ini" ] || { if [ -f "$out/saved.ini" ]; then cp "$out/saved.ini" "$ini"; else rm -f "$ini"; fi; }
  wine_env_stop
}
trap finish EXIT
wine_env_start private >/dev/null
ini=$WINEPREFIX/drive_c/windows/ORAVIX.INI
[ ! -f "$ini" ] || cp "$ini" "$out/saved.ini"
# As a new installation has it (Windows' levels, the time until full), with
# the reminders' default.
{ tr -d '\r' < "$out/saved.ini" | sed '/^\[VOLTANOR\]/,$d'
  printf '[VOLTANOR]\nAVISOS=WINDOWS\nTEMPOCARGA=SIM\nINTERVALO=%s\n' "${VOLTANOR_BENCH_INTERVAL:-5}"; } > "$ini"

b=$out/supplies/BAT0
echo Mains > "$out/supplies/AC/type"; echo 1 > "$out/supplies/AC/online"
echo Battery > "$b/type"; echo Charging > "$b/status"; echo 12000000 > "$b/voltage_now"
echo 5000000 > "$b/charge_full"; echo 2500000 > "$b/charge_now"; echo 1000000 > "$b/current_now"

export VOLTANOR_WATCH_LOG=$out/said.log VOLTANOR_CAPTURE_DIR=
: > "$VOLTANOR_WATCH_LOG"
"$top/scripts/with-battery.sh" folder="$out/supplies" -- "$top/scripts/wine-exec.sh" "$exe" /vigiar \
  >"$out/watcher.out" 2>&1 </dev/null &
watcher=$!
lines() { grep -cxF '(fim)' "$VOLTANOR_WATCH_LOG"; }  # announcements said to their end
wait_lines() { local i; for i in $(seq 600); do [ "$(lines)" -ge "$1" ] && return; sleep 0.1; done
               echo "the watcher said nothing for a minute; its output:" >&2
               sed 's/^/  | /' "$out/watcher.out" "$VOLTANOR_WATCH_LOG" >&2; exit 1; }
wait_lines 1
sleep 5  # the start-up's speech is over
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
server=
for p in $(pgrep wineserver || true); do
  tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && server=$p
done
rss() { awk '/^VmRSS/ {print $2}' "/proc/$watcher/status"; }

w0=$(cpu "$watcher"); s0=${server:+$(cpu "$server")}
sleep "$idle"
w1=$(cpu "$watcher"); s1=${server:+$(cpu "$server")}
seconds() { awk -v t="$(($2 - $1))" -v k="$ticks" 'BEGIN { printf "%.2f", t / k }'; }
echo "idle $idle s: watcher $(seconds "$w0" "$w1") s of processor time" \
     "${server:+, wineserver $(seconds "$s0" "$s1") s}; $(($(lines) - 1)) announcement(s)"
# (the Wine server's time is that of every process of the prefix, Wine's own among them)
awk -v t="$((w1 - w0))" -v k="$ticks" -v i="$idle" 'BEGIN {
  printf "  the watcher per 10 minutes: %.3f s (the aim: under 0.1 s)\n", t / k * 600 / i }'

said=$(lines)
echo "announcements: count resident KB"
echo "  0 $(rss)"
for n in $(seq "$count"); do
  echo $(((n + 1) % 2)) > "$out/supplies/AC/online"  # off, on, off, ...
  wait_lines $((said + n))
  case $n in 1 | 10 | 100 | 200 | 500 | 1000 | "$count") echo "  $n $(rss)" ;; esac
done
