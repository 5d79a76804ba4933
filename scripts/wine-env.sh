# Sourced by run.sh and test.sh: one Wine prefix inside the build folder, one X
# server and one running wineserver for the whole run, the sound capture, and
# the generated voice data installed where the program looks for it.
#   wine_env_start private|user   private: always a private Xvfb (tests);
#                                 user: the user's $DISPLAY when there is one.
#   wine_env_stop                 ends the wineserver and the private X server.
#   wine_prefix_prepare           only makes the prefix, when it is missing.
# The prefix is build/wine, or $VOLTANOR_WINE_PREFIX when that is set; the
# sound settings' home is build/winehome, or $VOLTANOR_WINE_HOME.  Its creation
# and the server's start are logged in $VOLTANOR_LOGS/wine-*.log.  Several
# environments can run side by side, each in its own subshell with its own
# prefix, home and logs folder: each gets its own Xvfb and wineserver.

top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
declare -F step >/dev/null || source "$top/scripts/steps.sh"
VOLTANOR_XVFB_PID=

source "$top/scripts/wine-server-folder.sh"

# Wine's own commands with the environment every Wine process here gets: the
# sound settings' home, and the server's folder (scripts/wine-server-folder.sh).
wine_home() { (wine_server_env && HOME=$VOLTANOR_WINE_HOME exec "$@"); }

wine_env_start() {
  local display_mode=${1:-private}
  wine_env_variables
  if [ "$display_mode" = private ] || [ -z "${DISPLAY:-}" ]; then
    start_private_display || return
  fi

  make_prefix || return
  # The server and the services Wine starts with the first program outlive it;
  # started here with their output in a log, they hold no test's pipes open.
  quiet_step wine-server wine_home wineserver -p || {
    local status=$?
    [ $status -ne 2 ] || echo "wine: exit code 2 means that another wineserver still holds $WINEPREFIX" >&2
    return $status
  }
  quiet_step wine-services wine_home wine wineboot
  install_voice_data
}

wine_env_variables() {
  export WINEPREFIX=${VOLTANOR_WINE_PREFIX:-$top/build/wine}
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export VOLTANOR_WINE_HOME=${VOLTANOR_WINE_HOME:-$top/build/winehome}
  mkdir -p "$VOLTANOR_WINE_HOME" "$WINEPREFIX" "$top/build/tmp"
  write_sound_config capture
}

# wine_prefix_prepare: only makes the prefix (when it is missing), on a private
# Xvfb, and leaves no server running: a prefix to copy.
wine_prefix_prepare() {
  local status=0
  wine_env_variables
  if [ -f "$WINEPREFIX/system.reg" ]; then
    wine_home wineserver -k >/dev/null 2>&1 || true
    wine_home timeout 60 wineserver -w
    return
  fi
  start_private_display || return
  make_prefix || status=$?
  wine_env_stop
  return $status
}

# make_prefix: creates $WINEPREFIX when it has no registry yet, with no
# wineserver left running (the one of an interrupted run is ended first: it
# would keep that run's display).
make_prefix() {
  wine_home wineserver -k >/dev/null 2>&1 || true
  quiet_step wine-server-end wine_home timeout 60 wineserver -w || return
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  echo "wine: creating the prefix in $WINEPREFIX (15 s or more)"
  # Wine's own error lines stay in the log: when the prefix cannot be made,
  # they say why (the exit code alone is only the last status).
  quiet_step wine-prefix wine_home env WINEDEBUG=fixme-all wineboot -i || return
  # wineboot's server lingers after it and writes the registry files only
  # when it ends; the server kept for the run can only start once it has gone.
  quiet_step wine-server-end wine_home timeout 60 wineserver -w || return
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: wineboot ended without making $WINEPREFIX/system.reg; its output is in $VOLTANOR_LOGS/wine-prefix.log" >&2
    return 1
  fi
}

