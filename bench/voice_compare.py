#!/usr/bin/env python3
"""Compares the default voice with espeak-ng pt-br; run by bench/voice_fluency.sh.

  voice_compare.py sound DIR
      DIR/ours/N.raw, DIR/espeak/N.raw (sentences) and DIR/ours-words/N.raw,
      DIR/espeak-words/N.raw (their words alone): 8-bit unsigned, 11025 Hz.
      Prints the duration ratio, the silence inside words and the sample jumps.
  voice_compare.py sample WORD_LIST COUNT SEED TOP
      COUNT lower-case words of WORD_LIST, drawn with SEED, that code page
      1252 can hold and that no file under TOP/data or TOP/tests contains.
  voice_compare.py words WORDS OURS ESPEAK
      WORDS the sampled words (UTF-8), OURS our translations (one a line),
      ESPEAK espeak-ng's phoneme mnemonics (-x): prints stress agreement,
      phoneme error rate and open/closed e/o of the stressed vowel.
"""
import os
import sys

RATE = 11025
FRAME = 55          # 5 ms
SILENT_RMS = 2.0    # in 8-bit steps around 128


def read_raw(path):
    with open(path, "rb") as f:
        return [b - 128 for b in f.read()]


def frames_rms(s):
    out = []
    for i in range(0, len(s) - FRAME + 1, FRAME):
        chunk = s[i:i + FRAME]
        out.append((sum(v * v for v in chunk) / FRAME) ** 0.5)
    return out


def sounding_span(rms):
    loud = [i for i, r in enumerate(rms) if r >= SILENT_RMS]
    return (loud[0], loud[-1]) if loud else (0, -1)


def trimmed_seconds(s):
    first, last = sounding_span(frames_rms(s))
    return max(0, last - first + 1) * FRAME / RATE


def inner_silence_seconds(s):
    rms = frames_rms(s)
    first, last = sounding_span(rms)
    return sum(1 for r in rms[first:last + 1] if r < SILENT_RMS) * FRAME / RATE


def numbered(directory):
    names = [n for n in os.listdir(directory) if n.endswith(".raw")]
    return sorted(names, key=lambda n: int(n.split(".")[0]))


def sound(top):
    ours_dir, espeak_dir = os.path.join(top, "ours"), os.path.join(top, "espeak")
    total_ours = total_espeak = 0.0
    ratios = []
    join_jumps = []
    espeak_jump = 0
    for name in numbered(espeak_dir):
        o, e = read_raw(os.path.join(ours_dir, name)), read_raw(os.path.join(espeak_dir, name))
        to, te = trimmed_seconds(o), trimmed_seconds(e)
        total_ours += to
        total_espeak += te
        ratios.append(to / te if te else 0)
        espeak_jump = max([espeak_jump] + [abs(e[i] - e[i - 1]) for i in range(1, len(e))])
        with open(os.path.join(ours_dir, name.replace(".raw", ".joins"))) as f:
            for line in f:
                at = int(line)
                if 0 < at < len(o):
                    join_jumps.append((abs(o[at] - o[at - 1]), name, at))
    print("sentences: %d, ours %.2f s, espeak-ng %.2f s (sounding part of each)" %
          (len(ratios), total_ours, total_espeak))
    print("duration ratio ours/espeak-ng: %.3f (per sentence %.2f to %.2f)" %
          (total_ours / total_espeak, min(ratios), max(ratios)))
    silence_ours = silence_espeak = 0.0
    for name in numbered(os.path.join(top, "espeak-words")):
        silence_ours += inner_silence_seconds(read_raw(os.path.join(top, "ours-words", name)))
        silence_espeak += inner_silence_seconds(read_raw(os.path.join(top, "espeak-words", name)))
    print("silence inside words: ours %.2f s, espeak-ng %.2f s, ratio %.2f" %
          (silence_ours, silence_espeak, silence_ours / silence_espeak if silence_espeak else 0))
    join_jumps.sort(reverse=True)
    if join_jumps:
        print("largest sample jump at a join: %d (sentence %s, sample %d); joins: %d, above espeak-ng's largest: %d"
              % (join_jumps[0][0], join_jumps[0][1], join_jumps[0][2], len(join_jumps),
                 sum(1 for j in join_jumps if j[0] > espeak_jump)))
    print("largest sample jump anywhere in espeak-ng's output: %d" % espeak_jump)


# ---- phonemes on one reduced alphabet -------------------------------------
# Vowels a e E i o O u, nasal a~ e~ i~ o~ u~; glides count as i and u; the
# consonants p b t d k g f v s z m n l, x (ch), j (soft g), r (tap), R (strong
# r), nh, lh, tch, dj.  Each vowel carries its stress.

VOWELS = {"a", "e", "E", "i", "o", "O", "u"}


