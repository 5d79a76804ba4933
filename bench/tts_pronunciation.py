#!/usr/bin/env python3
"""Pronunciation of the text-to-speech engine against espeak-ng pt-br.

A seeded sample of lower-case words of /usr/share/dict/brazilian, leaving out
every word that appears in data/ and tests/, goes through the engine's
pronunciation stage (data/tts/portug.nrl and portug.exc) and through
espeak-ng -v pt-br.  Both phoneme strings are mapped onto one reduced
alphabet (open and closed vowels merged, glides as their vowels where a
vowel stands beside them, so that a glide that lost its vowel ("aquilo" as
a k y l u) counts as an error, lh as l and i, coda s, r and l as one class
each, affricates as plain t and d because br1 has no t-x and d-j pairs to
say them with (bench/tts_br1_pairs.py prints that), and no unstressed i
between a stop, f or v and another consonant: what br1 can say).
Prints the stressed-syllable agreement, the phoneme error rate, the share of
words whose stressed e or o (oral) is open or closed in both, and the
commonest disagreements.
    bench/tts_pronunciation.py [--words N] [--seed S] [--show N] [--strict]
"""
import argparse, collections, os, random, re, subprocess, sys

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VOWELS = set("aAeEiIoOuU30")
GLIDES = {"Y": "i", "W": "u"}  # glides, apart from the consonant j
NASAL = {"a": "A", "e": "E", "i": "I", "o": "O", "u": "U"}

ESPEAK = {"a": "a", "&": "a", "&~": "A", "e": "e", "E": "e", "e~": "E", "i": "i", "I": "i", "y": "i",
          "i~": "I", "o": "o", "O": "o", "o~": "O", "u": "u", "U": "u", "w": "W", "u~": "U",
          "eI": "ei", "EI": "ei", "aI": "ai", "oI": "oi", "OI": "oi", "uI": "ui", "aU": "au", "eU": "eu",
          "EU": "eu", "iU": "iu", "oU": "ou", "&U~": "Au", "&I~": "Ai", "eI~": "Ei", "oI~": "Oi", "uI~": "Ui",
          "p": "p", "b": "b", "t": "t", "d": "d", "k": "k", "g": "g", "f": "f", "v": "v", "m": "m",
          "n": "n", "l": "l", "s": "s", "z": "z", "S": "x", "Z": "j", "tS": "t", "dZ": "d", "n^": "H",
          "l^": "li", "lj": "li", "*": "r", "r": "r", "x": "R", "h": "R", "R": "r", "N": "~", "j": "Y",
          "@": "", "-": "", "@-": "", "kw": "ku", "gw": "gu", "ks": "ks"}
BR1 = {"a": "a", "@": "A", "am": "A", "e": "e", "ee": "e", "em": "E", "i": "i", "y": "Y", "im": "I",
       "o": "o", "oo": "o", "om": "O", "u": "u", "w": "W", "um": "U", "b": "b", "k": "k", "d": "d",
       "g": "g", "p": "p", "t": "t", "f": "f", "v": "v", "j": "j", "s": "s", "s2": "s", "x": "x",
       "z": "z", "m": "m", "n": "n", "nh": "H", "l": "l", "lh": "li", "r": "r", "r2": "R", "rr": "R"}


