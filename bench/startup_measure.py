#!/usr/bin/env python3
"""Runs Windows programs under Wine side by side and compares them with the
first one (the yardstick): launch to the wave device's first open, peak
resident memory, whole run, and how long the program lives after its last
sound.  Called by bench/startup_bench.sh, which prepares Wine, the capture and
the battery; each program NAME=EXE runs RUNS times, the programs taking turns.

The first open is the moment the first capture file appears (the capture script
creates it when Wine opens the device); the last sound is the capture files'
last write; memory is the peak resident size (VmHWM) of the Wine process that
runs the program, followed while it runs (wait4's largest child when it could
not be followed).  Every figure includes the same launcher (the battery's mount
namespace and Wine's loader), so differences compare only the programs."""
import argparse, hashlib, os, statistics, subprocess, tempfile, threading, time

def wine_process_below(root):
    """The Wine process that runs the program: the descendant of `root` whose
    executable is Wine's loader (None until it has started)."""
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                parents[int(entry)] = int(open(f"/proc/{entry}/stat").read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                pass
    for pid in sorted(parents):  # the program starts before whatever Wine starts from it
        ancestor = pid
        while ancestor in parents and ancestor != root:
            ancestor = parents[ancestor]
        if ancestor == root and pid != root:
            try:
                if "wine" in os.readlink(f"/proc/{pid}/exe"):
                    return pid
            except OSError:
                pass
    return None

def peak_resident_kb(pid):
    try:
        for line in open(f"/proc/{pid}/status"):
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0

def watch(folder, root, stop, found, peak):
    """Notes when the first capture file appears and follows the Wine
    process's peak resident size (VmHWM) until the run ends."""
    wine, next_search = None, 0.0
    while not stop.is_set():
        if not found and any(n.endswith(".raw") for n in os.listdir(folder)):
            found.append(time.time())
        if wine is None and time.time() >= next_search:
            wine, next_search = wine_process_below(root), time.time() + 0.02
        if wine is not None:
            peak[0] = max(peak[0], peak_resident_kb(wine))
        time.sleep(0.0005)

def sound_of(folder):
    """Opens, seconds played, non-silent samples, a digest of the sound with its
    silence removed (the capture pipe adds or drops silence under load), and
    the time of the last write."""
    opens, seconds, loud, last = 0, 0.0, 0, None
    digest = hashlib.sha1()
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".raw"):
            continue
        path = os.path.join(folder, name)
        rate, channels, fmt = name[5:-4].split("-")
        width = 1 if fmt in ("U8", "S8") else 2
        data = open(path, "rb").read()
        opens += 1
        seconds += len(data) / (int(rate) * int(channels) * width)
        if width == 1:
            kept = bytes(b for b in data if b != 128) if fmt == "U8" else data.replace(b"\0", b"")
        else:
            kept = b"".join(data[i:i + 2] for i in range(0, len(data) - 1, 2) if data[i:i + 2] != b"\0\0")
        loud += len(kept) // width
        digest.update(name[5:].encode() + kept)
        stamp = os.stat(path).st_mtime_ns / 1e9
        last = stamp if last is None else max(last, stamp)
    return opens, seconds, loud, digest.hexdigest()[:12], last

