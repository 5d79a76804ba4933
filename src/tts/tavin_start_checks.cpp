#include "tts/tavin_start_checks.h"

#include "tts/tavin_engine.h"

namespace tts {

bool prosodyValuesSane(const ProsodyTables& tables) {
    if (tables.basePitch < lowestBasePitch || tables.basePitch > highestBasePitch) return false;
    for (const TDuracao& entry : tables.durations)
        if (entry.duration < 0 || entry.duration > longestPhoneme) return false;
    for (std::int32_t percent : tables.pitchTable)
        if (percent < 0 || percent > highestPitchPercent) return false;
    return true;
}

const std::vector<std::string>& voiceTestLines() {
    static const std::vector<std::string> lines{"_ 50", "a 80 50 120", "_ 50", "_ 50"};
    return lines;
}

bool engineCanSpeak() {
    return prosodyValuesSane(prosodyTables()) && tavinProbeLines(voiceTestLines()) && tavinProbeText(textTestWord);
}

}  // namespace tts
