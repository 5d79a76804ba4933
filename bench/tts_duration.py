#!/usr/bin/env python3
"""Speaking time of the text-to-speech engine against espeak-ng driving the
same br1 voice (mb-br1), sentence by sentence.

Each sentence of bench/voice_sentences.txt goes through the engine's text
stages (tools/tts_lines, at the duration factor of the default speed, 0.8)
and through espeak-ng -v mb-br1 --pho; the sound time of each is the sum of
its phoneme durations, pauses left out (the two put pauses in different
places).  espeak-ng finds br1 in a private copy of its data folder
(build/bench-duration/espeak-ng-data, links to the installed data plus
mbrola/br1 pointing into build/mbrola), and the mbrola program in build/mbrola,
so nothing is installed on the machine.  Prints the ratio engine/espeak-ng
of the whole and its range over the sentences, and the whole ratio at every
speed of the settings (duration factor 0.8 - speed / 15).
    bench/tts_duration.py [--factor F] [--sentences N]
--sentences N takes only the first N sentences (bench/smoke.sh).
"""
import argparse, glob, os, subprocess

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
out = os.path.join(top, "build", "bench-duration")
data = os.path.join(top, "build", "data", "kelmar", "tavintts")


def espeak_home():
    phontab = glob.glob("/usr/lib/*/espeak-ng-data/phontab") + glob.glob("/usr/share/espeak-ng-data/phontab")
    installed = os.path.dirname(phontab[0])
    home = os.path.join(out, "espeak-ng-data")
    os.makedirs(os.path.join(home, "mbrola"), exist_ok=True)
    for name in os.listdir(installed):
        link = os.path.join(home, name)
        if name != "mbrola" and not os.path.lexists(link): os.symlink(os.path.join(installed, name), link)
    voice = os.path.join(home, "mbrola", "br1")
    if not os.path.lexists(voice):
        os.symlink(os.path.join(top, "build", "mbrola", "usr", "share", "mbrola", "br1", "br1"), voice)
    return out


def sound_time(pho):
    total = 0
    for line in pho.split("\n"):
        fields = line.split()
        if len(fields) >= 2 and fields[0] != "_" and not line.startswith(";") and fields[1].isdigit():
            total += int(fields[1])
    return total


def engine_time(sentence, factor):
    lines = subprocess.run([os.path.join(top, "build", "native", "tts_lines"), data, "-d", str(factor)],
                           input=sentence.encode("cp1252") + b"\n", capture_output=True, check=True).stdout
    return sound_time(lines.decode("cp1252"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--factor", type=float, default=0.8, help="the engine's duration factor (0.8: speed 0)")
    ap.add_argument("--sentences", type=int, default=0, help="only the first N sentences (0: all)")
    args = ap.parse_args()
    subprocess.run(["cmake", "--build", os.path.join(top, "build", "native"), "--target", "tts_lines",
                    "tavintts_data"], check=True, capture_output=True)
    env = dict(os.environ, ESPEAK_DATA_PATH=espeak_home(),
               PATH=os.path.join(top, "build", "mbrola", "usr", "bin") + os.pathsep + os.environ["PATH"])
    sentences = [l for l in open(os.path.join(top, "bench", "voice_sentences.txt"), encoding="utf-8").read().split("\n")
                 if l.strip()]
    sentences = sentences[:args.sentences or len(sentences)]
    theirs = [sound_time(subprocess.run(["espeak-ng", "-v", "mb-br1", "-q", "--pho", s], env=env, capture_output=True,
                                        check=True).stdout.decode("latin-1")) for s in sentences]
    mine = [engine_time(s, args.factor) for s in sentences]
    ratios = [m / t for m, t in zip(mine, theirs) if t]
    print("sentences: %d, engine %.1f s, espeak-ng mb-br1 %.1f s of sound (pauses left out)"
          % (len(sentences), sum(mine) / 1000, sum(theirs) / 1000))
    print("duration factor %.2f: ratio %.2fx (sentences %.2f-%.2f)"
          % (args.factor, sum(mine) / sum(theirs), min(ratios), max(ratios)))
    print("sentences within 0.9-1.1x: %d of %d" % (sum(1 for r in ratios if 0.9 <= r <= 1.1), len(ratios)))
    worst = sorted(zip(ratios, sentences))
    print("  shortest: %.2f %s\n  longest:  %.2f %s" % (worst[0] + worst[-1]))
    speeds = []
    for speed in range(0, 11):
        factor = 0.8 - speed / 15.0
        speeds.append("%d: %.2fx" % (speed, sum(engine_time(s, factor) for s in sentences) / sum(theirs)))
    print("by speed setting: " + ", ".join(speeds))


main()
