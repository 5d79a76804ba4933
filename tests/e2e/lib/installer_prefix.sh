# Shared by the installer's scripts: a Wine prefix of their own, made fresh
# (the installer is 32-bit: only in the i686 tree, once per test command),
# the installer built into the work folder, and what they look at in the
# prefix.  installer_prefix_start makes them; snapshot NAME records the
# prefix's files and registry.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
if [ "${VOLTANOR_REGISTRY_VIEW:-}" != 32 ]; then
  echo "skipped: the 32-bit installer is checked once, in the i686 tree"; exit 0
fi
top=$VOLTANOR_SOURCE_DIR
wine=("$scripts/wine-exec.sh")
source "$top/scripts/wine-server-folder.sh"
server() { (wine_server_env && HOME=${VOLTANOR_WINE_HOME:-$top/build/winehome} exec wineserver "$@"); }
cleanup() {
  server -k 2>/dev/null; server -w 2>/dev/null
  umount "$work"/drive-* 2>/dev/null
  [ -n "${INSTALLER_KEEP:-}" ] || rm -rf "$work"
}

# installer_prefix_start: the work folder, $work/setup.exe and the prefix.
installer_prefix_start() {
  work=$(mktemp -d)
  export WINEPREFIX=$work/prefix
  drive=$WINEPREFIX/drive_c
  trap cleanup EXIT
  "$scripts/package.sh" --no-build "$work/setup.exe" >"$work/package.log" 2>&1
  show_on_failure "$work/package.log"
  check "package.sh wrote the installer" [ -s "$work/setup.exe" ]
  mkdir -p "$WINEPREFIX"
  "${wine[@]}" wineboot -i >"$work/wineboot.log" 2>&1
  server -w
  program='C:\Program Files (x86)\Voltanor'
  [ -d "$drive/Program Files (x86)" ] || program='C:\Program Files\Voltanor'
  program_dir=$drive/${program#C:\\}
  program_dir=${program_dir//\\//}
}

# snapshot NAME: the files under drive_c and the whole registry, once every
# Wine process has ended (the uninstaller runs a copy of itself and returns),
# in $work/NAME.files and $work/NAME.reg (NAME without its slashes: "uninstall
# /S" gives "uninstall S").
snapshot() {
  local snap=$work/${1//\//}
  server -w
  (cd "$drive" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune -o -print | LC_ALL=C sort) > "$snap.files"
  "${wine[@]}" regedit /E "$snap.reg.utf16" >/dev/null 2>&1
  server -w
  # Wine's own bookkeeping of each run is left out: times, the keys of the
  # display driver that each session makes anew, the sound devices it notes
  # the first time one is opened, the drives that the bad cases add, and the
  # processors' clock, which Wine 10 notes anew at each start, the counter
  # of service starts (ServiceCurrent), which rises as services start, and the
  # device classes of the input devices Wine's bus finds as it runs.
  # Each value is written after its key, so that a difference names the key.
  iconv -f UTF-16 -t UTF-8 "$snap.reg.utf16" | tr -d '\r' | awk '
    /^\[/ { key = $0; skip = ($0 ~ /\\Control\\Video\\|\\MountedDevices]|\\Software\\Wine\\Drivers|\\Control\\ServiceCurrent]|\\Control\\DeviceClasses\\/) }
    !skip && !/^"(InstallDate|DriverDateData|~MHz)"/ && !/Time/ { print (/^\[/ ? $0 : key " " $0) }' > "$snap.reg"
}
# unchanged_since BASE NAME: a snapshot NAME has the files and registry of BASE.
unchanged_since() {
  local base=$work/${1//\//} snap=$work/${2//\//}
  snapshot "$2"
  diff "$base.files" "$snap.files" > "$snap.files.diff"
  diff "$base.reg" "$snap.reg" > "$snap.reg.diff"
  show_on_failure "$snap.files.diff" "$snap.reg.diff"
  # An empty difference of two snapshots that were really taken.
  check "$2: the files under drive_c as they were" [ -s "$snap.files" -a ! -s "$snap.files.diff" ]
  check "$2: the registry as it was" [ -s "$snap.reg" -a ! -s "$snap.reg.diff" ]
}
# wait_ended PID [SECONDS]: waits (120 s at most) for an installer started in
# the background and sets $status; one still running then is killed, and
# $status is 124, so a stuck installer fails its check instead of the run.
wait_ended() {
  local tenths
  for ((tenths = 0; tenths < ${2:-120} * 10; tenths++)); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    echo "  the installer ($1) still ran after ${2:-120} s: ended"
    kill "$1" 2>/dev/null
    status=124
    wait "$1" 2>/dev/null
    return
  fi
  status=0
  wait "$1" || status=$?
}
# start_watcher: the installed watcher, started by hand; waits (10 s at most) until it runs.
start_watcher() {
  "${wine[@]}" "$program\\voltanor.exe" /vigiar >/dev/null 2>&1 </dev/null &
  for _ in $(seq 100); do [ -n "$(watchers)" ] && return; sleep 0.1; done
}
# programs: "PID COMMAND LINE" of each program running in the prefix;
# watchers: the process ids of its watchers.
programs() {
  local environ pid
  for environ in $(grep -lzxF -- "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${environ#/proc/}; pid=${pid%/environ}
    echo "$pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
  done | grep -i '\.exe'
}
watchers() { programs | grep -i 'voltanor\.exe /vigiar' | cut -d' ' -f1; }
# end_watchers: sets $watching to the watchers running and ends them without
# a word (Wine's server ends only once every program has).
end_watchers() {
  watching=$(watchers)
  [ -z "$watching" ] || kill $watching 2>/dev/null
}
# installed EXE ARGS...: runs an installer or uninstaller; sets $status and $watching.
installed() {
  status=0
  "${wine[@]}" "$@" >"$work/run.log" 2>&1 </dev/null || status=$?
  installer_gone
  end_watchers
  server -w
}
# installer_gone: waits (a minute at most) until no program of the prefix runs
# but Wine's own services and the watchers (the uninstaller returns at once
# and goes on in a copy of itself).
installer_gone() {
  local tenths
  for ((tenths = 0; tenths < 600; tenths++)); do
    programs | grep -qviE '\\(services|winedevice|plugplay|explorer|svchost|rpcss|voltanor)\.exe' || return
    sleep 0.1
  done
}
reg_value() { # KEY VALUE: the data of a value, as reg query prints it
  "${wine[@]}" reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Voltanor'
