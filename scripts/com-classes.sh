# Sourced by the system voice tests and the start-up bench: Unix paths as Wine
# sees them, and in-process COM classes served by a DLL of ours for a while.
#   register_class CLSID DLL   the class is served by DLL from now on
#   restore_classes            every class registered so far is put back as
#                              the prefix had it (removed when it had none)
# The registry view is $com_view (/reg:32 or /reg:64, by default the 32-bit
# one); what the prefix had is saved in the folder $com_saved.
com_wine_exec=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-exec.sh
com_view=${com_view:-/reg:32}
com_registered=()

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

register_class() {
  local key="HKLM\\Software\\Classes\\CLSID\\$1"
  if "$com_wine_exec" reg query "$key" "$com_view" >/dev/null 2>&1; then
    "$com_wine_exec" reg export "$key" "$(windows_path "$com_saved/saved-$1.reg")" "$com_view" /y >/dev/null 2>&1
  fi
  com_registered+=("$key")
  "$com_wine_exec" reg add "$key\\InprocServer32" /ve /d "$(windows_path "$2")" /f "$com_view" >/dev/null &&
    "$com_wine_exec" reg add "$key\\InprocServer32" /v ThreadingModel /d Both /f "$com_view" >/dev/null
}

restore_classes() {
  local key saved
  for key in "${com_registered[@]}"; do
    "$com_wine_exec" reg delete "$key" /f "$com_view" >/dev/null 2>&1
    saved=$com_saved/saved-${key##*\\}.reg
    [ -f "$saved" ] && "$com_wine_exec" reg import "$(windows_path "$saved")" "$com_view" >/dev/null 2>&1
  done
  com_registered=()
}
