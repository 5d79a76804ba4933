# Sourced by the scripts that start Wine's processes.  Every process of one
# prefix must find the same server folder.  Debian's Wine 8 keeps it under
# TMPDIR, found again through the prefix: TMPDIR is build/tmp, so that it
# stays in the build folder.  Debian's Wine 10 aborts at once when TMPDIR is
# set at all ("free(): invalid pointer") and keeps it in /tmp/.wine-UID, named
# by the prefix's device and inode, so that prefixes side by side never share
# one: TMPDIR is left unset there.
#   wine_server_env   sets or unsets TMPDIR in this shell for the installed Wine
wine_server_env() {
  VOLTANOR_WINE_MAJOR=${VOLTANOR_WINE_MAJOR:-$(wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\).*/\1/p')}
  export VOLTANOR_WINE_MAJOR
  if [ -n "$VOLTANOR_WINE_MAJOR" ] && [ "$VOLTANOR_WINE_MAJOR" -le 8 ]; then
    export TMPDIR=$top/build/tmp
    mkdir -p "$TMPDIR"
  else
    unset TMPDIR
  fi
}
