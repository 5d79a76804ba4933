// The diphones the MBROLA voice has, as 'A-B' texts, sorted without regard to
// letter case and searched by bisection for every emitted phoneme.
#include <algorithm>
#include <cstdio>

#include "platform/platform.h"
#include "translator/line_reader.h"
#include "text/cp1252.h"
#include "tts/prosody.h"
#include "tts/text_fields.h"

namespace tts {

namespace {

std::vector<std::string> diphones;  // lower case

bool isPhoneCharacter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '@' || c == '2' || c == '_';
}

// 'a   b   120' gives 'a-b': the run of phone characters at the start, and the
// next run after at least one other character.
std::string diphoneOfLine(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && isPhoneCharacter(line[i])) ++i;
    const std::string first = line.substr(0, i);
    while (i < line.size() && !isPhoneCharacter(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && isPhoneCharacter(line[i])) ++i;
    return first + "-" + line.substr(start, i - start);
}

}  // namespace

bool loadDiphoneList(const std::string& path) {
    diphones.clear();
    std::FILE* file = platform::openForReading(path);
    if (!file) return false;
    std::string line;
    while (readTextLine(file, line)) {
        line = trimBlanks(line);
        if (line.empty() || line[0] == '!' || line[0] == '*' || line[0] == ';') continue;
        diphones.push_back(cp1252::lower(diphoneOfLine(line)));
    }
    const bool readWhole = !std::ferror(file);
    std::fclose(file);
    std::sort(diphones.begin(), diphones.end());
    if (!readWhole) diphones.clear();
    return readWhole;
}

void freeDiphoneList() { diphones = std::vector<std::string>(); }

bool hasDiphone(const std::string& pair) {
    static std::string key;  // reused: no allocation for each emitted line
    key.assign(pair);
    for (char& c : key) c = static_cast<char>(cp1252::lower(static_cast<unsigned char>(c)));
    return std::binary_search(diphones.begin(), diphones.end(), key);
}

std::size_t diphoneCount() { return diphones.size(); }

}  // namespace tts
