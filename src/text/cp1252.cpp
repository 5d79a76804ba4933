#include "text/cp1252.h"

namespace cp1252 {

unsigned char upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à..þ, not ÷
    switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
    }
}

unsigned char lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A' + 'a';
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // À..Þ, not ×
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(upper(static_cast<unsigned char>(c)));
    return result;
}

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace cp1252
