#!/usr/bin/env bash
# The Windows installer (scripts/package.sh) in a Wine prefix of its own, made
# fresh for this script: a silent install puts the program, its data, the br1
# voice and its registry entry, the shortcut with its hotkey and the uninstall
# entry in place, and starts the watcher; installing again over a running
# watcher ends it first and starts a new one; the silent uninstall over a
# running watcher ends it (nothing said when the mains goes afterwards); the
# installed program speaks its report started as the shortcut starts it; a settings file of the user's keeps its values; the
# silent uninstall leaves the prefix's files and registry as they were;
# installing over an earlier version keeps one entry; a read-only folder, a
# full disk and a second installer at once fail cleanly.  The installer is
# 32-bit: it runs only in the i686 tree, once per test command.
source "$(dirname "$0")/lib/installer_prefix.sh"
# A mount namespace of its own: the drives of the bad cases vanish with it.
[ -n "${INSTALLER_NAMESPACE:-}" ] || exec env INSTALLER_NAMESPACE=1 unshare -m --propagation private bash "$0"
installer_prefix_start

# An earlier version of the installer (uncompressed: quicker to make).
VOLTANOR_VERSION=0.9.0 VOLTANOR_PACKAGE_FAST=1 "$scripts/package.sh" --no-build "$work/old.exe" >"$work/package.log" 2>&1
check "package.sh wrote an earlier version" [ -s "$work/old.exe" ]
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$VOLTANOR_BIN_DIR/CMakeCache.txt")
lnk="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Voltanor - Medidor de bateria.lnk"

# 1. A silent install in a prefix that never had it (the watcher at logon
# comes ticked).
snapshot before
installed "$work/setup.exe" /S
check "install /S: exit code 0 (got $status)" [ "$status" -eq 0 ]
for f in "$program_dir/voltanor.exe" "$program_dir/mbrola.dll" "$program_dir/desinstalar.exe" \
         "$program_dir/licencas/licencas.txt" "$program_dir/licencas/AGPL-3.txt" \
         "$drive/kelmar/som/letras/_44.wav" "$drive/kelmar/som/difones/DIFONES3.DIF" \
         "$drive/kelmar/tavintts/portug.nrl" "$drive/kelmar/tavintts/br1/br1" "$drive/windows/ORAVIX.INI"; do
  check "install: ${f#$drive/} is there" [ -s "$f" ]
done
check "install: the settings file is data/ORAVIX.INI" cmp -s "$top/data/ORAVIX.INI" "$drive/windows/ORAVIX.INI"
br1_entry=$("${wine[@]}" reg query 'HKLM\SOFTWARE\TCTS\Mbrola\databases\BR1' /ve /reg:32 2>/dev/null | tr -d '\r' | sed -n 's/^ *([^)]*) *REG_SZ *//p')
check "install: the br1 voice's registry entry ($br1_entry)" [ "$br1_entry" = 'C:\kelmar\tavintts\br1\br1' ]
for v in DisplayName Publisher DisplayVersion UninstallString QuietUninstallString EstimatedSize; do
  check "install: uninstall entry's $v ($(reg_value "$uninstall_key" $v))" [ -n "$(reg_value "$uninstall_key" $v)" ]
