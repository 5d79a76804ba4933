// Pronunciation: turns the words of one utterance into lines of one phoneme
// each, with a stress mark ">" before the stressed phoneme, an empty line
// after each word, pause lines for punctuation, and "__" at phrase ends.
// Rules (LEFT(MATCH)RIGHT=OUTPUT, "&" separating phonemes in OUTPUT) and
// exceptions (WORD=ALIAS respellings) come from the engine's data files.
#pragma once
#include <string>
#include <vector>

namespace tts {

// Empties the rules and exceptions, then reads the rules file and, when that
// worked, the exceptions file.  False when either cannot be opened or read.
bool loadPronunciationFiles(const std::string& rulesPath, const std::string& exceptionsPath);
void freePronunciationRules();

// Each item is a 4-character prefix (set by the prosody stage, copied to the
// echo line untouched) followed by a word, a punctuation sign or nothing.
// Output per item: ";" + item, then the item's lines (see above).  The
// utterance's closing "__" is left out of a piece that more of the text follows.
std::vector<std::string> wordsToPhonemeLines(const std::vector<std::string>& items, bool utteranceEnds = true);

// The position (1-based) of the stressed letter of an upper-case word, or 0.
int stressPosition(const std::string& word);

}  // namespace tts
