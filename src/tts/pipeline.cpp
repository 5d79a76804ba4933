#include "tts/pipeline.h"

#include "tts/normalization.h"
#include "tts/prosody.h"
#include "tts/pronunciation.h"

namespace tts {

int loadEngineData(const std::string& rulesPath, const std::string& exceptionsPath,
                   const std::string& abbreviationsPath, const std::string& prosodyPath,
                   const std::string& diphoneListPath) {
    freePronunciationRules();
    freeDiphoneList();
    if (!loadPronunciationFiles(rulesPath, exceptionsPath)) return 1;
    if (!loadAbbreviations(abbreviationsPath)) return 2;
    if (!loadProsody(prosodyPath)) return 3;
    if (!loadDiphoneList(diphoneListPath)) return 4;
    return 0;
}

std::vector<std::string> textToMbrolaLines(const std::string& text, double durationFactor, double pitchFactor) {
    const std::vector<std::string> patterned = choosePatterns(classifyWords(normalizeText(text)), true);
    return mbrolaLines(wordsToPhonemeLines(patterned), durationFactor, pitchFactor);
}

}  // namespace tts
