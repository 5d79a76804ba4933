#include "tts/prosody.h"

#include <cstdio>
#include <optional>
#include <unordered_map>

#include "platform/platform.h"
#include "translator/line_reader.h"
#include "text/cp1252.h"
#include "tts/message_box.h"
#include "tts/text_fields.h"

namespace tts {

namespace {

ProsodyTables tables;

// Section headers and messages in code page 1252.
const char durationHeader[] = "[DURA\xC7\xC3O]";
const char keywordHeader[] = "[CHAVES]";
const char patternHeader[] = "[PROS\xD3" "DIA]";
const char fileMissing[] = "Configura\xE7\xE3o da pros\xF3" "dia n\xE3o foi achada";
const char durationsMissing[] = "Dura\xE7\xE3o dos difones errada ou ausente";
const char keywordsMissing[] = "Pros\xF3" "dia: palavras chaves ausentes";
const char patternsMissing[] = "Pros\xF3" "dia: especifica\xE7\xF5" "es ausentes";
const char badPhoneme[] = "Configura\xE7\xE3o da pros\xF3" "dia: fonema errado: ";
const char badKey[] = "Configura\xE7\xE3o da pros\xF3" "dia: chave errada: ";

// The lines of one section: from the line after its header to the end of the
// file or the next line that begins with "[".  Empty lines and comments
// (";" or "*" first) are left out.  Nothing when the header is missing.
std::optional<std::vector<std::string>> sectionLines(const std::vector<std::string>& file, const char* header) {
    std::size_t i = 0;
    while (i < file.size() && trimBlanks(file[i]) != header) ++i;
    if (i == file.size()) return std::nullopt;
    std::vector<std::string> lines;
    for (++i; i < file.size() && (file[i].empty() || file[i][0] != '['); ++i) {
        const std::string& line = file[i];
        if (trimBlanks(line).empty() || line[0] == ';' || line[0] == '*') continue;
        lines.push_back(line);
    }
    return lines;
}

// Durations by name, looked up for every phoneme of every text.
std::unordered_map<std::string, std::int32_t> durationIndex;
std::size_t durationIndexSize = static_cast<std::size_t>(-1);

bool readDurations(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            showMessageBox(badPhoneme + line);
            return false;
        }
        if (tables.durations.size() == maxDurations) continue;
        std::optional<std::int32_t> ms = parseDecimal(line.substr(equals + 1));
        if (!ms || *ms < 0) {
            showMessageBox(badPhoneme + line);
            ms = 100;
        }
        tables.durations.push_back({trimBlanks(line.substr(0, equals)).substr(0, 2), *ms});
    }
    return true;
}

// An exchange sort, as the table is small and sorted once per load: for equal
// keys the entry found by the search stays the same from build to build.
void sortKeywords() {
    auto& k = tables.keywords;
    for (std::size_t i = 0; i + 1 < k.size(); ++i)
        for (std::size_t j = i + 1; j < k.size(); ++j)
            if (k[i].key > k[j].key) std::swap(k[i], k[j]);
}

bool readKeywords(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        // A class of one letter would shift the word out of its place in the
        // "[" class "]" lines, so only two letters or none are accepted.
        const std::string cls = equals == std::string::npos
                                    ? std::string()
                                    : cp1252::upper(trimBlanks(line.substr(equals + 1))).substr(0, 2);
        if (equals == std::string::npos || cls.size() == 1) {
            showMessageBox(badKey + line);
            return false;
        }
        if (tables.keywords.size() == maxKeywords) continue;
        tables.keywords.push_back({cp1252::upper(trimBlanks(line.substr(0, equals))), cls});
    }
    sortKeywords();
    return true;
}

// Three characters, each a digit, the first one possibly "?".
bool isPattern(const std::string& pattern) {
    if (pattern.size() != 3) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = pattern[i];
        if (!(c >= '0' && c <= '9') && !(i == 0 && c == '?')) return false;
    }
    return true;
}

