#!/bin/sh
# Receives, on standard input, every sample that one open of the wave device
# played (ALSA's file plugin pipes them here).  $1 is "rate-channels-format",
# for example 11025-1-U8.  Each open becomes its own numbered file in
# $VOLTANOR_CAPTURE_DIR, so a folder holds an ordered record of all sound.
dir=${VOLTANOR_CAPTURE_DIR:-}
if [ -z "$dir" ] || [ ! -d "$dir" ]; then exec cat >/dev/null; fi
lock="$dir/.lock"
n=$( (flock 9; n=$(cat "$dir/.count" 2>/dev/null || echo 0); echo $((n + 1)) > "$dir/.count"; echo "$n") 9>"$lock")
exec cat > "$dir/$(printf %04d "$n")-$1.raw"
