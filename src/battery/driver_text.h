// Text a battery driver gives (its name, its maker's name) as the program's
// text: UTF-16 from the driver, code page 1252 here.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Longest text kept, in characters: a driver's name is short; more is noise
// that would fill the window and the speech.
constexpr std::size_t driverTextLimit = 40;

// `bytes` is little-endian UTF-16, ending at the first NUL or at the end (an
// odd last byte is ignored).  Characters outside code page 1252 become "?",
// a pair of surrogates one "?"; control characters are dropped; blanks at
// both ends are trimmed and the text is cut to driverTextLimit characters.
std::string driverText(const std::vector<unsigned char>& bytes);