def reduce(symbols, stressed_index):
    """symbols: reduced strings per phoneme; returns (list, stressed position)."""
    out = []  # [symbol, stressed] pairs, so that removals keep the mark
    for n, s in enumerate(symbols):
        first = True
        for ch in s:
            mark = n == stressed_index and first
            first = False
            if ch == "~":  # a nasal coda nasalizes the vowel before it
                if out and out[-1][0] == "i" and len(out) > 1 and out[-2][0] in "eE":
                    out[-2][1] = out[-2][1] or out[-1][1]
                    out.pop()
                if out and out[-1][0] in NASAL:
                    out[-1][0] = NASAL[out[-1][0]]
            else:
                out.append([ch, mark])
    # A glide beside a vowel is merged with its vowel (diphthong or hiatus
    # is a matter of taste); one with no vowel beside it stays, an error.
    for i, pair in enumerate(out):
        beside = [out[k][0] for k in (i - 1, i + 1) if 0 <= k < len(out)]
        if pair[0] in GLIDES and any(c in VOWELS for c in beside):
            pair[0] = GLIDES[pair[0]]
    # Vowel, m or n, consonant: a nasal vowel.  Glides after nasal vowels go.
    res = []
    for i, (c, mark) in enumerate(out):
        following = out[i + 1][0] if i + 1 < len(out) else None
        if c in "mn" and res and res[-1][0] in "AEIOU" and following is not None and following not in VOWELS:
            continue  # the nasal consonant after a nasal vowel
        if c in "mn" and res and res[-1][0] in NASAL and following is not None and following not in VOWELS:
            if res[-1][0] == "i" and len(res) > 1 and res[-2][0] in "eE":
                res[-2][1] = res[-2][1] or res[-1][1]
                res.pop()
            res[-1][0] = NASAL[res[-1][0]]
            continue
        if c in "iu" and res and res[-1][0] in "AEIOU" and (following is None or following not in VOWELS):
            res[-1][1] = res[-1][1] or mark
            continue
        res.append([c, mark])
    # An unstressed i between a stop, f or v and another consonant than l and r
    # (or the end) is the vowel Brazilians put into such clusters: it goes.
    res = [pair for i, pair in enumerate(res)
           if not (pair[0] == "i" and not pair[1] and 0 < i and res[i - 1][0] in "bdgptkfv" and
                   (i + 1 == len(res) or res[i + 1][0] not in VOWELS and res[i + 1][0] not in "lr"))]
    # Coda classes: s z x j, r R and l before a consonant or the end.
    for i, pair in enumerate(res):
        c = pair[0]
        coda = i > 0 and (i + 1 == len(res) or res[i + 1][0] not in VOWELS)
        if coda and c in "szxj": pair[0] = "s"
        if coda and c in "rR": pair[0] = "R"
        if coda and c == "l": pair[0] = "u"
    stress = next((i for i, pair in enumerate(res) if pair[1]), None)
    return [pair[0] for pair in res], stress


def syllable_from_end(phones, stress):
    """Number of vowel runs after the run holding the stressed vowel."""
    if stress is None: return None
    while stress < len(phones) and phones[stress] not in VOWELS: stress += 1
    if stress >= len(phones): return None
    runs, inside = 0, True
    for c in phones[stress + 1:]:
        if c in VOWELS:
            if not inside: runs += 1
            inside = True
        else:
            inside = False
    return runs


# With --strict, open e and o (3 and 0) stay apart from closed ones.
STRICT_ESPEAK = {"E": "3", "O": "0", "EI": "3i", "EU": "3u", "OI": "0i"}
STRICT_BR1 = {"ee": "3", "oo": "0"}
strict = False


def stressed_quality(token):
    """'e' or 'E', 'o' or 'O' for a stressed oral e or o (E and O open), else None."""
    if token in ("em", "om") or token and "~" in token: return "~"  # nasal: no open or closed
    if not token: return None
    if token in ("ee", "oo"): return token[0].upper()
    return token[0] if token[0] in "eEoO" else None


def espeak_form(line, unknown):
    syms, stress, raw = [], None, None
    for tok in line.split():
        if "'" in tok: stress = len(syms)
        tok = tok.replace("'", "").replace(",", "").replace(";", "").replace("#", "")
        if stress == len(syms) and raw is None: raw = tok
        elif stress is not None and len(syms) == stress + 1 and tok == "N": raw = "~"  # a nasal vowel
        if not tok: continue
        if tok == "j" and syms and syms[-1] == "l":  # lh is written l j
            syms[-1] = "li"
            continue
        if tok not in ESPEAK:
            unknown[tok] += 1
            syms.append("?")
            continue
        syms.append(STRICT_ESPEAK.get(tok, ESPEAK[tok]) if strict else ESPEAK[tok])
    return reduce(syms, stress), stressed_quality(raw)


def engine_form(line, unknown):
    syms, stress, raw = [], None, None
    for tok in line.split():
        if tok.startswith(">"):
            stress = len(syms)
            tok = tok[1:]
            if not tok: continue
        if stress == len(syms) and raw is None: raw = tok
        if tok not in BR1:
            unknown[tok] += 1
            syms.append("?")
            continue
        syms.append(STRICT_BR1.get(tok, BR1[tok]) if strict else BR1[tok])
    return reduce(syms, stress), stressed_quality(raw)


def distance(a, b):
    prev = list(range(len(b) + 1))
    for i, x in enumerate(a, 1):
        cur = [i]
        for j, y in enumerate(b, 1):
            cur.append(min(prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (x != y)))
        prev = cur
    return prev[-1]


