#include "translator/letter_rules.h"

#include <cstdio>
#include <vector>

#include "translator/line_reader.h"
#include "platform/platform.h"

namespace letter_rules {
namespace {

constexpr int keyCount = lastKey - firstKey + 1;
constexpr std::size_t contextLimit = 5;

std::vector<LetterRule> lists[keyCount];

bool isKey(unsigned char c) { return c >= firstKey && c <= lastKey; }

std::string cut(const std::string& text, std::size_t from, std::size_t to, std::size_t limit) {
    std::string field = text.substr(from, to - from);
    if (field.size() > limit) field.resize(limit);
    return field;
}

bool parseRule(const std::string& line, LetterRule& rule) {
    return splitRuleLine(line, outputLimit, rule) && isKey(static_cast<unsigned char>(rule.match[0]));
}

bool matchHolds(const WordBuffer& word, int cursor, const std::string& match) {
    for (std::size_t i = 0; i < match.size(); ++i) {
        const int position = cursor + static_cast<int>(i);
        if (!word.inside(position) ||
            spelling::upper(word.at[position]) != static_cast<unsigned char>(match[i]))
            return false;
    }
    return true;
}

}  // namespace

bool splitRuleLine(const std::string& line, std::size_t maximumOutput, LetterRule& rule) {
    const std::size_t open = line.find('(');
    if (open == std::string::npos) return false;
    const std::size_t close = line.find(')', open + 1);
    if (close == std::string::npos) return false;
    const std::size_t equals = line.find('=', close + 1);
    if (equals == std::string::npos) return false;
    std::size_t bar = line.find('|', equals + 1);
    if (bar == std::string::npos) bar = line.size();
    rule.left = cut(line, 0, open, contextLimit);
    rule.match = cut(line, open + 1, close, contextLimit);
    rule.right = cut(line, close + 1, equals, contextLimit);
    rule.output = cut(line, equals + 1, bar, maximumOutput);
    return !rule.match.empty();
}

void clear() {
    for (auto& list : lists) list.clear();
}

int count(unsigned char key) { return isKey(key) ? static_cast<int>(lists[key - firstKey].size()) : 0; }

const LetterRule& rule(unsigned char key, int index) { return lists[key - firstKey][index]; }

bool load(const std::string& path) {
    clear();
    std::FILE* file = platform::openForReading(path);
    if (!file) return false;
    std::string line;
    LetterRule rule;
    while (readTextLine(file, line)) {
        if (parseRule(line, rule)) lists[static_cast<unsigned char>(rule.match[0]) - firstKey].push_back(rule);
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) clear();
    return !readFailed;
}

bool leftContextHolds(const WordBuffer& word, int cursor, const std::string& left) {
    using namespace spelling;
    int at = cursor - 1;
    for (std::size_t n = left.size(); n-- > 0;) {
        const unsigned char symbol = static_cast<unsigned char>(left[n]);
        const unsigned char c = word.letterAt(at);
        const bool inside = word.inside(at);
        switch (symbol) {
        case '#':
            if (!inside || !(isVowel(c) || isAccentMark(c))) return false;
            while (word.inside(at) && (isVowel(word.at[at]) || isAccentMark(word.at[at]))) --at;
            break;
        case '%':
            if (inside) return false;
            break;
        case ']':
            if (inside && isFrontVowel(c)) at -= 1;
            else if (inside && isAccentMark(c) && word.inside(at - 1) && isFrontVowel(word.at[at - 1])) at -= 2;
            else return false;
            break;
        case '_':
            if (at < 1) break;
            if (inside && isVowel(c)) at -= 1;
            else if (inside && isAccentMark(c) && word.inside(at - 1) && isVowel(word.at[at - 1])) at -= 2;
            else return false;
            break;
        case '|':
            if (!inside || !(c == 'n' || c == 'r' || c == 's')) return false;
            at -= 1;
            break;
        default:
            if (!inside || upper(c) != symbol) return false;
            at -= 1;
        }
    }
    return true;
}

bool rightContextHolds(const WordBuffer& word, int afterMatch, const std::string& right) {
    using namespace spelling;
    int at = afterMatch;
    for (const char s : right) {
        const unsigned char symbol = static_cast<unsigned char>(s);
        const unsigned char c = word.letterAt(at);
        const bool inside = word.inside(at);
        switch (symbol) {
        case '#':
            if (!inside || !(isVowel(c) || isAccentMark(c))) return false;
            while (word.inside(at) && (isVowel(word.at[at]) || isAccentMark(word.at[at]))) ++at;
            break;
        case '%':
            if (at <= word.length) return false;
            break;
        case '&':
            if (!inside || !(c == 'l' || c == 'm' || c == 'n' || c == 'r' || c == 'z')) return false;
            at += 1;
            break;
        case '*':
            if (!inside || !isConsonant(c) || c == 'r' || c == 'l') return false;
            break;
        case '+':
            if (!inside || !isBackVowel(c)) return false;
            at += 1;
            if (word.inside(at) && isAccentMark(word.at[at])) at += 1;
            break;
        case '[':
            if (at <= word.length && !(inside && isConsonant(c) && c != 'h')) return false;
            break;
        case '\\':
            if (inside && c == 's') at += 1;
            break;
        default:
            if (!inside || upper(c) != symbol) return false;
            at += 1;
        }
    }
    return true;
}

const LetterRule* find(const WordBuffer& word, int cursor, unsigned char key) {
    if (!isKey(key)) return nullptr;
    for (const LetterRule& r : lists[key - firstKey]) {
        if (matchHolds(word, cursor, r.match) && leftContextHolds(word, cursor, r.left) &&
            rightContextHolds(word, cursor + static_cast<int>(r.match.size()), r.right))
            return &r;
    }
    return nullptr;
}

}  // namespace letter_rules