# A private X server on the first free display (Xvfb writes its number to fd 3).
# The environments that start side by side take turns: two servers started at
# the same moment could otherwise both settle on the same display.
start_private_display() {
  local fdfile=$top/build/tmp/xvfb-display.$BASHPID log=$VOLTANOR_LOGS/xvfb.log i turn
  mkdir -p "$VOLTANOR_LOGS" "$top/build/tmp"
  : >"$fdfile"
  exec {turn}>"$top/build/tmp/xvfb-start.lock"
  flock "$turn"
  # The server must not hold the turn: it gets no copy of its descriptor.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" {turn}>&- >"$log" 2>&1 </dev/null &
  VOLTANOR_XVFB_PID=$!
  for i in $(seq 100); do
    [ -s "$fdfile" ] && break
    kill -0 "$VOLTANOR_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  exec {turn}>&-
  if [ ! -s "$fdfile" ]; then
    rm -f "$fdfile"
    { echo "Xvfb did not start; its output ($log):"; sed 's/^/  | /' "$log"; } >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wine_home wineserver -k >/dev/null 2>&1 || true
    wine_home timeout 60 wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$VOLTANOR_XVFB_PID" ]; then
    kill "$VOLTANOR_XVFB_PID" 2>/dev/null || true
    wait "$VOLTANOR_XVFB_PID" 2>/dev/null || true
    VOLTANOR_XVFB_PID=
  fi
}

# capture: every open of the wave device goes to scripts/capture.sh (and from
# there to $VOLTANOR_CAPTURE_DIR when it is set).  device: the machine's own
# default sound device.
write_sound_config() {
  if [ "$1" = capture ]; then
    cat > "$VOLTANOR_WINE_HOME/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "|$top/scripts/capture.sh %r-%c-%f" format "raw" }
ASOUND
  else
    rm -f "$VOLTANOR_WINE_HOME/.asoundrc"
  fi
}

# The generated data (build/data) goes where the settings defaults point:
# C:\kelmar\... and an ORAVIX.INI in the Windows directory.
install_voice_data() {
  local data=$top/build/data
  [ -d "$data/kelmar" ] && { mkdir -p "$WINEPREFIX/drive_c/kelmar"; cp -a "$data/kelmar/." "$WINEPREFIX/drive_c/kelmar/"; }
  [ -f "$data/ORAVIX.INI" ] && cp "$data/ORAVIX.INI" "$WINEPREFIX/drive_c/windows/ORAVIX.INI"
  install_tts_engine
  return 0
}

# The text-to-speech engine's outside parts: the br1 voice (scripts/fetch-voice.sh
# unpacks it into build/mbrola) at C:\kelmar\tavintts\br1\br1 and the registry
# value through which the engine finds it, for 32- and 64-bit programs alike.
# mbrola.dll is built beside voltanor.exe; the engine's data files come with
# the voice data (C:\kelmar\tavintts\).
#   select_voice default|tts|sapi4|sapi5   the settings file selects the
#                              engine, a system voice (the first), or neither
install_tts_engine() {
  local voice=$top/build/mbrola/usr/share/mbrola/br1/br1
  local installed=$WINEPREFIX/drive_c/kelmar/tavintts/br1
  [ -f "$voice" ] || return 0
  mkdir -p "$installed"
  cmp -s "$voice" "$installed/br1" || cp "$voice" "$installed/br1"
  local view
  for view in 32 64; do
    wine_home wine reg add 'HKLM\SOFTWARE\TCTS\Mbrola\databases\BR1' /ve /d 'C:\kelmar\tavintts\br1\br1' \
      /f /reg:$view </dev/null >/dev/null 2>&1 || true
  done
}

select_voice() {
  local ini=$WINEPREFIX/drive_c/windows/ORAVIX.INI
  [ -f "$top/build/data/ORAVIX.INI" ] && cp "$top/build/data/ORAVIX.INI" "$ini"
  local servfala
  case $1 in
    tts) servfala='TIPOSAPI=3' ;;
    sapi4) servfala='TIPOSAPI=4\nVOZ=1' ;;
    sapi5) servfala='TIPOSAPI=5\nVOZ=1' ;;
    *) return 0 ;;
  esac
  sed -i 's/^\[TRADUTOR\]\r\?$/[TRADUTOR]\nSAPI=SIM/' "$ini"
  printf "[SERVFALA]\n$servfala\n" >> "$ini"
}
