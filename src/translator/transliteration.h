// Rewrites code page 1252 (and DOS Latin) text into the translator's ASCII
// spelling: an accented vowel becomes the letter followed by one accent mark
// (' acute, ` grave, ^ circumflex, ~ tilde, " diaeresis), c-cedilla becomes
// "ss", W and Y next to a letter become u and i, an apostrophe after d is
// dropped, and unknown bytes become the group " \x01 ".
#pragma once
#include <string>

std::string transliterate(const std::string& text);

// The spelling of one byte from 0x80 to 0xFF, or nullptr when the byte is
// unknown.
const char* transliterationOf(unsigned char byte);
