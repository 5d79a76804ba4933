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
namespace and Wine's loader), so differences compare only the programs.

Wine starts a 64-bit program in a process of its own that is not below the
launcher, so the program's processes are found by their command line (Wine
sets it to the program's path) and by the run's own capture folder in their
environment, wherever they are (other Wine programs of the same name on the
machine are not this run's); the processor time of one outside the launcher's
tree is added from /proc as last seen.

With --traced N every program also runs N more times under Wine's trace
(+timestamp, +loaddll, +winmm) and the time from Wine loading the program's
image to its first waveOutOpen call is taken from Wine's own clock: a figure
that leaves out the launcher, the capture script's start and its share of the
processor.  --reference NAME prints every figure against that program too."""
import argparse, hashlib, math, os, re, statistics, subprocess, tempfile, threading, time

def stat_fields(pid):
    """/proc/PID/stat after the command name: state is [0], parent [1],
    user and system ticks [11] and [12]."""
    return open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()

def program_processes(root, program, capture):
    """The Wine processes whose command line names the program (lower case)
    and whose environment holds this run's capture folder, each with whether
    it is below `root`."""
    parents, found, mark = {}, [], f"VOLTANOR_CAPTURE_DIR={capture}".encode()
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        pid = int(entry)
        try:
            parents[pid] = int(stat_fields(pid)[1])
            command = open(f"/proc/{pid}/cmdline", "rb").read().decode("latin-1").lower()
            if (program in command and "wine" in os.readlink(f"/proc/{pid}/exe")
                    and mark in open(f"/proc/{pid}/environ", "rb").read().split(b"\0")):
                found.append(pid)
        except (OSError, ValueError, IndexError):
            pass
    def below(pid):
        while pid in parents and pid != root:
            pid = parents[pid]
        return pid == root
    return [(pid, below(pid)) for pid in found]

def peak_resident_kb(pid):
    try:
        for line in open(f"/proc/{pid}/status"):
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0

def watch(folder, root, program, stop, found, peak, outside_ticks):
    """Notes when the first capture file appears and follows the peak resident
    size (VmHWM) of the program's processes until the run ends, and the
    processor ticks of those outside the launcher's tree."""
    followed, next_search = {}, 0.0
    while not stop.is_set():
        if not found and any(n.endswith(".raw") for n in os.listdir(folder)):
            found.append(time.time())
        if time.time() >= next_search:
            for pid, below in program_processes(root, program, folder):
                followed.setdefault(pid, below)
            next_search = time.time() + 0.02
        for pid, below in followed.items():
            peak[0] = max(peak[0], peak_resident_kb(pid))
            if not below:
                try:
                    fields = stat_fields(pid)
                    outside_ticks[pid] = int(fields[11]) + int(fields[12])
                except (OSError, ValueError, IndexError):
                    pass
        time.sleep(0.0005)

def sound_of(folder):
    """Opens, seconds played, non-silent samples, a digest of the sound with its
    silence removed (the capture pipe adds or drops silence under load), and
    the time of the last write.  The digest takes each format once where it
    starts, not once per open: a sound played through fewer opens of the
    device has the same digest."""
    opens, seconds, loud, last, format_before = 0, 0.0, 0, None, None
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
        if name[5:] != format_before:
            digest.update(b"|" + name[5:].encode())
            format_before = name[5:]
        digest.update(kept)
        stamp = os.stat(path).st_mtime_ns / 1e9
        last = stamp if last is None else max(last, stamp)
    return opens, seconds, loud, digest.hexdigest()[:12], last

def run_once(launcher, exe, work, tag):
    capture = os.path.join(work, tag)
    os.mkdir(capture)
    env = dict(os.environ, VOLTANOR_CAPTURE_DIR=capture)
    log = open(os.path.join(work, tag + ".log"), "wb")
    stop, found, peak, outside_ticks = threading.Event(), [], [0], {}
    start = time.time()
    process = subprocess.Popen(launcher + [exe], env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    program = os.path.basename(exe).lower()
    watcher = threading.Thread(target=watch, args=(capture, process.pid, program, stop, found, peak, outside_ticks))
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
        "cpu": (usage.ru_utime + usage.ru_stime) * 1000
               + sum(outside_ticks.values()) * 1000 / os.sysconf("SC_CLK_TCK"),
        "sound": seconds * 1000,
        "opens": opens, "loud": loud, "digest": digest,
    }

TRACE_LINE = re.compile(r"^\s*(\d+\.\d+):[0-9a-f]+:trace:(\w+):(\w+)(.*)$")

def excess_over_pause(gap, pauses):
    """How much longer a gap is than the longest pause asked for that fits in
    it (pauses run in steps of 50 ms: a 149 ms pause lasts 100 ms)."""
    asked = max([0] + [p // 50 * 50 for p in pauses if p // 50 * 50 <= gap])
    return gap - asked

def traced_run(launcher, exe, work, tag, pauses):
    """From one run under Wine's trace: milliseconds from Wine loading the
    program's image to its first waveOutOpen call (None when either is
    missing), the device opens, and the gaps between sounds: from the moment
    the program has taken back the last block it had queued (its
    waveOutUnprepareHeader) to its next waveOutWrite, which is the silence the
    program itself leaves between two sounds, device reopens included.  Each
    gap also less the pause the settings ask for that fits in it."""
    capture = os.path.join(work, tag)
    os.mkdir(capture)
    env = dict(os.environ, VOLTANOR_CAPTURE_DIR=capture, WINEDEBUG="+timestamp,+loaddll,+winmm")
    trace = os.path.join(work, tag + ".trace")
    with open(trace, "wb") as log:
        subprocess.run(launcher + [exe], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=log)
    name, loaded, first_open, opens, queued, emptied, gaps = os.path.basename(exe).lower(), None, None, 0, 0, None, []
    with open(trace, encoding="latin-1") as lines:
        for line in lines:
            match = TRACE_LINE.match(line)
            if not match:
                continue
            stamp, channel, function, rest = match.groups()
            stamp = float(stamp) * 1000
            if loaded is None and channel == "loaddll" and "Loaded" in rest and name in rest.lower():
                loaded = stamp
            elif loaded is None or channel != "winmm":
                continue
            elif function == "waveOutOpen":
                opens += 1
                if first_open is None:
                    first_open = stamp - loaded
            elif function == "waveOutWrite" and rest.startswith(" ("):  # not its second line, the length
                if queued == 0 and emptied is not None:
                    gaps.append(stamp - emptied)
                queued += 1
            elif function == "waveOutUnprepareHeader" and queued > 0:
                queued -= 1
                emptied = stamp if queued == 0 else None
            elif function == "waveOutReset":
                queued, emptied = 0, None
    return {"open": first_open, "trace_opens": opens if loaded is not None else None,
            "gap": max(gaps) if gaps else None,
            "excess": max(excess_over_pause(g, pauses) for g in gaps) if gaps else None,
            "pauses": sorted(round(g) for g in gaps if g >= 100)}

def median(rows, key):
    values = [r[key] for r in rows if r[key] is not None]
    return statistics.median(values) if values else None

def least(rows, key):
    values = [r[key] for r in rows if r[key] is not None]
    return min(values) if values else None

def show(value, unit, digits=0):
    return "-" if value is None else f"{value:.{digits}f} {unit}"

def median_interval(values, confidence=0.95):
    """The median of values and a distribution-free interval that holds the
    true median with at least that confidence (order statistics of the
    binomial), or None for the interval when there are too few values."""
    values = sorted(values)
    n = len(values)
    # The widest k whose interval [k-th, (n+1-k)-th] still reaches the confidence.
    k, covered = None, 1.0
    for rank in range(1, n // 2 + 1):
        covered -= 2 * math.comb(n, rank - 1) / 2 ** n
        if covered < confidence:
            break
        k = rank
    if k is None:
        return statistics.median(values), None
    return statistics.median(values), (values[k - 1], values[n - k])

def paired_cpu(results, name, reference):
    """Processor time against the reference run by run: the programs take
    turns, so each difference is taken in the same state of the machine."""
    return [r["cpu"] - b["cpu"] for r, b in zip(results[name], results[reference])]

def side_by_side(args, results, traced, pauses):
    """One table for the programs compared (say, the build before a change and
    the one after): medians of every run, gaps from the traced runs."""
    names = [n for n in args.side_by_side.split(",") if n in results]
    wave, reference = median(results["trivial_wave"], "cpu"), median(results[args.reference], "cpu")
    stream = median(results["trivial_stream"], "cpu") if "trivial_stream" in results else None
    ref_first, ref_rss = median(results[args.reference], "first"), median(results[args.reference], "rss")
    print(f"\nside by side, medians of {args.runs} runs ({args.traced} traced for the gaps); pauses asked: {pauses} ms")
    print(f"{'program':16} {'opens':>5} {'cpu-trivial_wave':>17} {'cpu-' + args.reference:>19} "
          f"{'cpu-trivial_stream':>19} {'longest gap':>12} {'gap-pause':>10} {'first sound-ref':>16} {'peak memory':>12}")
    for name in names:
        rows, marks = results[name], traced.get(name) or []
        cpu = median(rows, "cpu")
        first = median(rows, "first")
        print(f"{name:16} {median(rows, 'opens'):5.0f} {cpu - wave:+14.0f} ms {cpu - reference:+16.0f} ms "
              f"{'-' if stream is None else f'{cpu - stream:+.0f} ms':>19} "
              f"{show(median(marks, 'gap'), 'ms', 1) if marks else '-':>12} "
              f"{show(median(marks, 'excess'), 'ms', 1) if marks else '-':>10} "
              f"{'-' if first is None else f'{first - ref_first:+.0f} ms':>16} "
              f"{median(rows, 'rss'):9.1f} MB")
    print("  (trivial_stream: trivial_report playing the report's whole sound in one open, the least that sound"
          " costs under Wine;\n   gap: from the program taking back the last block it had queued to its next write;"
          " gap-pause: the longest gap\n   less the pause asked that fits in it; first sound and"
          f" peak memory against {args.reference} / absolute)")
    print(f"  processor time against {args.reference}, run by run (each difference taken in the same turn):"
          " median, and the interval that holds the true median with 95 % confidence")
    for name in names:
        mid, interval = median_interval(paired_cpu(results, name, args.reference))
        span = "too few runs" if interval is None else f"{interval[0]:+.0f} to {interval[1]:+.0f} ms"
        print(f"    {name:16} {mid:+.0f} ms   ({span})")
    print("  gaps of 100 ms or more (the pauses asked for), each traced run:")
    for name in names:
        for mark in traced.get(name) or []:
            print(f"    {name:16} {mark['pauses']}")

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--launcher", required=True, help="command before the .exe, space separated")
    parser.add_argument("--traced", type=int, default=0, help="runs under Wine's trace per program")
    parser.add_argument("--reference", help="NAME of a program to print every figure against as well")
    parser.add_argument("--pauses", default="150,200,250",
                        help="the pauses in ms the settings ask for (comma, colon, full stop)")
    parser.add_argument("--side-by-side", default="",
                        help="comma-separated NAMEs compared in one table against trivial_wave and --reference")
    parser.add_argument("programs", nargs="+", help="NAME=EXE; the first is the yardstick")
    args = parser.parse_args()
    launcher = args.launcher.split()
    pauses = [int(p) for p in args.pauses.split(",") if p]
    programs = [p.split("=", 1) for p in args.programs]
    results = {name: [] for name, _ in programs}
    print(f"load average before: {open('/proc/loadavg').read().split()[:3]}")
    with tempfile.TemporaryDirectory() as work:
        for run in range(args.runs):
            for name, exe in programs:
                results[name].append(run_once(launcher, exe, work, f"{name}-{run}"))
        traced = {name: [] for name, _ in programs}
        for run in range(args.traced):
            for name, exe in programs:
                if results[name][0]["opens"]:
                    traced[name].append(traced_run(launcher, exe, work, f"{name}-traced-{run}", pauses))
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
    if args.reference:
        reference = results[args.reference]
        print(f"\nwhat is the program's own: against {args.reference}, medians (best runs in brackets)")
        for name, _ in programs:
            rows = results[name]
            if name == args.reference or not rows[0]["opens"]:
                continue
            cells = []
            for key, unit, digits in (("first", "ms", 0), ("rss", "MB", 1), ("cpu", "ms", 0)):
                mid, best = median(rows, key), least(rows, key)
                ref_mid, ref_best = median(reference, key), least(reference, key)
                if mid is None or ref_mid is None:
                    cells.append("-")
                    continue
                cells.append(f"{mid - ref_mid:+.{digits}f} {unit} ({best - ref_best:+.{digits}f})")
            print(f"  {name:16} first sound {cells[0]:>16}   peak memory {cells[1]:>14}   processor time {cells[2]:>16}")
    if args.traced:
        print(f"\nunder Wine's trace, {args.traced} runs: Wine loading the program's image to its first"
              " waveOutOpen, median (least)")
        ref_rows = traced.get(args.reference) or []
        ref_mid, ref_least = median(ref_rows, "open") if ref_rows else None, least(ref_rows, "open")
        for name, _ in programs:
            rows = traced[name]
            if not rows:
                continue
            mid, low = median(rows, "open"), least(rows, "open")
            cell = f"{show(mid, 'ms')} ({show(low, 'ms')})"
            if name != args.reference and mid is not None and ref_mid is not None:
                cell += f"   against {args.reference}: {mid - ref_mid:+.0f} ms ({low - ref_least:+.0f})"
            print(f"  {name:16} {cell}")
    if args.side_by_side:
        side_by_side(args, results, traced, pauses)
    print(f"\n(the yardstick {base_name}: whole run {base_run:.0f} ms, peak memory {base_rss:.1f} MB,"
          f" processor time {base_cpu:.0f} ms)")

if __name__ == "__main__":
    main()