bool readPitchTable(const std::string& values) {
    std::int32_t table[10];
    std::size_t start = 0;
    for (int digit = 0; digit < 10; ++digit) {
        std::size_t comma = values.find(',', start);
        if ((digit < 9) == (comma == std::string::npos)) return false;  // fewer or more than ten
        if (comma == std::string::npos) comma = values.size();
        const std::optional<std::int32_t> value = parseDecimal(values.substr(start, comma - start));
        if (!value || *value < 0) return false;
        table[digit] = *value;
        start = comma + 1;
    }
    std::copy(table, table + 10, tables.pitchTable);
    return true;
}

bool readPatterns(const std::vector<std::string>& lines) {
    for (const std::string& original : lines) {
        const std::string line = trimBlanks(cp1252::upper(original));
        bool good;
        if (line.rfind("HERTZ=", 0) == 0) {
            const std::optional<std::int32_t> hertz = parseDecimal(line.substr(6));
            good = hertz && *hertz > 0;
            if (good) tables.basePitch = *hertz;
        } else if (line.rfind("TABHERTZ=", 0) == 0) {
            good = readPitchTable(line.substr(9));
        } else {
            const std::size_t equals = line.find('=');
            const std::string pattern = equals == std::string::npos ? "" : trimBlanks(line.substr(equals + 1));
            good = isPattern(pattern);
            if (good && tables.patterns.size() < maxPatterns) {
                const std::string context = trimBlanks(line.substr(0, equals));
                std::string fields[3];
                std::size_t start = 0;
                for (int f = 0; f < 3 && start <= context.size(); ++f) {
                    std::size_t bar = context.find('|', start);
                    if (bar == std::string::npos || f == 2) bar = context.size();
                    fields[f] = trimBlanks(context.substr(start, bar - start)).substr(0, 3);
                    start = bar + 1;
                }
                tables.patterns.push_back({fields[0], fields[1], fields[2], pattern});
            }
        }
        if (!good) {
            showMessageBox(badKey + original);
            return false;
        }
    }
    return true;
}

}  // namespace

const ProsodyTables& prosodyTables() { return tables; }

bool loadProsody(const std::string& path) {
    tables.durations.clear();
    durationIndexSize = static_cast<std::size_t>(-1);
    tables.keywords.clear();
    tables.patterns.clear();
    tables.basePitch = 230;
    std::FILE* file = platform::openForReading(path);
    if (!file) {
        showMessageBox(fileMissing);
        return false;
    }
    std::vector<std::string> lines;
    std::string line;
    while (readTextLine(file, line)) lines.push_back(line);
    std::fclose(file);

    const auto durations = sectionLines(lines, durationHeader);
    if (!durations) {
        showMessageBox(durationsMissing);
        return false;
    }
    if (!readDurations(*durations)) return false;
    const auto keywords = sectionLines(lines, keywordHeader);
    if (!keywords) {
        showMessageBox(keywordsMissing);
        return false;
    }
    if (!readKeywords(*keywords)) return false;
    const auto patterns = sectionLines(lines, patternHeader);
    if (!patterns) {
        showMessageBox(patternsMissing);
        return false;
    }
    return readPatterns(*patterns);
}

std::string keywordClass(const std::string& word) {
    const std::string key = cp1252::upper(word);
    std::size_t lo = 0, hi = tables.keywords.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        const std::string& here = tables.keywords[mid].key;
        if (here == key) return tables.keywords[mid].cls;
        if (here > key) hi = mid;
        else lo = mid + 1;
    }
    return "";
}

std::int32_t phonemeDuration(const std::string& name) {
    if (durationIndexSize != tables.durations.size()) {
        // Rebuilt after each load: the first entry of a name is the one that counts.
        durationIndex.clear();
        for (const TDuracao& entry : tables.durations) durationIndex.emplace(entry.name, entry.duration);
        durationIndexSize = tables.durations.size();
    }
    auto found = durationIndex.find(name);
    return found != durationIndex.end() ? found->second : 100;
}

}  // namespace tts
