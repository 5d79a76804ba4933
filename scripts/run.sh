#!/usr/bin/env bash
# Sets up what is missing, builds, and runs voltanor.exe (32-bit) under Wine:
# its window appears on $DISPLAY, or on a private Xvfb when there is none.  The
# report is spoken through the machine's sound device when it has one;
# otherwise what was spoken is written to build/voltanor-report.wav.
#   scripts/run.sh [--voice default|tts]
# --voice tts speaks with the text-to-speech engine over MBROLA and the br1
# voice; the default voice is the built-in diphone synthesizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
voice=default
while [ $# -gt 0 ]; do
  case "$1" in
    --voice) voice=${2:-}; shift 2 || shift ;;
    --voice=*) voice=${1#--voice=}; shift ;;
    *) echo "usage: scripts/run.sh [--voice default|tts]" >&2; exit 2 ;;
  esac
done
case "$voice" in default|tts) ;; *) echo "unknown voice '$voice': default or tts" >&2; exit 2 ;; esac
scripts/setup.sh
if [ "$voice" = tts ]; then scripts/fetch-voice.sh; fi
scripts/build.sh
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start user
select_voice "$voice"

has_sound_card() { [ -r /proc/asound/cards ] && ! grep -q 'no soundcards' /proc/asound/cards && [ -s /proc/asound/cards ]; }

if has_sound_card; then
  write_sound_config device
  scripts/wine-exec.sh build/i686/voltanor.exe; status=$?
else
  capture=$top/build/run-capture
  rm -rf "$capture"; mkdir -p "$capture"
  export VOLTANOR_CAPTURE_DIR=$capture
  status=0
  # The device is closed when the program ends, so every capture is complete.
  scripts/wine-exec.sh build/i686/voltanor.exe || status=$?
  scripts/capture-to-wav.sh "$capture" "$top/build/voltanor-report.wav" &&
    echo "No sound device here: what the program said is in $top/build/voltanor-report.wav"
fi
echo "voltanor.exe ended with exit code $status"
exit "$status"
