// Blanks and control characters (codes 0 to 32) around a text, which the
// caption, setting values and system voices all leave out.
#pragma once
#include <string>

namespace text {

inline bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }
std::string withoutBlankEnds(const std::string& text);

}  // namespace text
