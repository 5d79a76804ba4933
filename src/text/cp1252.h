// Letter case in code page 1252, the program's text encoding: the ASCII
// letters and the accented Latin letters (à..þ and their capitals, plus
// š œ ž ÿ), as the Windows locale maps them.  ß, µ and ÷/× have no other case.
#pragma once
#include <string>
#include <string_view>

namespace cp1252 {

unsigned char upper(unsigned char c);
unsigned char lower(unsigned char c);
std::string upper(std::string_view text);
std::string lower(std::string_view text);

// The Unicode character of a byte, as Windows converts code page 1252: 0x80..0x9F
// hold € ‚ ƒ „ … and the like; the five bytes the code page leaves undefined
// (0x81 0x8D 0x8F 0x90 0x9D) keep their own value.
char16_t toUnicode(unsigned char c);

// Only A-Z and a-z change; every other byte stays as it is.
inline unsigned char asciiUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
inline unsigned char asciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

}  // namespace cp1252
