// Words and their melody patterns: classifyWords and choosePatterns.
#include "tts/prosody.h"

namespace tts {

namespace {

// A to Z, a to z and the accented letters of Portuguese, Spanish and Italian
// words in code page 1252 (À Á Â Ã Ç É Ê Ì Í Ñ Ó Ô Õ Ù Ú Ü and lower case).
bool isWordLetter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    if (c >= 0xE0) c -= 0x20;
    switch (c) {
        case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC7: case 0xC9: case 0xCA: case 0xCC:
        case 0xCD: case 0xD1: case 0xD3: case 0xD4: case 0xD5: case 0xD9: case 0xDA: case 0xDC:
            return true;
        default:
            return false;
    }
}

struct Token {
    std::string text;
    bool punctuation = false;
};

// The next word or punctuation mark from position on.  Line breaks, tabs and
// other control characters separate words as spaces do.
Token nextTextToken(const std::string& text, std::size_t& position) {
    while (position < text.size() && static_cast<unsigned char>(text[position]) <= 0x20) ++position;
    if (position + 1 < text.size() && text[position] == '.' && text[position + 1] == '.') {
        while (position < text.size() && text[position] == '.') ++position;
        return {".-", true};
    }
    if (position < text.size() && !isWordLetter(text[position])) {
        const char c = text[position++];
        return {std::string(2, c), true};
    }
    const std::size_t start = position;
    while (position < text.size() && isWordLetter(text[position])) ++position;
    return {text.substr(start, position - start), false};
}

std::string lineClass(const std::string* line) { return line ? line->substr(1, 2) : std::string(); }

bool fieldMatches(const std::string& field, const std::string& cls) { return field.empty() || field == cls; }

}  // namespace

std::vector<std::string> classifyWords(const std::string& text) {
    std::vector<std::string> lines{"[--]"};
    std::size_t position = 0;
    while (position < text.size()) {
        const Token token = nextTextToken(text, position);
        if (token.text.empty()) break;
        if (token.punctuation) {
            lines.push_back("[" + token.text + "]" + token.text[0]);
            if (token.text[0] == '!' || token.text[0] == '.' || token.text[0] == '?') lines.push_back("[--]");
        } else {
            std::string cls = keywordClass(token.text);
            if (cls.empty()) cls = "XX";
            lines.push_back("[" + cls + "]" + token.text);
        }
    }
    return lines;
}

std::vector<std::string> choosePatterns(const std::vector<std::string>& lines, bool select) {
    PatternContext context;
    return choosePatterns(lines, select, context, "");
}

std::vector<std::string> choosePatterns(const std::vector<std::string>& lines, bool select,
                                        PatternContext& context, const std::string& following) {
    std::vector<const std::string*> words;
    for (const std::string& line : lines)
        if (!line.empty()) words.push_back(&line);
    std::vector<std::string> result;
    result.reserve(words.size());
    char& remembered = context.remembered;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string previous = i > 0 ? lineClass(words[i - 1]) : context.previousClass;
        const std::string current = lineClass(words[i]);
        const std::string next = i + 1 < words.size() ? lineClass(words[i + 1]) : following;
        std::string pattern = "555";
        if (select) {
            for (const TProsodia& entry : prosodyTables().patterns) {
                if (fieldMatches(entry.previous, previous) && fieldMatches(entry.current, current) &&
                    fieldMatches(entry.next, next)) {
                    pattern = entry.pattern;
                    break;
                }
            }
        }
        if (pattern[0] == '?') pattern[0] = remembered;
        remembered = pattern[2];
        result.push_back(pattern + "|" + (words[i]->size() > 4 ? words[i]->substr(4) : std::string()));
    }
    if (!words.empty()) context.previousClass = lineClass(words.back());
    return result;
}

}  // namespace tts
