#!/usr/bin/env bash
# voltanor.exe /vigiar under Wine on a faked battery whose files change while
# it runs: each change gives exactly its announcement (the texts through the
# watcher's test log, the warning tones in the captured sound) within two
# polling intervals, and nothing when nothing changes; AVISOS=WINDOWS where
# Wine has no power scheme warns at 20, 10 and 5; a second /vigiar is
# refused, /parar ends it, and a killed watcher can be started again.  Then,
# with a stand-in for Windows' levels and minutes of 2 seconds: the walk down
# through them, the critical warning repeated REPETIR minutes apart, a charger
# that does not charge, and the time until full when mains comes; with a
# voice that cannot start, /parar still ends it, and a watcher ends by itself.
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
supplies=$work/supplies
watcher=
cleanup() {
  [ -z "$watcher" ] || kill -9 "$watcher" 2>/dev/null
  restore_settings "$work"
  rm -rf "$work"
}
trap cleanup EXIT
keep_settings "$work"

interval=1
{ tr -d '\r' < "$VOLTANOR_DATA_DIR/ORAVIX.INI" | sed '/^\[VOLTANOR\]/,$d'
  printf '[VOLTANOR]\nAVISOS=WINDOWS\nINTERVALO=%s\n' "$interval"; } > "$settings"
export VOLTANOR_WATCH_LOG=$work/said.log VOLTANOR_CAPTURE_DIR=$work/capture
mkdir -p "$VOLTANOR_CAPTURE_DIR"

# power MAINS PERCENT [absent|STATUS]: the files Wine reads, each replaced
# whole (a reader never sees half a file), the mains last (so a change of mains
# is seen with its battery); 5 Ah full, drawing 1 A: PERCENT * 180 seconds left.
put() { echo "$2" > "$1.new" && mv "$1.new" "$1"; }
power() {
  mark=$(lines_said)  # what was said before the change
  mkdir -p "$supplies/AC" "$supplies/BAT0"
  local b=$supplies/BAT0 status=Discharging
  if [ "${3:-}" = absent ]; then rm -rf "$b"; else
    [ "$1" = 1 ] && status=Charging
    [ "$1" = 1 ] && [ "$2" = 100 ] && status=Full
    [ -n "${3:-}" ] && status=$3
    put "$b/voltage_now" 12000000; put "$b/charge_full" 5000000; put "$b/current_now" 1000000
    put "$b/charge_now" $(($2 * 50000)); put "$b/status" "$status"; put "$b/type" Battery  # a battery once whole
  fi
  put "$supplies/AC/type" Mains; put "$supplies/AC/online" "$1"
}
# What the watcher's log holds: the texts it said, each followed by "(fim)"
# once said; said leaves the marks out.
said() { iconv -f CP1252 -t UTF-8 "$VOLTANOR_WATCH_LOG" 2>/dev/null | grep -vxF '(fim)'; }
idle() { [ "$(tail -n1 "$VOLTANOR_WATCH_LOG")" = "(fim)" ]; }
lines_said() { said | wc -l; }

start_watcher() {
  mark=$(lines_said)
  "$scripts/with-battery.sh" folder="$supplies" -- "$scripts/wine-exec.sh" "$VOLTANOR_EXE" /vigiar \
    >"$work/watcher.out" 2>&1 </dev/null &
  watcher=$!
  show_on_failure "$work/watcher.out"
}

# expect WHAT LINE...: after the last change, the lines said are exactly these,
# and they came within two polling intervals (tenths of a second); then waits
# until they have been said.
expect() {
  local what=$1; shift
  local before=$mark want=$# tenths=0 limit=${limit:-$((20 * interval))}
  while [ $(($(lines_said) - before)) -lt "$want" ] && [ $tenths -lt $((limit + 100)) ]; do
    sleep 0.1; tenths=$((tenths + 1))
  done
  if ! check "$what: said in time ($tenths tenths of a second)" [ $tenths -le "$limit" ]; then
    [ -n "$watcher" ] && kill -0 "$watcher" 2>/dev/null && echo "  the watcher is still running" ||
      echo "  the watcher has ended"
    echo "  the Wine processes:"; ps -eo pid,stat,etime,args | grep -iE 'wine|\.exe' | grep -v grep | sed 's/^/  | /'
  fi
  check "$what: exactly '$*'" [ "$(said | tail -n +$((before + 1)))" = "$(printf '%s\n' "$@")" ]
  for tenths in $(seq 300); do idle && break; sleep 0.1; done
  check "$what: nothing more" [ "$(lines_said)" -eq $((before + want)) ]
}