def espeak_units(text):
    """espeak-ng -x mnemonics to [(symbol, stressed)]."""
    table = [("&~", "a~"), ("e~", "e~"), ("i~", "i~"), ("o~", "o~"), ("u~", "u~"), ("U~", "u~"),
             ("I~", "i~"), ("tS", "tch"), ("dZ", "dj"), ("n^", "nh"), ("l^", "lh"), ("lj", "lh"),
             ("&", "a"), ("a", "a"), ("e", "e"), ("E", "E"), ("i", "i"), ("I", "i"), ("y", "i"),
             ("o", "o"), ("O", "O"), ("u", "u"), ("U", "u"), ("w", "u"), ("j", "i"),
             ("S", "x"), ("Z", "j"), ("*", "r"), ("R", "r"), ("x", "R"), ("h", "R"), ("r", "R"),
             ("p", "p"), ("b", "b"), ("t", "t"), ("d", "d"), ("k", "k"), ("g", "g"), ("f", "f"),
             ("v", "v"), ("s", "s"), ("z", "z"), ("m", "m"), ("n", "n"), ("l", "l")]
    out = []
    stress_next = False
    i = 0
    while i < len(text):
        c = text[i]
        if c == "'":
            stress_next = True
            i += 1
            continue
        if c == "N":  # nasal tail: the vowel before it (or before its glide) is nasal
            k = len(out) - 1
            if k > 0 and out[k][0] in ("i", "u") and out[k - 1][0] in VOWELS:
                k -= 1
            if k >= 0 and out[k][0] in VOWELS:
                base = {"E": "e", "O": "o"}.get(out[k][0], out[k][0])
                out[k] = (base + "~", out[k][1])
            i += 1
            continue
        for src, dst in table:
            if text.startswith(src, i):
                vowel = dst[0] in "aeEioOu" and dst not in ("tch",)
                out.append((dst, stress_next and vowel))
                if vowel:
                    stress_next = False
                i += len(src)
                break
        else:
            i += 1  # , @ - : and other marks
    # m and n that close a syllable only mark the vowel before them as nasal.
    merged = []
    for k, (sym, stressed) in enumerate(out):
        after_vowel = merged and merged[-1][0].rstrip("~") in VOWELS
        before_vowel = k + 1 < len(out) and out[k + 1][0].rstrip("~") in VOWELS
        if sym in ("m", "n") and after_vowel and not before_vowel:
            base = {"E": "e", "O": "o"}.get(merged[-1][0].rstrip("~"), merged[-1][0].rstrip("~"))
            merged[-1] = (base + "~", merged[-1][1])
            continue
        merged.append((sym, stressed))
    return normalized(merged)


def normalized(units):
    """What both sides write differently for one sound: a nasal diphthong's
    glide (nasal on one side, plain on the other; the glide of e~ written or
    not) and a strong or tapped r closing a syllable."""
    out = []
    for k, (sym, stressed) in enumerate(units):
        prev = out[-1][0] if out else ""
        if sym in ("i~", "u~") and not stressed and prev.rstrip("~") in VOWELS and prev.rstrip("~") not in ("i", "u"):
            out[-1] = ({"E": "e", "O": "o"}.get(prev.rstrip("~"), prev.rstrip("~")) + "~", out[-1][1])
            sym = sym[0]
            prev = out[-1][0]
        if sym == "i" and not stressed and prev == "e~":
            continue
        if sym == "R" and not (k + 1 < len(units) and units[k + 1][0].rstrip("~") in VOWELS):
            sym = "r"
        out.append((sym, stressed))
    return out


def ours_units(text):
    """Our phoneme string ([..] groups) to [(symbol, stressed)]."""
    out = []
    i = 0
    multi = [("tch", "tch"), ("dj", "dj"), ("nh", "nh"), ("ly", "lh"), ("rr", "R"), ("ks", "ks")]
    while i < len(text):
        c = text[i]
        if c in "[]/ ":
            i += 1
            continue
        if c == "_":
            i += 2
            continue
        for src, dst in multi:
            if text.startswith(src, i):
                if dst == "ks":
                    out += [("k", False), ("s", False)]
                else:
                    out.append((dst, False))
                i += len(src)
                break
        else:
            low = c.lower()
            stressed = c.isupper()
            mark = text[i + 1] if i + 1 < len(text) else ""
            if low in "aeiou":
                sym = low
                if mark == "~":
                    sym = low + "~"
                    i += 1
                elif mark == "^":
                    sym = {"e": "e", "o": "o"}.get(low, low)
                    i += 1
                else:
                    sym = {"e": "E", "o": "O"}.get(low, low)
                out.append((sym, stressed))
            elif low == "w":
                out.append(("u", False))
            elif low == "y":
                out.append(("i", False))
            else:
                out.append((low, False))
            i += 1
    return normalized(out)


