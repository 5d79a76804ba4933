#include "translator/translator.h"

#include "translator/exceptions.h"
#include "translator/letter_rules.h"
#include "translator/spelling.h"
#include "translator/stress.h"
#include "translator/transliteration.h"

namespace {

using namespace spelling;

struct ExtractedWord {
    WordBuffer letters;
    int vowelCount = 0;
    bool accented = false;  // an accent mark other than the diaeresis follows the first letter
};

// Takes the word starting at text[position] (not a space) and moves the
// position past it.  A run of word characters longer than the buffer ends the
// word at 256 characters; the rest of the run is the next word.
void extractWord(const std::string& text, std::size_t& position, ExtractedWord& word) {
    word = ExtractedWord{};
    WordBuffer& w = word.letters;
    const unsigned char first = lower(static_cast<unsigned char>(text[position++]));
    w.at[++w.length] = first;
    if (!isLetter(first)) return;
    if (isVowel(first)) ++word.vowelCount;
    while (position < text.size() && w.length < WordBuffer::capacity &&
           isWordCharacter(static_cast<unsigned char>(text[position]))) {
        const unsigned char c = lower(static_cast<unsigned char>(text[position++]));
        w.at[++w.length] = c;
        if (isVowel(c)) ++word.vowelCount;
        if (isAccentMark(c) && c != '"') word.accented = true;
    }
}

// Replaces the word by its exception alias, also when the alias belongs to
// the word without final s and m letters (which are then put back).
void applyExceptions(WordBuffer& w) {
    const std::string word(reinterpret_cast<const char*>(w.at + 1), static_cast<std::size_t>(w.length));
    std::string replaced;
    if (!exceptions::table().respell(word, "sm", replaced)) return;
    // A long alias with its suffix is cut to the word buffer.
    if (replaced.size() > static_cast<std::size_t>(WordBuffer::capacity)) replaced.resize(WordBuffer::capacity);
    w.length = static_cast<int>(replaced.size());
    for (int i = 0; i < w.length; ++i) w.at[i + 1] = static_cast<unsigned char>(replaced[i]);
}

bool isSpelledOut(const WordBuffer& w) {
    if (w.length >= 1 && w.at[1] == 0x01) return true;  // an empty alias leaves nothing to say
    for (int p = 1; p <= w.length; ++p)
        if (!isConsonant(w.at[p]) && !isPauseSign(w.at[p])) return false;
    return true;
}

void appendSpelling(const WordBuffer& w, std::string& result) {
    for (int p = 1; p <= w.length; ++p) {
        result += "[ /_";
        result += static_cast<char>(w.at[p]);
        result += ']';
    }
}

// A piece for the letter at the cursor is stressed when that letter is an
// upper-case vowel: the piece's first vowel is then written in upper case.
void markStressedPiece(std::string& piece) {
    for (char& c : piece) {
        if (isVowel(static_cast<unsigned char>(c))) {
            c = static_cast<char>(upper(static_cast<unsigned char>(c)));
            return;
        }
    }
}

void appendRuleTranslation(const WordBuffer& w, std::string& result) {
    result += '[';
    int cursor = 1;
    while (cursor <= w.length) {
        const unsigned char letter = w.at[cursor];
        const unsigned char key = upper(letter);
        const LetterRule* rule = letter_rules::find(w, cursor, key);
        std::string piece;
        if (rule) {
            piece = rule->output;
        } else {
            piece = " /_";
            piece += static_cast<char>(key);
        }
        if (letter >= 'A' && letter <= 'Z' && isVowel(letter)) markStressedPiece(piece);
        result += piece;
        cursor += rule ? static_cast<int>(rule->match.size()) : 1;
        if (cursor <= w.length) result += '/';
    }
    result += ']';
}

}  // namespace

bool loadRules(const std::string& path) {
    exceptions::clear();
    return letter_rules::load(path);
}

bool loadExceptions(const std::string& path) { return exceptions::load(path); }

void freeRules() { letter_rules::clear(); }

std::string translateToPhonemes(const std::string& text) {
    std::string result;
    const std::string spelled = transliterate(text);
    std::size_t position = 0;
    ExtractedWord word;
    for (;;) {
        while (position < spelled.size() && spelled[position] == ' ') ++position;
        if (position >= spelled.size()) break;
        extractWord(spelled, position, word);
        applyExceptions(word.letters);
        markStress(word.letters, word.vowelCount, word.accented);
        if (isSpelledOut(word.letters)) appendSpelling(word.letters, result);
        else appendRuleTranslation(word.letters, result);
    }
    return result;
}
