#include "battery/driver_text.h"

#include "text/blank_ends.h"
#include "text/cp1252.h"

namespace {

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// The code page's byte for a character, or '?' when it has none.
char toCp1252(char32_t c) {
    if (c <= 0xFF) return static_cast<char>(c);
    for (unsigned byte = 0x80; byte <= 0x9F; ++byte)
        if (cp1252::toUnicode(static_cast<unsigned char>(byte)) == c) return static_cast<char>(byte);
    return '?';
}

}  // namespace

std::string driverText(const std::vector<unsigned char>& bytes) {
    std::string text;
    for (std::size_t i = 0; i + 1 < bytes.size() && text.size() < driverTextLimit; i += 2) {
        char32_t c = bytes[i] | bytes[i + 1] << 8;
        if (c == 0) break;
        if (c >= 0xD800 && c <= 0xDFFF) {
            // A high surrogate followed by a low one is one character.
            const bool paired = c < 0xDC00 && i + 3 < bytes.size() && bytes[i + 3] >= 0xDC && bytes[i + 3] <= 0xDF;
            if (paired) i += 2;
            text += '?';
            continue;
        }
        if (!isControl(c) && !(c == ' ' && text.empty())) text += toCp1252(c);
    }
    return text::withoutBlankEnds(text);
}