power 1 50
: > "$work/said.log"
start_watcher
limit=300 expect "start" "Aviso de bateria ativado."
power 0 50; expect "unplugged" "Energia externa desligada. 50 por cento. Tempo restante: 2 horas e 30 minutos."
power 1 50; expect "plugged" "Energia externa ligada. 50 por cento."
power 0 50; expect "unplugged again" "Energia externa desligada. 50 por cento. Tempo restante: 2 horas e 30 minutos."
power 0 21; sleep 2; check "21 %: nothing" [ "$(said | tail -n1)" = "Energia externa desligada. 50 por cento. Tempo restante: 2 horas e 30 minutos." ]
power 0 20; expect "20 %" "(tom)" "Bateria baixa: 20 por cento."
power 0 10; expect "10 %" "(tom)" "Bateria baixa: 10 por cento."
power 0 5; expect "5 %" "(tom)" "(tom)" "Bateria crítica: 5 por cento."
power 0 25; sleep 2
power 0 20; expect "20 % again, after rising above it" "(tom)" "Bateria baixa: 20 por cento."
power 1 20; expect "plugged at 20 %" "Energia externa ligada. 20 por cento."
power 1 10; sleep 2; check "a level crossed on mains: nothing" [ "$(said | tail -n1)" = "Energia externa ligada. 20 por cento." ]
power 1 99; sleep 2
power 1 100; expect "full on mains" "Bateria carregada."
power 1 100 absent; expect "battery removed" "Bateria removida."
power 1 100; expect "battery inserted" "Bateria inserida. 100 por cento."

# Twenty polls without a change (the watcher's idle cost over hours is
# bench/watch_idle.sh's to measure).
before=$(lines_said); sleep $((20 * interval))
check "20 polls without change: nothing said" [ "$(lines_said)" -eq "$before" ]

