#!/usr/bin/env bash
# Speed of the text-to-speech engine's text stages (normalization, word
# classes and patterns, pronunciation, MBROLA lines) natively at -O2 without
# sanitizers, and the filler phonemes the MBROLA line writer puts between
# pairs br1 cannot join, per 1000 phonemes, on:
#   - about 2 MB of ordinary Portuguese text: sentences drawn (seeded) from
#     the function words of everyday text and the words of
#     /usr/share/dict/brazilian, with numbers and punctuation;
#   - a seeded sample of 2000 dictionary words, one utterance each.
# Needs the engine's data (build/data/kelmar/tavintts, made by the build).
#   bench/tts_stages.sh [MEGABYTES] [SEED]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
megabytes=${1:-2} seed=${2:-12}
data=build/data/kelmar/tavintts
out=build/bench-stages
mkdir -p "$out"
[ -f "$data/portug.dfn" ] || cmake --build build/native --target tavintts_data

# The text stages, optimized (tools/tts_lines in build/native-bench).
scripts/build.sh native-bench >/dev/null
lines=build/${VOLTANOR_BENCH_NATIVE_TREE:-native-bench}/tts_lines

python3 - "$megabytes" "$seed" "$out" <<'PY'
import random, re, sys
megabytes, seed, out = float(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
rng = random.Random(seed)
words = [w for w in open("/usr/share/dict/brazilian", encoding="utf-8").read().split("\n")
         if re.fullmatch(r"[a-zà-öø-ÿ]+", w)]
common = ("o a os as um uma de do da dos das em no na nos nas por para com que e é não se mais "
          "como mas foi ao ele ela seu sua ou quando muito já também só pelo pela até isso entre "
          "depois sem mesmo aos seus quem nas me esse eles está você tinha foram essa num nem "
          "suas meu às minha têm numa pelos elas havia seja qual será nós tenho lhe deles essas "
          "esses pelas este fosse dele tu te vocês vos lhes meus minhas teu tua teus tuas nosso "
          "nossa nossos nossas dela delas esta estes estas aquele aquela aqueles aquelas isto aquilo").split()
lines, size = [], 0
while size < megabytes * 1e6:
    sentence = []
    for _ in range(rng.randint(5, 16)):
        r = rng.random()
        if r < 0.45: sentence.append(rng.choice(common))
        elif r < 0.97: sentence.append(rng.choice(words))
        else: sentence.append(str(rng.randint(1, 5000)))
        if rng.random() < 0.06: sentence[-1] += ","
    text = " ".join(sentence)
    text = text[0].upper() + text[1:] + rng.choice(".....?!")
    lines.append(text)
    size += len(text.encode("cp1252")) + 1
open(out + "/text.txt", "wb").write("\n".join(lines).encode("cp1252") + b"\n")
sample = words[:]
rng.shuffle(sample)
open(out + "/words.txt", "wb").write("\n".join(sample[:2000]).encode("cp1252") + b"\n")
PY

echo "ordinary text ($(wc -c < "$out/text.txt") bytes, seed $seed):"
"$lines" "$data" -d 0.8 -s < "$out/text.txt"
echo "dictionary sample (2000 words, seed $seed):"
"$lines" "$data" -d 0.8 -s < "$out/words.txt"
