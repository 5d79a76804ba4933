#include "tts/pipeline.h"

#include "tts/normalization.h"
#include "tts/prosody.h"
#include "tts/pronunciation.h"

namespace tts {

namespace {

PatternContext patternContext;
MbrolaLineState lineState;

// A piece may end after a space that a word follows: normalization and the
// word split then see on both sides what they see in the whole text.  (A dash
// after a space is a pause, so it stays with the space; a piece of one
// character would be read as a symbol's name.)
bool canEndAt(const std::string& text, std::size_t start, std::size_t end) {
    return end >= start + 2 && end + 2 <= text.size() && text[end - 1] == ' ' &&
           static_cast<unsigned char>(text[end]) > ' ' && text[end] != '-';
}

bool endsSentence(const std::string& text, std::size_t start, std::size_t end) {
    while (end > start && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return end > start && (text[end - 1] == '.' || text[end - 1] == '!' || text[end - 1] == '?');
}

}  // namespace

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

std::vector<std::string> nextMbrolaPiece(const std::string& text, std::size_t& position, double durationFactor,
                                         double pitchFactor) {
    const std::size_t start = position;
    if (start == 0) {
        patternContext = {};
        lineState = {};
    }
    std::size_t end = start + 1;
    std::vector<std::string> words;
    bool sentenceCut = false;
    std::size_t runStart = start;  // of the present run of characters between blanks
    for (int wordCount = 0;; ++end) {
        if (end >= text.size()) break;
        if (static_cast<unsigned char>(text[end - 1]) <= ' ') runStart = end;
        else if (end - runStart >= pieceBytes) break;  // no word is that long
        if (!canEndAt(text, start, end)) continue;
        ++wordCount;
        if (endsSentence(text, start, end)) {
            // An abbreviation's point ends no sentence: its piece's words must end one.
            words = classifyWords(normalizeText(text.substr(start, end - start)));
            sentenceCut = words.back() == "[--]";
            if (sentenceCut) break;
        }
        if (wordCount == pieceWords) break;
    }
    if (!sentenceCut) words = classifyWords(normalizeText(text.substr(start, end - start)));
    const bool last = end == text.size();
    // The next piece's words begin with the sentence start that closes these.
    if (sentenceCut && !last) words.pop_back();
    position = end;
    const std::vector<std::string> patterned = choosePatterns(words, true, patternContext, last ? "" : "--");
    return mbrolaLines(wordsToPhonemeLines(patterned, last), durationFactor, pitchFactor, lineState);
}

}  // namespace tts
