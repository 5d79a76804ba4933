// Text normalization: rewrites a text into plain Portuguese words for the
// pronunciation stage.  Numbers, ordinals, decimal commas and points, minus
// signs and dashes become words; abbreviations of the abbreviations file are
// expanded; runs of consonants are spelled; other symbols are named.  Kept
// punctuation (space ! ( ) , . : ; ?) stays for phrasing.  Text is code page 1252.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "numbers/number_words.h"

namespace tts {

constexpr int maximumAbbreviations = 2000;
constexpr std::size_t maximumExpansionLength = 999;

using Gender = NumberGender;

// Clears the abbreviations table and reads "KEY=expansion" lines (trimmed;
// empty lines and lines starting with ";" skipped; keys upper-cased).  False
// when the file cannot be opened or reading it fails.
bool loadAbbreviations(const std::string& path);
// The expansion of the first entry whose key is the word upper-cased, or "".
std::string findAbbreviation(const std::string& word);

// The whole rewrite.
std::string normalizeText(const std::string& text);

// The steps of normalizeText, each advancing position past what it used.
std::string symbolName(unsigned char c);
std::string expandNumber(const std::string& text, std::size_t& position);
std::string spellOrKeep(const std::string& text, std::size_t& position);
std::string ordinalWords(std::uint64_t value, Gender gender);

// Cardinal words of up to 15 digits, with this engine's spellings
// ("três", "cinqüenta"); feminine before a feminine noun ("uma hora").
std::string numberToWords(std::uint64_t value, Gender gender = Gender::masculine);
// True when rest starts with a space and a feminine noun that numbers count
// ("horas", "vezes"), so the number before it is said "uma", "duas", "duzentas".
bool countsFeminineNoun(std::string_view rest);

}  // namespace tts
