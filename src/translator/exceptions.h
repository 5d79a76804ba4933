// The exceptions table: respellings of whole words, read from a WORD=ALIAS
// text file, sorted once by byte order and searched by bisection.
#pragma once
#include <string>

struct palavra_alias {
    std::string word;
    std::string alias;
};

namespace exceptions {

constexpr int maximumEntries = 15000;
constexpr std::size_t maximumLineLength = 255;

// Reads up to 15000 entries and sorts them.  False when the file cannot be
// opened or reading it fails (the table is then empty).
bool load(const std::string& path);
void clear();
int count();
const palavra_alias& entry(int number);  // 1..count()

// The alias of a word that is in the table, or nullptr.
const std::string* find(const std::string& word);

// Byte order used for sorting and searching: unsigned bytes, a prefix first.
bool lessThan(const std::string& a, const std::string& b);

}  // namespace exceptions
