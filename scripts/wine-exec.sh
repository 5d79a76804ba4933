#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's prefix (CMake's
# CROSSCOMPILING_EMULATOR).  The environment made by wine-env.sh is used when it
# is there; otherwise the defaults below point at the build folder.
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$top/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export HOME=${VOLTANOR_WINE_HOME:-$top/build/winehome}
# The server's folder: the same one for every process.
source "$top/scripts/wine-server-folder.sh"
wine_server_env
exec wine "$@"
