#!/usr/bin/env bash
# quiet_step's ticker never runs the caller's EXIT trap: steps that end at once
# kill their ticker right after its fork, and a trap run there would stop the
# caller's servers under it (run.sh's stops Wine and the X server).
set -eEuo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/scripts/steps.sh"
work=$(mktemp -d)
VOLTANOR_LOGS=$work/logs
trap_runs=$work/trap-runs
: >"$trap_runs"
trap 'echo "$BASHPID" >> "$trap_runs"' EXIT
# Each quick step races its ticker's start once; when the ticker was killed
# with TERM, 300 of them ran the trap elsewhere about a dozen times.
for i in $(seq 300); do quiet_step quick true >/dev/null; done
runs=$(sort -u "$trap_runs" | tr '\n' ' ')
trap - EXIT
rm -rf "$work"
if [ -n "$runs" ]; then
  echo "FAILED: the caller's EXIT trap ran in processes ${runs}before the caller ended (the caller is $BASHPID)" >&2
  exit 1
fi
echo "ok: 300 quick steps, and the caller's EXIT trap ran nowhere else"
