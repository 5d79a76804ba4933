// Letter-to-sound rules, LEFT(MATCH)RIGHT=OUTPUT|, kept in one list per key
// character (the first character of MATCH, 0x20 to 0x5F) in file order.
#pragma once
#include <string>

#include "translator/spelling.h"

struct LetterRule {
    std::string left;    // at most 5 characters
    std::string match;   // 1 to 5 characters
    std::string right;   // at most 5 characters
    std::string output;  // at most 11 characters here, 20 for the text-to-speech engine
};

namespace letter_rules {

constexpr char firstKey = 0x20;
constexpr char lastKey = 0x5F;
constexpr std::size_t outputLimit = 11;

// Splits LEFT(MATCH)RIGHT=OUTPUT|comment, each field cut to its limit (5, 5,
// 5, maximumOutput); false for a line that is not a rule (no "(", ")" and "="
// in that order, or an empty MATCH).  The key's range is the caller's.
bool splitRuleLine(const std::string& line, std::size_t maximumOutput, LetterRule& rule);

// Replaces every rule by those of the file.  Lines that are not rules (no
// "(", ")" and "=" in that order, an empty MATCH, or a key outside 0x20-0x5F)
// are skipped; rules of one key keep file order even when the key's lines are
// not together.  False when the file cannot be opened or reading fails (no
// rules are then kept).
bool load(const std::string& path);
void clear();
int count(unsigned char key);
const LetterRule& rule(unsigned char key, int index);

// The first rule of the key's list that fires at the cursor, or nullptr.
const LetterRule* find(const WordBuffer& word, int cursor, unsigned char key);

// The context tests, exposed for the tests.
bool leftContextHolds(const WordBuffer& word, int cursor, const std::string& left);
bool rightContextHolds(const WordBuffer& word, int afterMatch, const std::string& right);

}  // namespace letter_rules
