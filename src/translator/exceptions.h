// Exception tables: respellings of whole words, read from a WORD=ALIAS text
// file, sorted once by byte order and searched by bisection.  The default
// voice keeps one table (the functions below); the text-to-speech engine
// keeps its own, whose lines are upper-cased before they are split.
#pragma once
#include <string>
#include <vector>

struct palavra_alias {
    std::string word;
    std::string alias;
};

namespace exceptions {

constexpr int maximumEntries = 15000;
constexpr std::size_t maximumLineLength = 255;

enum class LineCase { asWritten, upper };

class Table {
public:
    // Reads up to 15000 entries (the first 255 characters of each line, empty
    // lines skipped) and sorts them.  False when the file cannot be opened or
    // reading it fails (the table is then empty).
    bool load(const std::string& path, LineCase lineCase);
    void clear();
    int count() const { return entryCount_; }
    const palavra_alias& entry(int number) const { return table_[number]; }  // 1..count()

    // The alias of a word that is in the table, or nullptr.
    const std::string* find(const std::string& word) const;
    // The alias of the word or of its stem without final letters of
    // `strippable` (which are put back after the alias); false when neither is in.
    bool respell(const std::string& word, const char* strippable, std::string& respelled) const;

private:
    void sortRange(int low, int high);

    std::vector<palavra_alias> table_ = std::vector<palavra_alias>(1);  // slot 0 unused: numbered from 1
    int entryCount_ = 0;
};

// The default voice's table.
const Table& table();
bool load(const std::string& path);
void clear();
int count();
const palavra_alias& entry(int number);  // 1..count()
const std::string* find(const std::string& word);

// Byte order used for sorting and searching: unsigned bytes, a prefix first.
bool lessThan(const std::string& a, const std::string& b);

}  // namespace exceptions
