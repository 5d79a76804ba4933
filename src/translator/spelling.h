// Character classes of the translator's spelling and the word buffer the
// translation steps share.
#pragma once

namespace spelling {

inline bool isVowel(unsigned char c) {
    switch (c) {
    case 'A': case 'E': case 'I': case 'O': case 'U':
    case 'a': case 'e': case 'i': case 'o': case 'u':
        return true;
    default:
        return false;
    }
}
inline bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isConsonant(unsigned char c) { return isLetter(c) && !isVowel(c); }
inline bool isAccentMark(unsigned char c) { return c == '"' || c == '\'' || c == '^' || c == '`' || c == '~'; }
inline bool isWordCharacter(unsigned char c) { return isLetter(c) || isAccentMark(c); }
inline bool isPauseSign(unsigned char c) {
    return c == ' ' || c == '!' || c == ',' || c == '.' || c == ':' || c == ';' || c == '?';
}
inline bool isFrontVowel(unsigned char c) { return c == 'E' || c == 'I' || c == 'e' || c == 'i'; }
inline bool isBackVowel(unsigned char c) { return c == 'A' || c == 'O' || c == 'a' || c == 'o'; }
inline unsigned char upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
inline unsigned char lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

}  // namespace spelling

// One word being translated: letters at positions 1..length (position 0 and
// positions after the length are never part of the word).
struct WordBuffer {
    static constexpr int capacity = 256;
    unsigned char at[capacity + 2] = {};
    int length = 0;

    bool inside(int position) const { return position >= 1 && position <= length; }
    // The byte at a position, or 0 for a position outside the word.
    unsigned char letterAt(int position) const { return inside(position) ? at[position] : 0; }
};
