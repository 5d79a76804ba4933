#!/usr/bin/env bash
# Sets up what is missing, builds what running needs (the voice data and the
# 32-bit voltanor.exe), and runs voltanor.exe under Wine: its window appears on
# $DISPLAY, or on a private Xvfb when there is none.  The report is spoken
# through the machine's sound device when it has one (and VOLTANOR_SOUND is not
# "file"); otherwise what was spoken is written to build/voltanor-report.wav.
# Each long step keeps its output in build/logs/; a step that fails says so
# with its command and the end of its log.
#   scripts/run.sh [--voice default|tts]
# --voice tts speaks with the text-to-speech engine over MBROLA and the br1
# voice; the default voice is the built-in diphone synthesizer.
set -eEuo pipefail
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
source scripts/steps.sh
report_failures
# Whatever a run leaves there is what that run said, or nothing.
report=$top/build/voltanor-report.wav
rm -f "$report"
scripts/setup.sh
if [ "$voice" = tts ]; then scripts/fetch-voice.sh; fi
scripts/build.sh run
stay_inside_build
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start user
select_voice "$voice"

has_sound_card() { [ -r /proc/asound/cards ] && ! grep -q 'no soundcards' /proc/asound/cards && [ -s /proc/asound/cards ]; }

status=0
if [ "${VOLTANOR_SOUND:-}" != file ] && has_sound_card; then
  write_sound_config device
  scripts/wine-exec.sh build/i686/voltanor.exe || status=$?
else
  capture=$top/build/run-capture
  rm -rf "$capture"; mkdir -p "$capture"
  export VOLTANOR_CAPTURE_DIR=$capture
  # The device is closed when the program ends, so every capture is complete.
  scripts/wine-exec.sh build/i686/voltanor.exe || status=$?
  if scripts/capture-to-wav.sh "$capture" "$report"; then
    echo "No sound device here: what the program said is in $report"
  else
    echo "run.sh: the program played nothing, so there is no $report" >&2
    [ "$status" -ne 0 ] || status=1
  fi
fi
echo "voltanor.exe ended with exit code $status"
exit "$status"
