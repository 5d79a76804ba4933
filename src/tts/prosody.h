// The engine's rhythm and melody: the prosody file (phoneme durations, word
// classes, melody patterns, base pitch and pitch table), the list of diphones
// the MBROLA voice has, and three stages of speaking a text:
//   classifyWords   text -> "[--]" sentence boundaries and "[" class "]" word lines
//   choosePatterns  -> pattern "|" text lines, for the pronunciation stage
//   mbrolaLines     pronunciation lines -> MBROLA lines (name, duration in ms,
//                   at most one "position pitch" target), with a filler
//                   phoneme before every pair the voice cannot join.
// Lines are code page 1252 text.  The tables are module state: one engine per
// process, filled by the loaders and read by the stages.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tts {

struct TDuracao {
    std::string name;  // at most 2 characters, as written in the file
    std::int32_t duration;  // milliseconds
};

struct TChave {
    std::string key;  // upper case
    std::string cls;  // at most 2 characters, upper case
};

struct TProsodia {
    std::string previous, current, next;  // at most 3 characters; empty matches any class
    std::string pattern;  // three digits, the first may be "?" (the digit remembered from the word before)
};

inline constexpr std::size_t maxDurations = 100;
inline constexpr std::size_t maxKeywords = 1000;
inline constexpr std::size_t maxPatterns = 300;

struct ProsodyTables {
    std::vector<TDuracao> durations;  // file order
    std::vector<TChave> keywords;  // ascending byte order of the key
    std::vector<TProsodia> patterns;  // file order
    std::int32_t basePitch = 230;  // Hz
    std::int32_t pitchTable[10] = {};  // percent of the base pitch, by pattern digit; kept from load to load
};

// Fills the tables from the prosody file.  False, after a message box that
// says what is wrong, when the file or one of its three sections is missing or
// an entry is malformed; the tables keep what was read so far.
bool loadProsody(const std::string& path);
const ProsodyTables& prosodyTables();

// Builds the list of 'A-B' diphones from the diphone list file; false when it
// cannot be read.  freeDiphoneList empties it.
bool loadDiphoneList(const std::string& path);
void freeDiphoneList();
bool hasDiphone(const std::string& pair);  // letter case does not matter
std::size_t diphoneCount();

std::string keywordClass(const std::string& word);  // empty when the word has no class
std::int32_t phonemeDuration(const std::string& name);  // 100 when not in the table

std::vector<std::string> classifyWords(const std::string& text);
std::vector<std::string> choosePatterns(const std::vector<std::string>& lines, bool select);
std::vector<std::string> mbrolaLines(const std::vector<std::string>& lines, double durationFactor,
                                     double pitchFactor);

// A text spoken in pieces carries these from one piece to the next, so that
// the lines of the pieces are those of the whole text.
struct PatternContext {
    std::string previousClass;  // of the word before the piece; "" at the text's start
    char remembered = '5';      // the last pattern digit of that word
};
struct MbrolaLineState {
    std::string previousPhoneme = "_";
    std::string pattern = "555";
    int pitchState = 0;  // 0 first target due, 1 before the stress, 2 on it, 3 after it
    int durationPercent = 100;
    std::size_t wordLength = 0;
};
// following: the class of the word after the piece's last ("" at the text's end).
std::vector<std::string> choosePatterns(const std::vector<std::string>& lines, bool select,
                                        PatternContext& context, const std::string& following);
std::vector<std::string> mbrolaLines(const std::vector<std::string>& lines, double durationFactor,
                                     double pitchFactor, MbrolaLineState& state);

// How many filler phonemes mbrolaLines has put in since the start of the
// process (a measure of how well the pronunciation fits the voice).
std::uint64_t fillerCount();

}  // namespace tts
