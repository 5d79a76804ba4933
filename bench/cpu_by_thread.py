#!/usr/bin/env python3
"""Where a program's processor time goes under Wine, thread by thread, from
`perf record -e cpu-clock` runs of whole launches (bench/startup_bench.sh with
VOLTANOR_BENCH_PERF=N makes them).  Per program, medians over its runs, in ms:
the launch (scripts and Wine's loader), its main thread before the wave
device opens and after, Wine's sound threads
(winmm's device thread, which wakes at every period the device plays, and the
ALSA driver's timer thread, which ticks as long as the device is open), its
other threads, and the capture's processes (the shell and cat that the ALSA
file plugin starts); Wine's desktop process, which some launches start and
which outlives them, is shown apart and left out of the total.  The last
column is the first program less the second.
  bench/cpu_by_thread.py NAME=PREFIX NAME=PREFIX   (PREFIX.1, PREFIX.2 ... are perf data files)"""
import collections, glob, re, statistics, subprocess, sys

ROLES = ("launch", "main before open", "main after open", "device thread", "alsa timer", "other threads",
         "capture", "desktop")
LINE = re.compile(r"\s*(\S+)\s+(\d+)/(\d+)\s+([\d.]+):\s+(\d+)\s+\S+\s+.*\((.*)\)\s*$")
SOUND_LIBRARIES = ("winmm.dll", "winealsa.drv", "libasound")


def attribute(path, program):
    """Milliseconds per role in one perf data file; `program` is the command
    name the program's Wine process has (cut to 15 characters, as Linux does)."""
    out = subprocess.run(["perf", "script", "-i", path, "-F", "comm,pid,tid,time,period,ip,dso"],
                         capture_output=True, text=True, check=True).stdout
    samples = [m.groups() for m in map(LINE.match, out.splitlines()) if m]
    pids = {pid for comm, pid, tid, *_ in samples if comm == program[:15] and pid == tid}
    opened = min((float(t) for comm, _, _, t, *_ in samples if comm == "winealsa_timer"), default=float("inf"))
    sound_threads = {tid for _, pid, tid, _, _, dso in samples
                     if pid in pids and pid != tid and any(name in dso for name in SOUND_LIBRARIES)}
    spent = collections.Counter()
    for comm, pid, tid, time, period, dso in samples:
        if comm in ("cat", "capture.sh", "sh"):
            role = "capture"
        elif comm == "explorer.exe":
            role = "desktop"  # Wine's desktop process, which some runs start and which outlives the program
        elif pid not in pids:
            continue
        elif comm == "winealsa_timer":
            role = "alsa timer"
        elif comm != program[:15] and not comm.startswith("wine_"):
            role = "launch"  # the launcher's scripts and Wine's loader, before the program's image runs
        elif tid == pid:
            role = "main before open" if float(time) < opened else "main after open"
        elif tid in sound_threads:
            role = "device thread"
        else:
            role = "other threads"
        spent[role] += int(period) / 1e6
    return spent


def main():
    programs = [argument.split("=", 1) for argument in sys.argv[1:]]
    if len(programs) != 2:
        sys.exit(__doc__)
    medians = {}
    for name, prefix in programs:
        runs = [attribute(path, name) for path in sorted(glob.glob(prefix + ".*"))]
        if not runs:
            sys.exit(f"cpu_by_thread: no perf data {prefix}.*")
        medians[name] = {role: statistics.median(run[role] for run in runs) for role in ROLES}
        medians[name]["total"] = statistics.median(sum(run.values()) - run["desktop"] for run in runs)
        print(f"{name}: {len(runs)} runs")
    (first, _), (second, _) = programs
    print(f"{'ms, medians':18} {first[:14]:>14} {second[:14]:>14} {'difference':>11}")
    for role in ROLES + ("total",):
        a, b = medians[first][role], medians[second][role]
        print(f"{role:18} {a:14.1f} {b:14.1f} {a - b:+11.1f}")


if __name__ == "__main__":
    main()
