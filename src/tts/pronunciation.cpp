#include "tts/pronunciation.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "translator/exceptions.h"
#include "translator/letter_rules.h"
#include "translator/line_reader.h"
#include "platform/platform.h"
#include "text/cp1252.h"

// Letters are code page 1252 bytes, written as escapes so that the code means
// the same under every compiler's character set.
namespace tts {
namespace {

using Rule = LetterRule;  // OUTPUT of up to 20 characters, "&" between phonemes

constexpr int firstKey = 0x20;
constexpr int keyCount = 256 - firstKey;
constexpr std::size_t outputLimit = 20;

std::array<std::vector<Rule>, keyCount> ruleLists;

exceptions::Table exceptionTable;  // words and aliases in upper case

// ---- character classes ----------------------------------------------------

enum : unsigned {
    consonant = 1 << 0,
    vowel = 1 << 1,
    backVowel = 1 << 2,
    frontVowel = 1 << 3,
    liquid = 1 << 4,
    aspirate = 1 << 5,
    continuant = 1 << 6,
    leftCoda = 1 << 7,
};

constexpr std::array<unsigned char, 256> classTable() {
    std::array<unsigned char, 256> t{};
    const auto both = [&t](unsigned char capital, unsigned bits) {
        t[capital] |= bits;
        t[capital + 0x20] |= bits;  // small letters sit 0x20 above their capitals
    };
    for (const char c : std::string_view("BCDFGHJKLMNPQRSTVWXYZ\xC7\xD1")) both(static_cast<unsigned char>(c), consonant);
    for (const char c : std::string_view("AEIOU\xC0\xC1\xC2\xC3\xC9\xCA\xCC\xCD\xD3\xD4\xD5\xD9\xDA\xDC"))
        both(static_cast<unsigned char>(c), vowel);
    for (const char c : std::string_view("AO\xC1\xC2\xD3\xD4")) both(static_cast<unsigned char>(c), backVowel);
    for (const char c : std::string_view("EI\xC9\xCD")) both(static_cast<unsigned char>(c), frontVowel);
    for (const char c : std::string_view("LR")) both(static_cast<unsigned char>(c), liquid);
    both('H', aspirate);
    for (const char c : std::string_view("LMNRZ")) both(static_cast<unsigned char>(c), continuant);
    for (const char c : std::string_view("NRS")) both(static_cast<unsigned char>(c), leftCoda);
    return t;
}
constexpr std::array<unsigned char, 256> classes = classTable();

bool is(unsigned char c, unsigned bits) { return (classes[c] & bits) != 0; }

bool isPauseSign(unsigned char c) {
    return c == ' ' || c == '!' || c == '(' || c == ')' || c == ',' || c == '.' || c == ':' || c == ';' ||
           c == '?';
}

// Stress vowels are a e i o u w y and u with diaeresis; accented ones decide at once.
bool isStressVowel(unsigned char c) { return (c != 0 && std::strchr("aeiouwy", c)) || c == 0xFC; }
bool isAccentedVowel(unsigned char c) {
    switch (c) {
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE9: case 0xEA: case 0xED: case 0xF3: case 0xF4:
    case 0xF5: case 0xFA:
        return true;
    default:
        return false;
    }
}

// ---- loading ---------------------------------------------------------------

bool loadRules(const std::string& path) {
    std::FILE* file = platform::openForReading(path);
    if (!file) return false;
    std::string line;
    Rule rule;
    while (readTextLine(file, line)) {
        if (!line.empty() && line[0] == ';') continue;
        if (letter_rules::splitRuleLine(line, outputLimit, rule) && static_cast<unsigned char>(rule.match[0]) >= firstKey)
            ruleLists[static_cast<unsigned char>(rule.match[0]) - firstKey].push_back(rule);
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    return !readFailed;
}

// ---- one word --------------------------------------------------------------

// The respelling of a word; a final S or M (or several) is stripped to find
// the stem and put back after the stem's alias.
std::string applyExceptions(const std::string& word) {
    std::string respelled;
    return exceptionTable.respell(word, "SM", respelled) ? respelled : word;
}

bool isUnstressedWord(const std::string& word) {
    if (word.size() < 3) return true;
    for (const char* w : {"POR", "DAS", "DOS", "COM", "N\xC3O", "SIM"})
        if (word == w) return true;
    return false;
}

// Word positions are 1-based; 0 and length+1 lie outside the word.
struct WordView {
    std::string_view text;
    int length() const { return static_cast<int>(text.size()); }
    bool inside(int p) const { return p >= 1 && p <= length(); }
    unsigned char at(int p) const { return static_cast<unsigned char>(text[p - 1]); }
};

bool leftContextHolds(const WordView& word, int cursor, const std::string& left) {
    int at = cursor - 1;
    for (std::size_t n = left.size(); n-- > 0;) {
        const unsigned char symbol = static_cast<unsigned char>(left[n]);
        const bool inside = word.inside(at);
        const unsigned char c = inside ? word.at(at) : 0;
        switch (symbol) {
        case '#':
            if (!inside || !is(c, vowel)) return false;
            --at;
            break;
        case '%':
            if (inside) return false;
            break;
        case ']':
            if (!inside || !is(c, backVowel)) return false;
            --at;
            break;
        case '_':
            if (at < 1) break;
            if (!inside || !is(c, vowel)) return false;
            --at;
            break;
        case '|':
            if (!inside || !is(c, leftCoda)) return false;
            --at;
            break;
        default:
            if (!inside || c != symbol) return false;
            --at;
        }
    }
    return true;
}

bool rightContextHolds(const WordView& word, int afterMatch, const std::string& right) {
    int at = afterMatch;
    for (const char s : right) {
        const unsigned char symbol = static_cast<unsigned char>(s);
        const bool inside = word.inside(at);
        const unsigned char c = inside ? word.at(at) : 0;
        switch (symbol) {
        case '#':
            if (!inside || !is(c, vowel)) return false;
            ++at;
            break;
        case '%':
            if (at <= word.length()) return false;
            break;
        case '&':
            if (!inside || !is(c, continuant)) return false;
            ++at;
            break;
        case '*':
            if (!inside || !is(c, consonant) || is(c, liquid)) return false;
            break;
        case '+':
            if (!inside || !is(c, frontVowel)) return false;
            ++at;
            break;
        case '[':
            if (at <= word.length() && !(is(c, consonant) && !is(c, aspirate))) return false;
            break;
        case '\\':
            if (inside && c == 'S') ++at;
            break;
        default:
            if (!inside || c != symbol) return false;
            ++at;
        }
    }
    return true;
}

const Rule* firingRule(const WordView& word, int cursor) {
    const unsigned char key = word.at(cursor);
    if (key < firstKey) return nullptr;
    for (const Rule& rule : ruleLists[key - firstKey]) {
        const int matchLength = static_cast<int>(rule.match.size());
        if (cursor + matchLength - 1 > word.length() ||
            word.text.compare(cursor - 1, rule.match.size(), rule.match) != 0)
            continue;
        if (leftContextHolds(word, cursor, rule.left) && rightContextHolds(word, cursor + matchLength, rule.right))
            return &rule;
    }
    return nullptr;
}

// Adds one line per phoneme; ">" goes before the first phoneme written at or
// after the stressed letter.
void convertWord(const std::string& word, int stress, std::vector<std::string>& lines) {
    const WordView view{word};
    std::string line;
    bool marked = stress < 1;
    int cursor = 1;
    while (cursor <= view.length()) {
        const Rule* rule = firingRule(view, cursor);
        if (rule && !rule->output.empty()) {
            for (const char c : rule->output) {
                if (!marked && cursor >= stress) {
                    line += '>';
                    marked = true;
                }
                if (c == '&') {
                    lines.push_back(std::move(line));
                    line.clear();
                } else {
                    line += c;
                }
            }
            lines.push_back(std::move(line));
            line.clear();
        }
        cursor += rule ? static_cast<int>(rule->match.size()) : 1;
    }
    lines.push_back(std::move(line));  // the word boundary
}

const char* pauseLine(unsigned char c) {
    switch (c) {
    case ',': return "_,";
    case ':': return "_:";
    case ';': return "_;";
    case '.': return "_.";
    case '(': return "_(";
    case ')': return "_)";
    case '!': return "_!";
    case '?': return "_?";
    default: return nullptr;
    }
}

// A final r or s joins the next word's first vowel: r2 becomes r, s2 becomes z.
void joinWords(std::vector<std::string>& lines) {
    constexpr unsigned char diaeresisMark = 0xA8;
    std::size_t i = 3;
    while (i + 1 < lines.size()) {
        if (lines[i].empty() || lines[i][0] != ';') {
            ++i;
            continue;
        }
        std::string_view first = lines[i + 1];
        if (!first.empty() && static_cast<unsigned char>(first[0]) == diaeresisMark) first.remove_prefix(1);
        if (!first.empty() && first[0] != 0 && std::strchr("aeiouwy", first[0])) {
            std::string& previous = lines[i - 2];
            if (previous == "r2") previous = "r";
            else if (previous == "s2") previous = "z";
        }
        i += 2;
    }
}

}  // namespace

namespace {

// The stressed letter by the word's ending, scanning from its end.
int scannedStress(const std::string& lowered) {
    const int length = static_cast<int>(lowered.size());
    bool anyStressVowel = false;
    for (int p = length; p >= 1; --p) {
        const unsigned char c = static_cast<unsigned char>(lowered[p - 1]);
        if (isAccentedVowel(c)) return p;
        anyStressVowel = anyStressVowel || isStressVowel(c);
    }
    if (!anyStressVowel) return 0;

    enum State { start, final, penult, penultHigh, finalAfterU, penultAfterU, finalU, finalI, finalIAfterU,
                 consonantSeen, finalM };
    State state = start;
    int result = 0;
    const auto isAEO = [](unsigned char c) { return c == 'a' || c == 'e' || c == 'o'; };
    for (int p = length; p >= 1; --p) {
        const unsigned char c = static_cast<unsigned char>(lowered[p - 1]);
        const bool gq = c == 'g' || c == 'q';
        switch (state) {
        case start:
            if (isAEO(c)) result = p, state = final;
            else if (c == 'u') result = p, state = finalU;
            else if (c == 'i') result = p, state = finalI;
            else if (c == 'm') state = finalM;
            else if (c != 's') state = consonantSeen;
            break;
        case final:
            if (c == 'u') state = finalAfterU;
            else if (isStressVowel(c)) return p;
            else state = penult;
            break;
        case penult:
            if (isAEO(c)) return p;
            if (c == 'i' || c == 'u') result = p, state = penultHigh;
            break;
        case penultHigh:
            if (isAEO(c)) return p;
            if (c != 'u') return result;
            state = penultAfterU;
            break;
        case finalAfterU:
            if (!gq) return p + 1;
            result = p + 2, state = penult;
            break;
        case penultAfterU:
        case finalIAfterU:
            return gq ? p + 2 : p + 1;
        case finalU:
            return (isAEO(c) || c == 'i') ? p : result;
        case finalI:
            if (isAEO(c)) result = p;
            else if (c == 'u') state = finalIAfterU;
            else return result;
            break;
        case consonantSeen:
            if (isStressVowel(c)) return p;
            break;
        case finalM:
            if (c == 'i' || c == 'o' || c == 'u') return p;
            if (c == 'a' || c == 'e') result = p, state = final;
            else state = start;
            break;
        }
    }
    return result;
}

bool isPlainVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

}  // namespace

int stressPosition(const std::string& word) {
    const std::string lowered = cp1252::lower(word);
    const int p = scannedStress(lowered);
    // An unaccented i between a vowel and a, e or o is the glide of a
    // diphthong whose first vowel bears the stress: meio, praia, roia,
    // delineia.  (A stressed i in hiatus there would carry an accent: saída;
    // saiu keeps its i.)
    const auto isAEO = [](char c) { return c == 'a' || c == 'e' || c == 'o'; };
    if (p > 1 && p < static_cast<int>(lowered.size()) && lowered[p - 1] == 'i' && isPlainVowel(lowered[p - 2]) &&
        isAEO(lowered[p]))
        return p - 1;
    return p;
}

bool loadPronunciationFiles(const std::string& rulesPath, const std::string& exceptionsPath) {
    exceptionTable.clear();
    for (auto& list : ruleLists) list.clear();
    return loadRules(rulesPath) && exceptionTable.load(exceptionsPath, exceptions::LineCase::upper);
}

void freePronunciationRules() {
    for (auto& list : ruleLists) {
        list.clear();
        list.shrink_to_fit();
    }
}

std::vector<std::string> wordsToPhonemeLines(const std::vector<std::string>& items, bool utteranceEnds) {
    std::vector<std::string> lines;
    lines.reserve(items.size() * 8 + 1);
    for (const std::string& item : items) {
        lines.push_back(";" + item);
        const std::string word = cp1252::upper(item.size() > 4 ? std::string_view(item).substr(4) : "");
        if (word.empty()) {
            lines.emplace_back("__");
            lines.emplace_back();
        } else if (isPauseSign(static_cast<unsigned char>(word[0]))) {
            if (const char* pause = pauseLine(static_cast<unsigned char>(word[0]))) lines.emplace_back(pause);
        } else {
            const std::string spelled = applyExceptions(word);
            convertWord(spelled, isUnstressedWord(spelled) ? 0 : stressPosition(spelled), lines);
        }
    }
    if (utteranceEnds) lines.emplace_back("__");
    joinWords(lines);
    return lines;
}

}  // namespace tts
