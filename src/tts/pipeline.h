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

// The same lines piece by piece, so that a text of any length is spoken in
// bounded memory: the piece from position (0 starts a text) ends after a
// sentence, and the pieces' lines joined are then the whole text's; a
// sentence of more than pieceWords words is cut after a word (a phrase pause
// is heard there), and a word of pieceBytes bytes anywhere.
// position moves to the next piece, to text.size() after the last.
inline constexpr int pieceWords = 80;
inline constexpr std::size_t pieceBytes = 4000;
std::vector<std::string> nextMbrolaPiece(const std::string& text, std::size_t& position, double durationFactor,
                                         double pitchFactor);

}  // namespace tts