done
check "install: DisplayVersion is $version" [ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ]
check "install: QuietUninstallString" [ "$(reg_value "$uninstall_key" QuietUninstallString)" = "\"$program\\desinstalar.exe\" /S" ]
check "install: the shortcut is there" [ -s "$lnk" ]
# The shell link's hotkey: two bytes at offset 0x40, the key then its modifiers
# (1 Shift, 2 Ctrl, 4 Alt): Ctrl+Alt+Shift+B.
hotkey=$(od -An -tx1 -j64 -N2 "$lnk" 2>/dev/null | tr -d ' ')
check "install: the shortcut's hotkey is Ctrl+Alt+Shift+B (got $hotkey)" [ "$hotkey" = 4207 ]
check "install: the shortcut starts voltanor.exe" grep -qa 'voltanor.exe' "$lnk"
menu_link() { local text; for text in "${@:2}"; do tr -d '\0' < "${lnk%/*}/$1.lnk" | grep -qaF -- "$text" || return; done; }
check "install: the manual is data/manual.txt" cmp -s "$top/data/manual.txt" "$program_dir/manual.txt"
check "install: \"Configurar o Voltanor\" runs voltanor.exe /configurar" menu_link "Configurar o Voltanor" voltanor.exe /configurar
hotkey=$(od -An -tx1 -j64 -N2 "${lnk%/*}/Configurar o Voltanor.lnk" 2>/dev/null | tr -d ' ')
check "install: the menu's hotkey is Ctrl+Alt+Shift+C (got $hotkey)" [ "$hotkey" = 4307 ]
check "install: \"Manual do Voltanor\" reads the manual aloud" menu_link "Manual do Voltanor" voltanor.exe /manual
run_at_logon() { reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' Voltanor; }
check "install /S: the watcher runs at logon for every user by default ($(run_at_logon))" \
  [ "$(run_at_logon)" = "\"$program\\voltanor.exe\" /vigiar /entrada" ]
check "install /S: the watcher runs from the moment of installation" [ -n "$watching" ]
check "install: the version resource says $version" grep -qaP "F\x00i\x00l\x00e\x00V\x00e\x00r\x00s\x00i\x00o\x00n\x00\x00\x00(\x00\x00)?${version//./\\x00.\\x00}" "$program_dir/voltanor.exe"

# Over a running watcher (an upgrade; Wine too refuses to replace a running program).
start_watcher; old=$(watchers)
check "upgrade: a watcher runs from the installation folder" [ -n "$old" ]
installed "$work/setup.exe" /S
check "upgrade over a running watcher: exit code 0 (got $status)" [ "$status" -eq 0 ]
not_among() { [[ " $2 " != *" $1 "* ]]; }  # PID LIST
check "upgrade: the old watcher's process had ended when the installer did" not_among "${old:-0}" "$watching"
check "upgrade: a watcher of the new installation runs ($watching)" all_hold -n "$watching" -- "$watching" != "$old"

# 4. The silent uninstall, over a running watcher, leaves the prefix as it
# was, and nothing speaks when the mains is unplugged afterwards (a battery
# of this namespace's own, mains on, for everything Wine starts from now).
supplies=$work/supplies
mkdir -p "$supplies/AC" "$supplies/BAT0"
put() { printf '%s\n' "${1#*=}" > "$supplies/${1%%=*}"; }  # FILE=VALUE
for f in AC/type=Mains AC/online=1 BAT0/type=Battery BAT0/status=Discharging BAT0/voltage_now=12000000 \
  BAT0/charge_full=5000000 BAT0/charge_now=2500000 BAT0/current_now=1000000; do put "$f"; done
mount --bind "$supplies" /sys/class/power_supply
export VOLTANOR_CAPTURE_DIR=$work/capture
mkdir -p "$VOLTANOR_CAPTURE_DIR"
start_watcher
check "uninstall: a watcher runs before it" [ -n "$(watchers)" ]
# (Not through installed: a watcher the uninstaller left must still be there.)
status=0
"${wine[@]}" "$program_dir/desinstalar.exe" /S >"$work/run.log" 2>&1 </dev/null || status=$?
installer_gone
check "uninstall /S: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "uninstall /S: no watcher left running" [ -z "$(watchers)" ]
wait_captured; rm -f "$VOLTANOR_CAPTURE_DIR"/*
put AC/online=0
sleep 12  # two of the watcher's polling intervals
wait_captured
check "uninstall: nothing said when the mains is unplugged afterwards" [ -z "$(ls "$VOLTANOR_CAPTURE_DIR")" ]
end_watchers; server -w
umount /sys/class/power_supply; unset VOLTANOR_CAPTURE_DIR
check "uninstall: the manual and both shortcuts are gone" [ -z "$(ls "$program_dir/manual.txt" "${lnk%/*}"/{Configurar,Manual}*.lnk 2>/dev/null)" ]
unchanged_since before "uninstall /S"

# 5 and 3. A settings file of the user's, then an earlier version, then this one.
user_ini=$work/user.ini
printf '; minhas configura\xe7\xf5es\r\n[TRADUTOR]\r\nVELOCIDADE=4\r\n\r\n[SINTETIZADOR]\r\nPAUSAPONTO4=180\r\n\r\n[OUTRO]\r\nNOME=Jo\xe3o da Silva\r\n' > "$user_ini"
cp "$user_ini" "$drive/windows/ORAVIX.INI"
installed "$work/old.exe" /S /VIGIAR=NAO
check "earlier version: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "earlier version, /VIGIAR=NAO: nothing runs at logon" [ -z "$(run_at_logon)" ]
installed "$work/setup.exe" /S
check "over the earlier version: exit code 0 (got $status)" [ "$status" -eq 0 ]
entries=$("${wine[@]}" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:32 2>/dev/null | grep -c 'DisplayName.*Voltanor')
check "over the earlier version: one uninstall entry (got $entries)" [ "$entries" -eq 1 ]
check "over the earlier version: DisplayVersion $version" [ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ]
check "over an earlier version without the watcher: still nothing runs at logon" [ -z "$(run_at_logon)" ]
ini=$drive/windows/ORAVIX.INI
has_line() { grep -qxF -- "$1"$'\r' "$ini" || grep -qxF -- "$1" "$ini"; }
for line in 'VELOCIDADE=4' 'PAUSAPONTO4=180' $'NOME=Jo\xe3o da Silva' '[OUTRO]' $'; minhas configura\xe7\xf5es'; do
  check "user's settings: \"$(iconv -f CP1252 -t UTF-8 <<<"$line")\" kept byte for byte" has_line "$line"
done
check "user's settings: VELOCIDADE=3 not added beside the user's" [ "$(grep -c '^VELOCIDADE=' "$ini")" -eq 1 ]
for line in 'CORTEFON3=700' 'PAUSAPONTO3=250' '[TAVINTTS]' 'MBROLA_DB=br1'; do
  check "user's settings: missing $line added" has_line "$line"
done

# 2. The installed program started as its shortcut starts it (in its folder),
# with the default voice (speed 4 from the user's settings), then with the
# text-to-speech engine selected.
battery=(mains=0 battery=Discharging full=5000000 now=4000000 current=1600000)
speak() { # NAME
  mkdir -p "$work/$1.capture"
  pushd "$program_dir" >/dev/null
  VOLTANOR_CAPTURE_DIR=$work/$1.capture run_program "$work/$1.log" -- "${battery[@]}" -- 'C:\Program Files (x86)\Voltanor\voltanor.exe'
  popd >/dev/null
  captured=$(cat "$work/$1.capture"/*-"$2".raw 2>/dev/null | wc -c)
}
speak default 11025-1-U8
check "installed, default voice: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "installed, default voice: the report shown" drew_line "$work/default.log" "80 por cento restante."
check "installed, default voice: spoken at 11025 Hz ($captured bytes)" [ "$captured" -gt 40000 ]
cp "$ini" "$work/installed.ini"
sed -i 's/^\[TRADUTOR\]\r\?$/[TRADUTOR]\r\nSAPI=SIM/' "$ini"
printf '[SERVFALA]\r\nTIPOSAPI=3\r\n' >> "$ini"
speak tts 16000-1-S16_LE
check "installed, engine: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "installed, engine: the report shown" drew_line "$work/tts.log" "80 por cento restante."
check "installed, engine: spoken by br1 at 16000 Hz ($captured bytes)" [ "$captured" -gt 128000 ]
cp "$work/installed.ini" "$ini"

# An entry of the user's own (an earlier version's, or the menu's where no
# installation wrote the machine's), and the user's choice, go with it.
user_run() { reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Voltanor; }
"${wine[@]}" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Voltanor \
  /d "\"$program\\voltanor.exe\" /vigiar" /f >/dev/null 2>&1
"${wine[@]}" reg add 'HKCU\Software\Voltanor' /v AvisoAoEntrar /d NAO /f >/dev/null 2>&1
installed "$program_dir/desinstalar.exe" /S
server -w
check "uninstall: exit code 0 (got $status)" [ "$status" -eq 0 ]
check "uninstall: the user's own logon entry is gone ($(user_run))" [ -z "$(user_run)" ]
check "uninstall: the user's choice is gone" [ -z "$(reg_value 'HKCU\Software\Voltanor' AvisoAoEntrar)" ]
# (Wine's profile functions drop blank lines whenever they write the file.)
lines() { grep -av -e '^$' -e $'^\r$' "$1"; }
diff <(lines "$user_ini") <(lines "$ini") > "$work/ini.diff"
show_on_failure "$work/ini.diff"
check "uninstall: the user's settings file is as it was, byte for byte but for blank lines" [ ! -s "$work/ini.diff" ]
check "uninstall: no program folder left" [ ! -e "$program_dir" ]
check "uninstall: no voice data left" [ ! -e "$drive/kelmar" ]
rm -f "$ini"

# 6. Bad cases: each fails with a non-zero exit code and leaves nothing.
snapshot base
# drive NAME LETTER SIZE: a small tmpfs as a Wine drive.
drive_letter() {
  mkdir -p "$work/drive-$1"
  mount -t tmpfs -o size="$3" "voltanor-$1" "$work/drive-$1"
  ln -s "$work/drive-$1" "$WINEPREFIX/dosdevices/$2:"
}
unchanged() { unchanged_since base "$1"; }  # WHAT
drive_letter readonly r 1m
mkdir "$work/drive-readonly/Voltanor"
mount -o remount,ro "$work/drive-readonly"
installed "$work/setup.exe" /S '/D=R:\Voltanor'
check "read-only folder: exit code 2 (got $status)" [ "$status" -eq 2 ]
unchanged "read-only folder"

drive_letter full f 512k
installed "$work/setup.exe" /S '/D=F:\Voltanor'
check "full disk: exit code 2 (got $status)" [ "$status" -eq 2 ]
check "full disk: the drive is empty again" [ -z "$(ls -A "$work/drive-full")" ]
unchanged "full disk"

# Twice at once: the first one waits on its first page (up to two minutes
# for it to show: a busy machine's Wine starts slowly).
"${wine[@]}" "$work/setup.exe" >/dev/null 2>&1 </dev/null &
first=$!
for _ in $(seq 1200); do
  window=$(xdotool search --name 'Instala.*Voltanor' 2>/dev/null | head -n1)
  [ -n "$window" ] && break; sleep 0.1
done
check "twice at once: the first installer shows its window" [ -n "$window" ]
status=0; "${wine[@]}" "$work/setup.exe" /S >/dev/null 2>&1 </dev/null || status=$?
check "twice at once: the second one ends with exit code 3 (got $status)" [ "$status" -eq 3 ]
# Esc on its page, and Enter on the question that follows (yes, cancel),
# end it (a few times: the window takes the focus late).
for _ in $(seq 50); do
  kill -0 "$first" 2>/dev/null || break
  [ -n "$window" ] && { xdotool windowfocus "$window"; xdotool key --clearmodifiers Escape; } 2>/dev/null
  sleep 0.3
  question=$(xdotool search --name '^Instala.*Voltanor' 2>/dev/null | grep -vx "$window" | head -n1)
  [ -n "$question" ] && { xdotool windowfocus "$question"; xdotool key --clearmodifiers Return; } 2>/dev/null
done
kill -0 "$first" 2>/dev/null && kill "$first"
status=0; wait "$first" || status=$?
check "twice at once: the first one, cancelled with Esc, ends with exit code 1 (got $status)" [ "$status" -eq 1 ]
unchanged "twice at once"

finish
