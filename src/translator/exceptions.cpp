#include "translator/exceptions.h"

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "translator/line_reader.h"
#include "platform/platform.h"

namespace exceptions {
namespace {

// Slot 0 is unused: entries are numbered from 1 as the search counts them.
std::vector<palavra_alias> table(maximumEntries + 1);
int entryCount = 0;

int compareBytes(const std::string& a, const std::string& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int c = common ? std::memcmp(a.data(), b.data(), common) : 0;  // memcmp compares unsigned bytes
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Quicksort with the middle entry as pivot.  The smaller part is sorted by
// recursion and the larger by looping, which leaves the same order as sorting
// the left part first and keeps the stack shallow for any input.
void sortRange(int low, int high) {
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


}  // namespace

bool lessThan(const std::string& a, const std::string& b) { return compareBytes(a, b) < 0; }

void clear() {
    for (int i = 1; i <= entryCount; ++i) table[i] = palavra_alias{};
    entryCount = 0;
}

int count() { return entryCount; }

const palavra_alias& entry(int number) { return table[number]; }

bool load(const std::string& path) {
    clear();
    std::FILE* file = platform::openForReading(path);
    if (!file) return false;
    std::string line;
    while (entryCount < maximumEntries && readTextLine(file, line)) {
        if (line.size() > maximumLineLength) line.resize(maximumLineLength);
        if (line.empty()) continue;
        // The end marker guarantees an "=" and a "|" after it, also on a
        // line that fills all 255 characters.
        line += "|=|";
        const std::size_t equals = line.find('=');
        const std::size_t bar = line.find('|', equals + 1);
        palavra_alias& slot = table[++entryCount];
        slot.word = line.substr(0, equals);
        slot.alias = line.substr(equals + 1, bar - equals - 1);
    }
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        clear();
        return false;
    }
    if (entryCount > 1) sortRange(1, entryCount);
    return true;
}

const std::string* find(const std::string& word) {
    int low = 1;
    int high = entryCount;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = compareBytes(word, table[middle].word);
        if (c == 0) return &table[middle].alias;
        if (c > 0) low = middle + 1;
        else high = middle - 1;
    }
    return nullptr;
}

}  // namespace exceptions
