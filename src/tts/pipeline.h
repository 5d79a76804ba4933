// The engine's text stages in their order, from a text to the lines MBROLA
// reads: normalizeText, classifyWords, choosePatterns (selection on),
// wordsToPhonemeLines, mbrolaLines with the two factors.  The engine and the
// command-line tool that shows what it will say both go through here, with
// the data files loaded by loadEngineData first.
#pragma once
#include <string>
#include <vector>

namespace tts {

// Loads the engine's data files from their five paths, in the engine's order
// (rules and exceptions, abbreviations, prosody, diphone list); 0 when all
// loaded, else 1 to 4, the first file (group) that failed.
int loadEngineData(const std::string& rulesPath, const std::string& exceptionsPath,
                   const std::string& abbreviationsPath, const std::string& prosodyPath,
                   const std::string& diphoneListPath);

std::vector<std::string> textToMbrolaLines(const std::string& text, double durationFactor, double pitchFactor);

}  // namespace tts
