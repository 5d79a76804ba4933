#include "tts/tavin_start_checks.h"

#include <sstream>

#include "tts/pipeline.h"

namespace tts {

bool prosodyValuesSane(const ProsodyTables& tables) {
    if (tables.basePitch < lowestBasePitch || tables.basePitch > highestBasePitch) return false;
    for (const TDuracao& entry : tables.durations)
        if (entry.duration < 0 || entry.duration > longestPhoneme) return false;
    for (std::int32_t percent : tables.pitchTable)
        if (percent < 0 || percent > highestPitchPercent) return false;
    return true;
}

bool linesSayAnything(const std::vector<std::string>& mbrolaLines) {
    for (const std::string& line : mbrolaLines) {
        std::istringstream fields(line);
        std::string name;
        double milliseconds = 0;
        if (fields >> name >> milliseconds && name[0] != ';' && name != "_" && milliseconds >= 1) return true;
    }
    return false;
}

bool engineCanSpeak() {
    return prosodyValuesSane(prosodyTables()) && linesSayAnything(textToMbrolaLines(textTestWord, 0.8, 1.0));
}

}  // namespace tts
