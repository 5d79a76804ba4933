#!/usr/bin/env bash
# Speed of the text-to-speech engine's normalization and pronunciation stages
# natively at -O2: a text of about 2 MB (the report's sentences and numbers,
# then sentences made of the Brazilian word list) is normalized and converted
# sentence by sentence; prints megabytes per CPU second.
#   bench/tts_text_speed.sh [MEGABYTES]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
megabytes=${1:-2}
out=$top/build/bench
mkdir -p "$out"
"$top/scripts/build.sh" native-bench >/dev/null
python3 - "$megabytes" > "$out/tts_text.txt" <<'PY'
import random, sys
words = [w for w in open("/usr/share/dict/brazilian", encoding="utf-8").read().split() if w.isalpha()]
rng = random.Random(5)
size, paragraphs = 0, []
report = "Energia externa ligada. Carga da bateria: 87 por cento. Restam 2 horas e 35 minutos, Sr. Silva."
while size < float(sys.argv[1]) * 1e6:
    sentences = [report] + [" ".join(rng.choice(words) for _ in range(rng.randint(4, 14))).capitalize() +
                            rng.choice([".", ".", "?", "!"]) for _ in range(8)]
    paragraph = " ".join(sentences).replace(" e ", ", e ")
    paragraphs.append(paragraph)
    size += len(paragraph.encode("cp1252", "replace"))
sys.stdout.buffer.write("\n".join(paragraphs).encode("cp1252", "replace"))
PY
"$top/build/${VOLTANOR_BENCH_NATIVE_TREE:-native-bench}/tts_words" "$top/data/tts/portug.nrl" "$top/data/tts/portug.exc" "$top/data/tts/portug.abr" "$out/tts_text.txt"
