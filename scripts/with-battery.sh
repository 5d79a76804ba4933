#!/usr/bin/env bash
# Runs a command in a private mount namespace in which /sys/class/power_supply
# shows a made-up power state, which is what Wine's GetSystemPowerStatus reads.
#
#   with-battery.sh [mains=0|1] [battery=Discharging|Charging|Full]
#                   [full=µAh] [now=µAh] [current=µA] [voltage=µV]
#                   [folder=DIR] -- command...
#
# With folder=DIR the power supplies are made in DIR (an empty or new folder)
# and left there: a test that changes its files while the command runs changes
# what the command sees.
# With neither mains nor battery the machine has no power supplies at all: no
# system battery, mains on.  Needs root (unshare and mount).
set -euo pipefail
mains= battery= folder= full=5000000 now=4000000 current=1000000 voltage=12000000
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  case $1 in
    mains=*) mains=${1#*=} ;; battery=*) battery=${1#*=} ;;
    full=*) full=${1#*=} ;; now=*) now=${1#*=} ;;
    current=*) current=${1#*=} ;; voltage=*) voltage=${1#*=} ;;
    folder=*) folder=${1#*=} ;;
    *) echo "with-battery: unknown setting $1" >&2; exit 2 ;;
  esac
  shift
done
[ "${1:-}" = -- ] && shift
[ $# -gt 0 ] || { echo "with-battery: no command" >&2; exit 2; }

if [ -n "$folder" ]; then
  supplies=$folder; mkdir -p "$supplies"
else
  supplies=$(mktemp -d)
  trap 'rm -rf "$supplies"' EXIT
fi
if [ -n "$mains" ]; then
  mkdir "$supplies/AC"; echo Mains > "$supplies/AC/type"; echo "$mains" > "$supplies/AC/online"
fi
if [ -n "$battery" ]; then
  b=$supplies/BAT0; mkdir "$b"
  echo Battery > "$b/type"; echo "$battery" > "$b/status"
  echo "$voltage" > "$b/voltage_now"; echo "$full" > "$b/charge_full"
  echo "$now" > "$b/charge_now"; echo "$current" > "$b/current_now"
fi
# Without a folder to remove afterwards, the command takes this process's place
# (its id is the caller's, to end it by).
[ -n "$folder" ] && run=exec || run=
$run unshare -m bash -c 'mount --bind "$1" /sys/class/power_supply && shift && exec "$@"' with-battery "$supplies" "$@"
