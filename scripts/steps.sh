# Sourced by the scripts (after setting $top): long steps that show their
# progress and keep their output, and a clear message for whatever fails.
#
#   step NAME COMMAND...  runs COMMAND, showing its output as it comes and
#                         keeping it in build/logs/NAME.log; when it fails,
#                         says which step, which command and the log's last
#                         lines, and returns the command's exit code.  When it
#                         ends it says its wall time and the processor time
#                         (user + system) of the command and what it waited
#                         for; servers left running are not counted, unless
#                         VOLTANOR_CPU_CGROUP names a cpuacct cgroup folder
#                         (root only, for measuring): each step then runs in a
#                         cgroup of its own within the step around it, which
#                         counts every process it started.
#   report_failures       an ERR trap naming the command and line that failed
#                         (with `set -eE`, so that no failure ends silently).
#   stay_inside_build     TMPDIR and HOME inside build/, so that the build, the
#                         voice data generators, Wine and the tests write
#                         nothing elsewhere.

VOLTANOR_LOGS=$top/build/logs
script_name=${0##*/}

step() {
  local name=$1; shift
  local log=$VOLTANOR_LOGS/$name.log started=$SECONDS status cpu_started step_cgroup
  mkdir -p "$VOLTANOR_LOGS"
  children_cpu; cpu_started=$children_cpu_seconds
  make_step_cgroup "$name"
  echo "==> $name: $*"
  if in_step_cgroup "$@" </dev/null 2>&1 | tee "$log"; then status=0; else status=${PIPESTATUS[0]}; fi
  step_result "$name" "$log" "$started" "$status" "$@"
}

# quiet_step NAME COMMAND...: the same with the output only in the log and a
# line every 15 s while it runs: for commands that leave servers running
# (which would hold a pipe to tee open) or whose output only matters when they fail.
quiet_step() {
  local name=$1; shift
  local log=$VOLTANOR_LOGS/$name.log started=$SECONDS status ticker cpu_started step_cgroup
  mkdir -p "$VOLTANOR_LOGS"
  children_cpu; cpu_started=$children_cpu_seconds
  make_step_cgroup "$name"
  echo "==> $name: $* (output in $log)"
  # Its sleep holds none of the output: killed, the ticker leaves no reader waiting.
  (while sleep 15 >/dev/null 2>&1; do echo "    $name: $((SECONDS - started)) s"; done) &
  ticker=$!
  if in_step_cgroup "$@" </dev/null >"$log" 2>&1; then status=0; else status=$?; fi
  # KILL, never TERM: a subshell signalled before it has reset the traps it
  # was forked with runs this shell's EXIT trap (run.sh's stops the Wine
  # server and the X server), and a quick step kills its ticker at once.
  kill -KILL "$ticker" 2>/dev/null || true; wait "$ticker" 2>/dev/null || true
  step_result "$name" "$log" "$started" "$status" "$@"
}

step_result() { # name, log, start time, exit code, command...
  local name=$1 log=$2 started=$3 status=$4; shift 4
  if [ "$status" -ne 0 ]; then
    {
      echo "FAILED: $name (exit code $status after $((SECONDS - started)) s)"
      echo "  command: $(printf '%q ' "$@")"
      echo "  its output is in $log; the last lines:"
      tail -n 40 "$log" | sed 's/^/  | /'
    } >&2
    return "$status"
  fi
  children_cpu
  if [ -n "${step_cgroup:-}" ]; then
    children_cpu_seconds=$(awk -v u="$(cat "$step_cgroup/cpuacct.usage")" 'BEGIN { printf "%.1f", u / 1e9 }')
    cpu_started=0
  fi
  echo "==> $name: done in $((SECONDS - started)) s, processor $(awk -v a="${cpu_started:-0}" \
    -v b="$children_cpu_seconds" 'BEGIN { printf "%.1f", b - a }') s"
}

# make_step_cgroup NAME: $step_cgroup, a new cgroup within the step around
# this one (or within $VOLTANOR_CPU_CGROUP), or nothing when not measuring.
make_step_cgroup() {
  local parent=${VOLTANOR_STEP_CGROUP:-${VOLTANOR_CPU_CGROUP:-}}
  step_cgroup=
  [ -n "$parent" ] || return 0
  step_cgroup=$parent/$1.$BASHPID.$RANDOM
  mkdir -p "$step_cgroup" || step_cgroup=
}
in_step_cgroup() {
  [ -n "$step_cgroup" ] || { "$@"; return; }
  (echo "$BASHPID" >"$step_cgroup/cgroup.procs" && export VOLTANOR_STEP_CGROUP=$step_cgroup && "$@")
}

# children_cpu: $children_cpu_seconds, the processor seconds (user + system)
# of the children this shell has waited for.  `times` runs in this shell (a
# command substitution would count its own subshell's children).
children_cpu() {
  local file=$VOLTANOR_LOGS/.times.$BASHPID user sys
  mkdir -p "$VOLTANOR_LOGS"
  times >"$file"
  { read -r _; read -r user sys; } <"$file"  # second line: "1m2.500s 0m3.250s"
  rm -f "$file"
  children_cpu_seconds=$(awk -v u="$user" -v s="$sys" 'BEGIN {
    split(u, a, "m"); split(s, b, "m"); printf "%.1f", a[1] * 60 + a[2] + b[1] * 60 + b[2] }')
}

# A failed step, or a function returning a failure, has already said what
# failed; any other command is named here.
report_failures() {
  trap 'failed_status=$?; case $BASH_COMMAND in step\ * | quiet_step\ * | step_result\ * | return*) ;; *)
          echo "$script_name: stopped at line $LINENO: \`$BASH_COMMAND\` ended with exit code $failed_status" >&2 ;;
        esac' ERR
  set -E
}

stay_inside_build() {
  # A user's X display stays reachable once HOME has moved.
  if [ -n "${DISPLAY:-}" ] && [ -z "${XAUTHORITY:-}" ] && [ -f "${HOME:-/nonexistent}/.Xauthority" ]; then
    export XAUTHORITY=$HOME/.Xauthority
  fi
  export TMPDIR=$top/build/tmp TEST_TMPDIR=$top/build/tmp HOME=$top/build/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
  mkdir -p "$TMPDIR" "$HOME"
}