def words_in(folder):
    found = set()
    for root, _, files in os.walk(folder):
        for f in files:
            try:
                raw = open(os.path.join(root, f), "rb").read()
            except OSError:
                continue
            try:
                text = raw.decode("utf-8")
            except UnicodeDecodeError:
                text = raw.decode("cp1252")
            found.update(w.lower() for w in re.findall(r"[^\W\d_]+", text))
    return found


def build_words_program():
    """Builds bench/tts_words (the pronunciation stage on its own) in build/native-bench and returns its path."""
    subprocess.run([os.path.join(top, "scripts", "build.sh"), "native-bench"], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(top, "build", os.environ.get("VOLTANOR_BENCH_NATIVE_TREE", "native-bench"), "tts_words")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--words", type=int, default=2000)
    ap.add_argument("--seed", type=int, default=12)
    ap.add_argument("--show", type=int, default=15)
    ap.add_argument("--strict", action="store_true", help="keep open and closed e and o apart")
    args = ap.parse_args()
    global strict
    strict = args.strict

    program = build_words_program()

    known = words_in(os.path.join(top, "data")) | words_in(os.path.join(top, "tests"))
    pool = [w for w in open("/usr/share/dict/brazilian", encoding="utf-8").read().split("\n")
            if re.fullmatch(r"[a-zà-öø-ÿ]+", w) and w not in known]
    random.Random(args.seed).shuffle(pool)
    sample = pool[:args.words]

    engine = subprocess.run([program, os.path.join(top, "data", "tts", "portug.nrl"),
                             os.path.join(top, "data", "tts", "portug.exc")],
                            input="\n".join(sample).encode("cp1252") + b"\n", capture_output=True, check=True)
    engine_lines = engine.stdout.decode("cp1252").split("\n")
    ref = subprocess.run(["espeak-ng", "-v", "pt-br", "-q", "-x", "--sep= "],
                         input="\n".join(w + "." for w in sample).encode("utf-8") + b"\n",
                         capture_output=True, check=True)
    ref_lines = [l for l in ref.stdout.decode("utf-8").split("\n") if l.strip()]
    if len(ref_lines) != len(sample):
        sys.exit("espeak-ng gave %d lines for %d words" % (len(ref_lines), len(sample)))

    unknown = collections.Counter()
    stress_ok = errors = total = 0
    subs = collections.Counter()
    examples = {}
    stress_misses = []
    eo_ok = eo_total = 0
    eo_misses = collections.defaultdict(list)
    for word, mine, theirs in zip(sample, engine_lines, ref_lines):
        (a, sa), qa = engine_form(mine, unknown)
        (b, sb), qb = espeak_form(theirs, unknown)
        if qb and "~" not in (qa, qb):
            eo_total += 1
            if qa == qb: eo_ok += 1
            else: eo_misses[(qa or "-") + ">" + qb].append(word)
        if syllable_from_end(a, sa) == syllable_from_end(b, sb): stress_ok += 1
        else: stress_misses.append("%s (%s | %s)" % (word, mine, theirs.strip()))
        d = distance(a, b)
        errors += d
        total += len(b)
        if d:
            key = "".join(a) + " vs " + "".join(b)
            # the commonest differing pieces: compare aligned by plain difference
            import difflib
            for op, i1, i2, j1, j2 in difflib.SequenceMatcher(None, a, b, autojunk=False).get_opcodes():
                if op != "equal":
                    piece = "".join(a[i1:i2]) + ">" + "".join(b[j1:j2])
                    subs[piece] += 1
                    examples.setdefault(piece, word)
    print("words: %d (seed %d)" % (len(sample), args.seed))
    print("stressed syllable agreement: %.2f%%" % (100.0 * stress_ok / len(sample)))
    print("phoneme error rate: %.2f%% (%d edits in %d reference phonemes)" % (100.0 * errors / total, errors, total))
    print("stressed e/o open or closed alike: %.2f%% (%d of %d)" % (100.0 * eo_ok / max(eo_total, 1), eo_ok, eo_total))
    for key, words in sorted(eo_misses.items(), key=lambda kv: -len(kv[1]))[:6]:
        print("  %-5s %4d  %s" % (key, len(words), " ".join(words[:8])))
    print("commonest disagreements (engine>espeak-ng, count, example):")
    for piece, n in subs.most_common(args.show):
        print("  %-12s %4d  %s" % (piece, n, examples[piece]))
    print("stress disagreements, first %d:" % min(args.show, len(stress_misses)))
    for s in stress_misses[:args.show]: print("  " + s)
    if unknown: print("unmapped symbols:", dict(unknown.most_common(20)))


if __name__ == "__main__":
    main()