# Five beeps, as the warnings played them.
beeps() { # the beeps of 120 ms of a square wave at 11025 Hz in the captured sound
  python3 - "$VOLTANOR_CAPTURE_DIR" <<'PY'
import glob, sys
beep = bytes(168 if (i // 6) % 2 == 0 else 88 for i in range(1320))  # (the last samples may be smoothed)
print(b"".join(open(f, "rb").read() for f in sorted(glob.glob(sys.argv[1] + "/*-11025-1-U8.raw"))).count(beep))
PY
}
check "the warning tones were played" [ "$(beeps)" -eq 5 ]

run_program "$work/second" -- mains=1 battery=Full -- "$VOLTANOR_EXE" /vigiar
check "second /vigiar: exit code 0" [ "$status" -eq 0 ]
check "second /vigiar: refused" drew_line "$work/second" "O aviso de bateria já está ativo."
check "second /vigiar: the first keeps going" kill -0 "$watcher"

run_program "$work/stop" -- mains=1 battery=Full -- "$VOLTANOR_EXE" /parar
check "/parar: exit code 0" [ "$status" -eq 0 ]
check "/parar: said so" drew_line "$work/stop" "Aviso de bateria desativado."
wait "$watcher"; code=$?; watcher=
check "/parar: the watcher ended with exit code 0" [ "$code" -eq 0 ]
run_program "$work/stop-again" -- -- "$VOLTANOR_EXE" /parar
check "/parar with none running: said so" drew_line "$work/stop-again" "O aviso de bateria não está ativo."

# Killed, the watcher leaves no lock behind.
start_watcher; limit=300 expect "started again" "Aviso de bateria ativado."
kill -9 "$watcher"; wait "$watcher" 2>/dev/null; watcher=
# Polled once an hour, the watcher still hears of a change at once through
# the system's power broadcast.
sed -i 's/^INTERVALO=.*/INTERVALO=3600/' "$settings"
start_watcher; limit=300 expect "started after being killed" "Aviso de bateria ativado."
power 0 100
check "power broadcast: sent to the watcher" "$scripts/wine-exec.sh" "$VOLTANOR_BIN_DIR/power_broadcast.exe"
expect "power broadcast" "Energia externa desligada. 100 por cento. Tempo restante: 5 horas."
run_program "$work/stop-last" -- -- "$VOLTANOR_EXE" /parar
wait "$watcher"; code=$?; watcher=
check "the restarted watcher ended by /parar with exit code 0" [ "$code" -eq 0 ]

# Windows' levels from a stand-in (low 10, reserve 7, critical 5, hibernate), minutes of 2 seconds.
sed -i 's/^INTERVALO=.*/INTERVALO=1/' "$settings"; printf 'REPETIR=2\nTEMPOCARGA=SIM\n' >> "$settings"
export VOLTANOR_POWER_POLICY=10,7,5,2 VOLTANOR_WATCH_MINUTE=2
power 0 12
start_watcher; limit=300 expect "Windows' levels: started" "Aviso de bateria ativado."
power 0 11; sleep 2; check "11 %: nothing" [ "$(lines_said)" -eq "$mark" ]
power 0 10; expect "Windows' low level" "(tom)" "Bateria baixa: 10 por cento."
critical="Bateria crítica: 7 por cento. Em 5 por cento o Windows vai hibernar."
power 0 7; came=()  # when the critical warning and two reminders came
for tenths in $(seq 300); do
  [ "$(said | tail -n +$((mark + 1)) | grep -cxF "$critical")" -gt "${#came[@]}" ] && came+=("$(date +%s.%N)")
  [ "${#came[@]}" -eq 3 ] && break; sleep 0.1
done
check "critical 2 points above Windows' level, repeated twice: exactly that" \
  [ "$(said | tail -n +$((mark + 1)))" = "$(printf '(tom)\n(tom)\n%s\n' "$critical" "$critical" "$critical")" ]
# REPETIR=2 is 4 seconds; the watcher's clock counts whole seconds, and polls once a second.
check "the reminders 4 seconds apart (2.8 to 7.9 s: never early, never one skipped)" awk -v a="${came[0]:-0}" -v b="${came[1]:-0}" -v c="${came[2]:-0}" \
  'BEGIN { printf "  seconds between the critical warnings: %.1f %.1f\n", b - a, c - b
           exit !(b - a >= 2.8 && b - a < 7.9 && c - b >= 2.8 && c - b < 7.9) }'
for tenths in $(seq 300); do idle && break; sleep 0.1; done
power 1 7 Discharging
limit=60 expect "mains on, not charging" "Energia externa ligada. 7 por cento." \
  "Carregador conectado, mas a bateria não está carregando."
mark=$(lines_said); sleep 6
check "on mains: no reminder, the charger said once" [ "$(lines_said)" -eq "$mark" ]
power 0 50; expect "unplugged" "Energia externa desligada. 50 por cento. Tempo restante: 2 horas e 30 minutos."
power 1 50; expect "plugged in, charging" "Energia externa ligada. 50 por cento. Carga completa em 2 horas e 30 minutos."
unset VOLTANOR_POWER_POLICY VOLTANOR_WATCH_MINUTE
run_program "$work/stop-windows" -- -- "$VOLTANOR_EXE" /parar
wait "$watcher"; watcher=

# A voice that cannot start (the diphone folder gone).  /parar still ends a
# running watcher, waits for no key, and tells that it could not speak (3).
start_watcher; limit=300 expect "started before the voice broke" "Aviso de bateria ativado."
sed -i 's/^\[TRADUTOR\]$/[TRADUTOR]\nDIRDIFONES=C:\\sem-voz/' "$settings"
run_program "$work/stop-broken" -- -- "$VOLTANOR_EXE" /parar
check "/parar with a broken voice: ends without a key, exit code 3 (got $status)" [ "$status" -eq 3 ]
check "/parar with a broken voice: shows what it did" drew_line "$work/stop-broken" "Aviso de bateria desativado."
wait "$watcher"; code=$?; watcher=
check "/parar with a broken voice: the watcher ended with exit code 0 (got $code)" [ "$code" -eq 0 ]
# The watcher started so: its tones are heard, the log in the user's local
# application data says why, and it ends by itself within the minute (6).
failure_log=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local' -type d | head -n1)/Voltanor/aviso.log
rm -f "$failure_log"; rm -rf "$VOLTANOR_CAPTURE_DIR"; mkdir -p "$VOLTANOR_CAPTURE_DIR"
started=$SECONDS
run_program "$work/broken" -- mains=1 battery=Full -- "$VOLTANOR_EXE" /vigiar
check "broken voice: the watcher ended by itself with exit code 6 (got $status)" [ "$status" -eq 6 ]
check "broken voice: within the minute and a little ($((SECONDS - started)) s)" [ $((SECONDS - started)) -le 75 ]
check "broken voice: the log says why" grep -qa 'Erro de inicializa' "$failure_log"
check "broken voice: shown in the window" drew_line "$work/broken" "Erro de inicialização: 1"
check "broken voice: the critical warning's two tones were heard" [ "$(beeps)" -eq 2 ]
sed -i '/^DIRDIFONES=C:\\sem-voz$/d' "$settings"

run_program "$work/unknown" -- -- "$VOLTANOR_EXE" /xyz
check "unknown option: exit code 4 (got $status)" [ "$status" -eq 4 ]
check "unknown option: said so" drew_line "$work/unknown" "Opção desconhecida."
check "unknown option: what to use" drew_line "$work/unknown" \
  "As opções são /vigiar, /parar, /detalhes, /configurar, /manual e /ajuda."
finish
