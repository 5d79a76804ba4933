#!/usr/bin/env python3
"""How smoothly the default voice's units meet, against espeak-ng's own
transitions; run by bench/voice_fluency.sh after it rendered the sentences.

  voice_joins.py DIR
      DIR/ours/N.raw with DIR/ours/N.joins (the sample positions where one
      database unit meets the next) and DIR/espeak/N.raw, 8-bit unsigned at
      11025 Hz.

At every join where both sides are voiced (loud enough and few zero
crossings: vowels, nasals, liquids), the 11.6 ms before the join and the
11.6 ms after it each get an LPC envelope: the second formant (F2, the second
envelope peak above 200 Hz) and the distance between the two envelopes (mean
absolute difference in dB, 100 Hz to 4 kHz).  espeak-ng has no joins, so its
figures are those of every two neighbouring windows of its voiced
speech: what a smooth transition looks like.  Ours inside the units are given
too, to tell a jump made by a join from a fast transition in the recording.
"""
import math
import os
import sys

from voice_compare import numbered, read_raw

RATE = 11025
WINDOW = 128        # 11.6 ms: a unit after its cut is often shorter than 40 ms
ORDER = 12
VOICED_LEVEL = 0.15 # of the signal's loud level (90th percentile of its windows)
VOICED_CROSSINGS = 0.2  # zero crossings a sample at most: a fricative has more
GRID = [100 + 20 * k for k in range(196)]  # 100 Hz .. 4 kHz


def rms(chunk):
    return (sum(v * v for v in chunk) / len(chunk)) ** 0.5 if chunk else 0.0


def lpc(chunk):
    """Autocorrelation LPC of a pre-emphasised, Hamming-windowed chunk."""
    n = len(chunk)
    x = [chunk[0]] + [chunk[i] - 0.94 * chunk[i - 1] for i in range(1, n)]
    x = [v * (0.54 - 0.46 * math.cos(2 * math.pi * i / (n - 1))) for i, v in enumerate(x)]
    r = [sum(x[i] * x[i + k] for i in range(n - k)) for k in range(ORDER + 1)]
    if r[0] <= 0:
        return None
    r[0] *= 1.0001
    a = [1.0] + [0.0] * ORDER
    err = r[0]
    for i in range(1, ORDER + 1):
        acc = r[i] + sum(a[j] * r[i - j] for j in range(1, i))
        k = -acc / err
        a = [a[j] + k * a[i - j] if 0 < j < i else a[j] for j in range(ORDER + 1)]
        a[i] = k
        err *= 1 - k * k
        if err <= 0:
            return None
    return a


def envelope(a):
    """The LPC envelope in dB on GRID."""
    out = []
    for f in GRID:
        w = 2 * math.pi * f / RATE
        re = sum(c * math.cos(w * k) for k, c in enumerate(a))
        im = -sum(c * math.sin(w * k) for k, c in enumerate(a))
        out.append(-10 * math.log10(re * re + im * im + 1e-12))
    return out


def second_formant(env):
    peaks = [GRID[i] for i in range(1, len(env) - 1)
             if env[i] > env[i - 1] and env[i] >= env[i + 1] and GRID[i] > 200]
    return peaks[1] if len(peaks) > 1 else None


def loud_level(s):
    levels = sorted(rms(s[i:i + WINDOW]) for i in range(0, len(s) - WINDOW + 1, WINDOW))
    return levels[int(0.9 * len(levels))] if levels else 0.0


def voiced(chunk, level):
    crossings = sum(1 for i in range(1, len(chunk)) if (chunk[i] >= 0) != (chunk[i - 1] >= 0))
    return rms(chunk) >= VOICED_LEVEL * level and crossings <= VOICED_CROSSINGS * len(chunk)


def compare(s, at, level):
    """(F2 jump in Hz or None, envelope distance in dB) across position at,
    or None when either side is unvoiced."""
    before, after = s[at - WINDOW:at], s[at:at + WINDOW]
    if len(before) < WINDOW or len(after) < WINDOW or not voiced(before, level) or not voiced(after, level):
        return None
    a, b = lpc(before), lpc(after)
    if a is None or b is None:
        return None
    ea, eb = envelope(a), envelope(b)
    distance = sum(abs(x - y) for x, y in zip(ea, eb)) / len(GRID)
    fa, fb = second_formant(ea), second_formant(eb)
    return (abs(fa - fb) if fa and fb else None, distance)


def summary(label, pairs):
    jumps = sorted(p[0] for p in pairs if p[0] is not None)
    distances = sorted(p[1] for p in pairs)
    if not distances:
        print("%s: none" % label)
        return

    def at(values, q):
        return values[min(len(values) - 1, int(q * len(values)))] if values else 0

    print("%s: %d voiced; F2 jump median %d Hz, 90th percentile %d Hz, above 300 Hz %.0f %%; "
          "envelope distance median %.1f dB, 90th percentile %.1f dB"
          % (label, len(distances), at(jumps, 0.5), at(jumps, 0.9),
             100.0 * sum(1 for j in jumps if j > 300) / max(1, len(jumps)),
             at(distances, 0.5), at(distances, 0.9)))


def main(top):
    joins, inside, espeak = [], [], []
    for name in numbered(os.path.join(top, "espeak")):
        o = read_raw(os.path.join(top, "ours", name))
        level = loud_level(o)
        with open(os.path.join(top, "ours", name.replace(".raw", ".joins"))) as f:
            points = sorted(int(line) for line in f if line.strip())
        for at in points:
            found = compare(o, at, level)
            if found:
                joins.append(found)
        # Inside the units: the middle between two joins far enough apart.
        for p, q in zip(points, points[1:]):
            if q - p >= 2 * WINDOW:
                found = compare(o, (p + q) // 2, level)
                if found:
                    inside.append(found)
        e = read_raw(os.path.join(top, "espeak", name))
        level = loud_level(e)
        for at in range(WINDOW, len(e) - WINDOW, WINDOW):
            found = compare(e, at, level)
            if found:
                espeak.append(found)
    summary("ours at unit joins", joins)
    summary("ours inside units", inside)
    summary("espeak-ng, neighbouring windows", espeak)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