def align(a, b):
    """Edit distance of two symbol lists and, for each index of b, the index of a
    aligned to it (None where b's symbol was inserted)."""
    rows = [list(range(len(b) + 1))]
    for i, x in enumerate(a, 1):
        cur = [i]
        for j, y in enumerate(b, 1):
            cur.append(min(rows[-1][j] + 1, cur[j - 1] + 1, rows[-1][j - 1] + (x != y)))
        rows.append(cur)
    pairs = [None] * len(b)
    i, j = len(a), len(b)
    while i > 0 and j > 0:
        if rows[i][j] == rows[i - 1][j - 1] + (a[i - 1] != b[j - 1]):
            pairs[j - 1] = i - 1
            i, j = i - 1, j - 1
        elif rows[i][j] == rows[i - 1][j] + 1:
            i -= 1
        else:
            j -= 1
    return rows[-1][-1], pairs


def stressed_index(units):
    for k, (_, stressed) in enumerate(units):
        if stressed:
            return k
    return None


def words(words_file, ours_file, espeak_file, show=0):
    with open(words_file, encoding="utf-8") as f:
        ws = [l.strip() for l in f]
    with open(ours_file, encoding="cp1252") as f:
        ours = [l.rstrip("\n") for l in f]
    with open(espeak_file, encoding="utf-8") as f:
        esp = [l.strip() for l in f]
    assert len(ws) == len(ours) == len(esp), (len(ws), len(ours), len(esp))
    stress_ok = eo_total = eo_ok = errors = length = 0
    bad_stress, bad_eo = [], []
    ops = {}
    show_ops = show > 0
    for w, o, e in zip(ws, ours, esp):
        ou, eu = ours_units(o), espeak_units(e)
        a = [s for s, _ in ou]
        b = [s for s, _ in eu]
        distance, pairs = align(a, b)
        errors += distance
        length += len(b)
        # Stress agrees when espeak-ng's stressed vowel lines up with ours.
        se, so = stressed_index(eu), stressed_index(ou)
        same = se is not None and so is not None and pairs[se] == so
        if same:
            stress_ok += 1
        else:
            bad_stress.append("%s: ours %s espeak-ng %s" % (w, o, e))
        if se is not None and b[se] in ("e", "E", "o", "O"):
            eo_total += 1
            if same and a[so] == b[se]:
                eo_ok += 1
            else:
                bad_eo.append("%s: ours %s espeak-ng %s" % (w, o, e))
        if show_ops:
            for j, y in enumerate(b):
                x = a[pairs[j]] if pairs[j] is not None else "-"
                if x != y:
                    ops.setdefault((x, y), []).append(w)
            for i in set(range(len(a))) - set(pairs):
                ops.setdefault((a[i], "-"), []).append(w)
    n = len(ws)
    print("words: %d" % n)
    print("stressed syllable agreement: %.2f %% (%d differ)" % (100.0 * stress_ok / n, n - stress_ok))
    print("phoneme error rate: %.2f %% (%d edits over %d phonemes)" % (100.0 * errors / length, errors, length))
    print("open/closed e/o of the stressed vowel: %.2f %% of %d" % (100.0 * eo_ok / max(1, eo_total), eo_total))
    if show_ops:
        print("  most frequent substitutions and insertions (ours, espeak-ng):",
              "; ".join("%s>%s %d (%s)" % (k[0], k[1], len(v), " ".join(v[:3]))
                            for k, v in sorted(ops.items(), key=lambda kv: -len(kv[1]))[:30]))
    for line in bad_stress[:show]:
        print("  stress: " + line)
    for line in bad_eo[:show]:
        print("  e/o: " + line)


def sample(word_list, count, seed, top):
    import random
    import re
    known = set()
    for folder in ("data", "tests"):
        for root, _, files in os.walk(os.path.join(top, folder)):
            for name in files:
                raw = open(os.path.join(root, name), "rb").read()
                try:
                    text = raw.decode("utf-8")
                except UnicodeDecodeError:
                    text = raw.decode("cp1252")
                known.update(w.lower() for w in re.findall(r"[^\W\d_]+", text))
    with open(word_list, encoding="utf-8") as f:
        candidates = []
        for line in f:
            w = line.strip()
            if not w or not re.fullmatch(r"[a-zà-öø-ÿ]+", w) or w in known:
                continue
            try:
                w.encode("cp1252")
            except UnicodeEncodeError:
                continue
            candidates.append(w)
    for w in random.Random(seed).sample(candidates, count):
        print(w)


if __name__ == "__main__":
    if len(sys.argv) == 6 and sys.argv[1] == "sample":
        sample(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5])
        sys.exit(0)
    if len(sys.argv) == 3 and sys.argv[1] == "sound":
        sound(sys.argv[2])
    elif len(sys.argv) >= 5 and sys.argv[1] == "words":
        words(sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5]) if len(sys.argv) > 5 else 0)
    else:
        sys.exit(__doc__)