def run_once(launcher, exe, work, tag):
    capture = os.path.join(work, tag)
    os.mkdir(capture)
    env = dict(os.environ, VOLTANOR_CAPTURE_DIR=capture)
    log = open(os.path.join(work, tag + ".log"), "wb")
    stop, found, peak = threading.Event(), [], [0]
    start = time.time()
    process = subprocess.Popen(launcher + [exe], env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    watcher = threading.Thread(target=watch, args=(capture, process.pid, stop, found, peak))
    watcher.start()
    _, status, usage = os.wait4(process.pid, 0)
    end = time.time()
    stop.set()
    watcher.join()
    process.returncode = os.waitstatus_to_exitcode(status)
    opens, seconds, loud, digest, last = sound_of(capture)
    return {
        "status": process.returncode,
        "run": (end - start) * 1000,
        "first": (found[0] - start) * 1000 if found else None,
        "after_last": (end - last) * 1000 if last else None,
        "rss": (peak[0] or usage.ru_maxrss) / 1024,
        "cpu": (usage.ru_utime + usage.ru_stime) * 1000,
        "sound": seconds * 1000,
        "opens": opens, "loud": loud, "digest": digest,
    }

def median(rows, key):
    values = [r[key] for r in rows if r[key] is not None]
    return statistics.median(values) if values else None

def least(rows, key):
    values = [r[key] for r in rows if r[key] is not None]
    return min(values) if values else None

def show(value, unit, digits=0):
    return "-" if value is None else f"{value:.{digits}f} {unit}"

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--launcher", required=True, help="command before the .exe, space separated")
    parser.add_argument("programs", nargs="+", help="NAME=EXE; the first is the yardstick")
    args = parser.parse_args()
    launcher = args.launcher.split()
    programs = [p.split("=", 1) for p in args.programs]
    results = {name: [] for name, _ in programs}
    print(f"load average before: {open('/proc/loadavg').read().split()[:3]}")
    with tempfile.TemporaryDirectory() as work:
        for run in range(args.runs):
            for name, exe in programs:
                results[name].append(run_once(launcher, exe, work, f"{name}-{run}"))
    print(f"load average after:  {open('/proc/loadavg').read().split()[:3]}")

    base_name = programs[0][0]
    base = results[base_name]
    base_run, base_rss = median(base, "run"), median(base, "rss")
    print(f"\nmedians of {args.runs} runs, against {base_name} (its whole run, its peak memory)")
    print(f"{'program':16} {'first sound - yardstick run':>28} {'ratio':>6} {'peak memory - yardstick':>24} "
          f"{'ratio':>6} {'run - sound played':>19} {'end after last sound':>21}")
    for name, _ in programs:
        rows = results[name]
        first, rss, run = median(rows, "first"), median(rows, "rss"), median(rows, "run")
        played = median(rows, "sound")
        first_cell = "-" if first is None else f"{first - base_run:+.0f} ms"
        first_ratio = "-" if first is None else f"{first / base_run:.2f}"
        run_cell = f"{run - base_run:+.0f} ms" if not played else f"{run - played - base_run:+.0f} ms"
        print(f"{name:16} {first_cell:>28} {first_ratio:>6} {rss - base_rss:+21.1f} MB {rss / base_rss:6.2f} "
              f"{run_cell:>19} {show(median(rows, 'after_last'), 'ms'):>21}")
    print("\nprocessor time of the whole run (user and system, the program's processes only, not the"
          " wineserver's):\n a figure that other work on the machine disturbs far less than the times above")
    base_cpu = median(base, "cpu")
    for name, _ in programs:
        cpu = median(results[name], "cpu")
        print(f"  {name:16} {cpu - base_cpu:+6.0f} ms   ratio {cpu / base_cpu:.2f}")
    print("\n(run - sound played: the whole run less the duration of the sound played, against the"
          " yardstick's whole run.\n The capture device takes sound faster than real time, so the"
          " run itself is shorter than the sound.)")
    print("\nbest of the runs (least disturbed by other work on the machine), against the yardstick's best run")
    base_best_run, base_best_rss = least(base, "run"), least(base, "rss")
    for name, _ in programs:
        rows = results[name]
        first = least(rows, "first")
        first_cell = "-" if first is None else f"first sound {first - base_best_run:+.0f} ms"
        print(f"  {name:16} {first_cell:>24}   peak memory {least(rows, 'rss') - base_best_rss:+.1f} MB"
              f"   end after last sound {show(least(rows, 'after_last'), 'ms')}")
    print("\nsound per program (every run): exit codes, device opens, non-silent samples, digest of the sound without silence")
    for name, _ in programs:
        rows = results[name]
        seen = sorted({(r["status"], r["opens"], r["loud"], r["digest"]) for r in rows})
        print(f"  {name:16} " + "; ".join(f"exit {s} opens {o} loud {l} sound {d}" for s, o, l, d in seen))
    print(f"\n(the yardstick {base_name}: whole run {base_run:.0f} ms, peak memory {base_rss:.1f} MB,"
          f" processor time {base_cpu:.0f} ms)")

if __name__ == "__main__":
    main()
