// Letter-to-phoneme translator: Portuguese text (code page 1252) to the
// bracketed phoneme string that the diphone synthesizer speaks, by
// transliteration, an exceptions table and letter-to-sound rules.
#pragma once
#include <string>

bool loadRules(const std::string& path);
bool loadExceptions(const std::string& path);
void freeRules();
std::string translateToPhonemes(const std::string& text);
