#!/usr/bin/env python3
"""Phoneme pairs of the text-to-speech engine that the br1 voice cannot join.

1. Every word of /usr/share/dict/brazilian (about 270,000, proper names
   included) goes through the engine's pronunciation stage; each pair of
   neighbouring phonemes, silence before and after the word included, is
   looked up in br1's diphone list (build/data/kelmar/tavintts/portug.dfn).
   Prints the number of pairs br1 lacks (0 is the aim) and the commonest.
2. The 30 sentences of bench/tts_pair_sentences.txt (the words above br1
   found hardest, among everyday ones) go through all the engine's
   text stages (tools/tts_lines) and the Linux mbrola program with br1,
   without its no-error switch: prints the filler phonemes the line writer
   had to put in, MBROLA's warnings and the sentences it refused.
3. Whether br1 could say the affricates of "tia" and "dia" as t + x and d + j.
    bench/tts_br1_pairs.py [--show N] [--words N]
--words N takes only the list's first N words (bench/smoke.sh).
"""
import argparse, collections, os, subprocess, sys, tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from tts_pronunciation import build_words_program, top  # noqa: E402

data = os.path.join(top, "build", "data", "kelmar", "tavintts")
mbrola = os.path.join(top, "build", "mbrola", "usr", "bin", "mbrola")
voice = os.path.join(top, "build", "mbrola", "usr", "share", "mbrola", "br1", "br1")


def diphones():
    pairs = set()
    for line in open(os.path.join(data, "portug.dfn"), encoding="cp1252"):
        fields = line.split()
        if len(fields) >= 2 and line[0] not in "!*;":
            pairs.add((fields[0].lower(), fields[1].lower()))
    return pairs


def word_pairs(known, show, count):
    words = [w for w in open("/usr/share/dict/brazilian", encoding="utf-8").read().split("\n") if w]
    words = words[:count or len(words)]
    out = subprocess.run([build_words_program(), os.path.join(top, "data", "tts", "portug.nrl"),
                          os.path.join(top, "data", "tts", "portug.exc")],
                         input=("\n".join(words) + "\n").encode("cp1252", "replace"), capture_output=True,
                         check=True).stdout.decode("cp1252").split("\n")
    missing, examples = collections.Counter(), {}
    for word, line in zip(words, out):
        phones = ["_"] + [p.lstrip(">") for p in line.split() if p.lstrip(">")] + ["_"]
        for pair in zip(phones, phones[1:]):
            if (pair[0].lower(), pair[1].lower()) not in known:
                missing[pair] += 1
                examples.setdefault(pair, word)
    print("words: %d, pairs unknown to br1: %d" % (len(words), sum(missing.values())))
    for pair, n in missing.most_common(show):
        print("  %-8s %5d  %s" % ("-".join(pair), n, examples[pair]))


def sentences():
    lines_program = os.path.join(top, "build", "native", "tts_lines")
    subprocess.run(["cmake", "--build", os.path.join(top, "build", "native"), "--target", "tts_lines", "tavintts_data"],
                   check=True, capture_output=True)
    text = [l for l in open(os.path.join(top, "bench", "tts_pair_sentences.txt"), encoding="utf-8").read().split("\n")
            if l.strip()]
    fillers = warnings = refused = 0
    with tempfile.TemporaryDirectory() as tmp:
        for n, sentence in enumerate(text):
            pho = subprocess.run([lines_program, data], input=sentence.encode("cp1252") + b"\n",
                                 capture_output=True, check=True).stdout
            fillers += sum(1 for l in pho.split(b"\n") if l in (b"y 50", b"_ 50"))
            path = os.path.join(tmp, "s.pho")
            open(path, "wb").write(pho)
            run = subprocess.run([mbrola, voice, path, os.path.join(tmp, "s.wav")], capture_output=True)
            said = (run.stdout + run.stderr).decode("latin-1")
            warned = [l for l in said.split("\n") if "arning" in l or "rror" in l]
            warnings += len(warned)
            if run.returncode != 0:
                refused += 1
            for l in warned[:2]: print("  sentence %d: %s" % (n + 1, l.strip()))
    print("sentences: %d, filler phonemes: %d, MBROLA warnings: %d, refused: %d"
          % (len(text), fillers, warnings, refused))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--show", type=int, default=15)
    ap.add_argument("--words", type=int, default=0, help="only the first N words of the list (0: all)")
    args = ap.parse_args()
    if not os.path.exists(os.path.join(data, "portug.dfn")):
        subprocess.run(["cmake", "--build", os.path.join(top, "build", "native"), "--target", "tavintts_data"],
                       check=True)
    known = diphones()
    word_pairs(known, args.show, args.words)
    sentences()
    for a, b in (("t", "x"), ("d", "j")):
        print("br1 has %s-%s: %s" % (a, b, "yes" if (a, b) in known else "no, so tia and dia keep t and d"))


main()
