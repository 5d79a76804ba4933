#include "translator/exceptions.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/platform.h"
#include "text/cp1252.h"
#include "translator/line_reader.h"

namespace exceptions {
namespace {

Table defaultTable;

int compareBytes(const std::string& a, const std::string& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int c = common ? std::memcmp(a.data(), b.data(), common) : 0;  // memcmp compares unsigned bytes
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool lessThan(const std::string& a, const std::string& b) { return compareBytes(a, b) < 0; }

// Quicksort with the middle entry as pivot.  The smaller part is sorted by
// recursion and the larger by looping, which leaves the same order as sorting
// the left part first and keeps the stack shallow for any input.
void Table::sortRange(int low, int high) {
    std::vector<palavra_alias>& table = table_;
    while (low < high) {
        const std::string pivot = table[(low + high) / 2].word;
        int i = low;
        int j = high;
        do {
            while (lessThan(table[i].word, pivot)) ++i;
            while (lessThan(pivot, table[j].word)) --j;
            if (i <= j) {
                std::swap(table[i], table[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - low < high - i) {
            if (low < j) sortRange(low, j);
            low = i;
        } else {
            if (i < high) sortRange(i, high);
            high = j;
        }
    }
}

void Table::clear() {
    for (int i = 1; i <= entryCount_; ++i) table_[i] = palavra_alias{};
    entryCount_ = 0;
}

bool Table::load(const std::string& path, LineCase lineCase) {
    clear();
    std::FILE* file = platform::openForReading(path);
    if (!file) return false;
    std::string line;
    while (entryCount_ < maximumEntries && readTextLine(file, line)) {
        if (line.size() > maximumLineLength) line.resize(maximumLineLength);
        if (lineCase == LineCase::upper) line = cp1252::upper(line);
        if (line.empty()) continue;
        // The end marker guarantees an "=" and a "|" after it, also on a
        // line that fills all 255 characters.
        line += "|=|";
        const std::size_t equals = line.find('=');
        const std::size_t bar = line.find('|', equals + 1);
        if (static_cast<int>(table_.size()) <= ++entryCount_) table_.emplace_back();
        palavra_alias& slot = table_[entryCount_];
        slot.word = line.substr(0, equals);
        slot.alias = line.substr(equals + 1, bar - equals - 1);
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        clear();
        return false;
    }
    if (entryCount_ > 1) sortRange(1, entryCount_);
    return true;
}

const std::string* Table::find(const std::string& word) const {
    int low = 1;
    int high = entryCount_;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = compareBytes(word, table_[middle].word);
        if (c == 0) return &table_[middle].alias;
        if (c > 0) low = middle + 1;
        else high = middle - 1;
    }
    return nullptr;
}

bool Table::respell(const std::string& word, const char* strippable, std::string& respelled) const {
    std::size_t stem = word.size();
    std::string candidate = word;
    while (stem > 0) {
        if (const std::string* alias = find(candidate)) {
            respelled = *alias + word.substr(stem);
            return true;
        }
        const char last = word[stem - 1];
        if (last == '\0' || !std::strchr(strippable, last)) return false;
        candidate.pop_back();
        --stem;
    }
    return false;
}

const Table& table() { return defaultTable; }
bool load(const std::string& path) { return defaultTable.load(path, LineCase::asWritten); }
void clear() { defaultTable.clear(); }
int count() { return defaultTable.count(); }
const palavra_alias& entry(int number) { return defaultTable.entry(number); }
const std::string* find(const std::string& word) { return defaultTable.find(word); }

}  // namespace exceptions
