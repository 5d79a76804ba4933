#include "translator/transliteration.h"

namespace {

// Bytes 0x80-0xAF are the accented letters of the DOS Latin code page, 0xC0-0xFF
// those of code page 1252.  Every entry is written with escapes so the file
// means the same bytes to every compiler.  c-cedilla is stored directly as "ss".
const char* const table[128] = {
    // 0x80
    "ss", "u\"", "e'", "a^", "a~", "a`", "a'", "ss", "e^", "e\"", "e`", "i\"", "i^", "i`", "a~", "a'",
    // 0x90
    "e'", "ae", "-", "o^", "o~", "o`", "u^", "u`", "y-", "o~", "u\"", nullptr, nullptr, nullptr, nullptr, nullptr,
    // 0xA0
    "a'", "i'", "o'", "u'", "nh", "nh", nullptr, "\xA7", "?", nullptr, nullptr, "\xAA", nullptr, "!", "\"", "\"",
    // 0xB0
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, "\xBA", nullptr, nullptr, nullptr, "?",
    // 0xC0
    "a`", "a'", "a^", "a~", "a~", "a", "ae", "ss", "e`", "e'", "e^", "e\"", "i`", "i'", "i^", "i\"",
    // 0xD0
    nullptr, "nh", "o`", "o'", "o^", "o~", "o`", "x", "0", "u`", "u'", "u^", "u", nullptr, nullptr, nullptr,
    // 0xE0
    "a`", "a'", "a^", "a~", "a~", "a", "ae", "ss", "e`", "e'", "e^", "e\"", "i`", "i'", "i^", "i\"",
    // 0xF0
    nullptr, "nh", "o`", "o'", "o^", "o~", "o`", "x", "0", "u`", "u'", "u^", "u", nullptr, nullptr, nullptr,
};

const char unknownGroup[] = " \x01 ";

bool isAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void writeByte(std::string& out, unsigned char c) {
    if (c < 0x20) {
        out += unknownGroup;
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        const char* spelling = table[c - 0x80];
        out += spelling ? spelling : unknownGroup;
    }
}

}  // namespace

const char* transliterationOf(unsigned char byte) { return byte < 0x80 ? nullptr : table[byte - 0x80]; }

std::string transliterate(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // "before" is what has been written so far (replacements included);
        // "after" is the next byte as it stands in the text.
        const bool atStart = out.empty();
        const unsigned char before = atStart ? 0 : static_cast<unsigned char>(out.back());
        const bool atEnd = i + 1 >= text.size();
        const unsigned char after = atEnd ? 0 : static_cast<unsigned char>(text[i + 1]);
        const bool nextToLetter = (!atStart && isAsciiLetter(before)) || (!atEnd && isAsciiLetter(after));

        if (c == 'W' || c == 'w') {
            if (nextToLetter) {
                out += 'u';
                continue;
            }
        } else if (c == 'Y' || c == 'y') {
            const bool standsAlone = (atStart || before == ' ') && (atEnd || after == ' ');
            if (nextToLetter || standsAlone) {
                out += 'i';
                continue;
            }
        } else if (c == '\'' && !atStart && (before == 'D' || before == 'd')) {
            continue;
        }
        writeByte(out, c);
    }
    return out;
}
