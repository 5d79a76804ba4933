// Long runs of words are handed to the translator in pieces it accepts.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

constexpr std::size_t translatorLimit = 999;  // characters per translation

// The run cut into pieces of at most `limit` characters, each cut made after
// the last space within the limit when there is one, so words stay whole.
std::vector<std::string> translatorPieces(const std::string& run, std::size_t limit = translatorLimit);
