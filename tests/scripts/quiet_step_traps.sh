#!/usr/bin/env bash
# quiet_step's ticker never runs the caller's EXIT trap (run.sh's stops Wine and
# the X server), though a quick step kills its ticker right after its fork.
# Killed with TERM, one ticker in 25 ran it on a quiet machine, nearly all on
# a busy one.
set -eEuo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/scripts/steps.sh"
VOLTANOR_LOGS=$(mktemp -d)
trap 'echo "$BASHPID" >> "$VOLTANOR_LOGS/trap-runs"' EXIT
for i in $(seq 300); do quiet_step quick true >/dev/null; done
trap - EXIT
runs=$(cat "$VOLTANOR_LOGS/trap-runs" 2>/dev/null || true)
rm -rf "$VOLTANOR_LOGS"
[ -z "$runs" ] || { echo "FAILED: the caller's EXIT trap ran in processes" $runs >&2; exit 1; }
echo "ok: 300 quick steps, and the caller's EXIT trap ran in none of them"
