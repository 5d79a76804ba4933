// Counts the words that the default voice cannot say whole: each word of a
// word list (UTF-8, one per line) is translated with the real rules and
// exceptions files and walked as the synthesizer would speak it, against the
// real database index and letters directory.  A word "misses" when one of its
// units ends in a noise burst or is left out.  The report's own words and the
// number-word recordings are checked as well, and must all be there.
//
//   phoneme_coverage DATA_DIRECTORY [--words FILE] [--database NAME] [--report-only]
//                    [--limit PERCENT] [--show N]
//
// DATA_DIRECTORY holds kelmar/som/difones (rules, exceptions, NAME.IND) and
// kelmar/som/letras.  Exit status 0 when the report is complete and the share
// of missing words is at most PERCENT (default 100).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "battery/report.h"
#include "diphone/diphone_index.h"
#include "diphone/phoneme_walker.h"
#include "translator/translator.h"
#include "audio/wave_format.h"

namespace {

std::vector<unsigned char> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool recordingUsable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bool usable = findDataChunk(file) > 0;
    std::fclose(file);
    return usable;
}

// Remembers which units a word could not find.
class CheckingSink : public UnitSink {
public:
    CheckingSink(const std::vector<unsigned char>& index, const std::string& letters)
        : index_(index), letters_(letters) {}

    bool appendDiphone(const std::string& name, int, double) override {
        DiphoneRecord record;
        lastAsked_ = name;
        return findDiphone(index_, upperUnitName(name), record);
    }
    bool appendRecording(const std::string& name) override {
        lastAsked_ = name;
        auto known = recordings_.find(name);
        if (known == recordings_.end())
            known = recordings_.emplace(name, recordingUsable(letters_ + name + ".wav")).first;
        return known->second;
    }
    void appendSilence(int) override {}
    void appendNoise() override { missing.push_back(lastAsked_); }
    void unitOmitted(const std::string& name) override { missing.push_back(name); }

    std::vector<std::string> missing;

private:
    const std::vector<unsigned char>& index_;
    std::string letters_;
    std::string lastAsked_;
    std::map<std::string, bool> recordings_;
};

// UTF-8 to code page 1252; false for characters the code page lacks.
bool toCodePage1252(const std::string& utf8, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        unsigned code;
        int extra;
        if (c < 0x80) {
            code = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            extra = 2;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size()) return false;
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += 1 + extra;
        if (code >= 0x100 || (code >= 0x80 && code < 0xA0)) return false;
        out.push_back(static_cast<char>(code));
    }
    return true;
}

bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

// The runs of letters of a text, as the speak-text dispatcher hands them on.
std::vector<std::string> letterRuns(const std::string& text) {
    std::vector<std::string> runs;
    std::string run;
    for (char c : text) {
        if (isLetter(static_cast<unsigned char>(c))) {
            run.push_back(c);
        } else if (!run.empty()) {
            runs.push_back(run);
            run.clear();
        }
    }
    if (!run.empty()) runs.push_back(run);
    return runs;
}

// The units a word misses (empty when it is said whole).
std::vector<std::string> missingUnits(const std::string& word, CheckingSink& sink) {
    sink.missing.clear();
    for (const std::string& run : letterRuns(word)) walkPhonemes(translateToPhonemes(run), false, 0, sink);
    return sink.missing;
}

std::vector<std::string> reportTexts() {
    std::vector<std::string> texts;
    const std::uint8_t flags[] = {0, 1, 2, 4, 8, 9, 10, 12, 128, 255};
    const std::uint8_t lines[] = {0, 1, 255};
    const std::uint32_t times[] = {0, 1, 59, 60, 61, 119, 3600, 3661, 7322, 86399, unknownLifeTime};
    for (std::uint8_t flag : flags)
        for (std::uint8_t line : lines)
            for (std::uint32_t time : times) {
                PowerStatus status;
                status.batteryFlag = flag;
                status.acLineStatus = line;
                status.batteryLifePercent = 57;
                status.batteryLifeTime = time;
                status.batteryFullLifeTime = time;
                texts.push_back(composeReport(status));
            }
    return texts;
}

const char* const numberWordFiles[] = {
    "_um", "_uma", "_dois", "_duas", "_tres", "_quatro", "_cinco", "_seis", "_sete", "_oito", "_nove", "_dez",
    "_onze", "_doze", "_treze", "_quatorz", "_quinze", "_dezesse", "_dezeset", "_dezoito", "_dezenov",
    "_vinte", "_trinta", "_quarent", "_cinquen", "_sessent", "_setenta", "_oitenta", "_noventa",
    "_cem", "_cento", "_duzento", "_trezent", "_quatroc", "_quinhen", "_seiscen", "_setecen",
    "_oitocen", "_novecen", "_e", "_mil", "_milhao", "_milhoes", "_bilhao", "_bilhoes", "_trilhao",
    "_trilhoe", "_zero"};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: phoneme_coverage DATA_DIRECTORY [--words FILE] [--database NAME] "
                     "[--report-only] [--limit PERCENT] [--show N]\n");
        return 2;
    }
    std::string data = argv[1];
    std::string wordsFile = "/usr/share/dict/brazilian";
    std::string database = "DIFONES3";
    bool reportOnly = false;
    double limit = 100;
    int show = 20;
    for (int a = 2; a < argc; ++a) {
        std::string option = argv[a];
        bool hasValue = a + 1 < argc;
        if (option == "--words" && hasValue) wordsFile = argv[++a];
        else if (option == "--database" && hasValue) database = argv[++a];
        else if (option == "--limit" && hasValue) limit = std::atof(argv[++a]);
        else if (option == "--show" && hasValue) show = std::atoi(argv[++a]);
        else if (option == "--report-only") reportOnly = true;
        else {
            std::fprintf(stderr, "phoneme_coverage: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    std::string diphones = data + "/kelmar/som/difones/";
    std::string letters = data + "/kelmar/som/letras/";
    if (!loadRules(diphones + "regras.rgr") || !loadExceptions(diphones + "portug.exc")) {
        std::fprintf(stderr, "phoneme_coverage: cannot load %sregras.rgr and portug.exc\n", diphones.c_str());
        return 1;
    }
    std::vector<unsigned char> index = readWhole(diphones + database + ".IND");
    if (diphoneRecordCount(index.size()) == 0) {
        std::fprintf(stderr, "phoneme_coverage: no units in %s%s.IND\n", diphones.c_str(), database.c_str());
        return 1;
    }
    CheckingSink sink(index, letters);
    bool complete = true;

    std::set<std::string> reportWords;
    for (const std::string& text : reportTexts())
        for (const std::string& run : letterRuns(text)) reportWords.insert(run);
    int reportMisses = 0;
    for (const std::string& word : reportWords) {
        std::vector<std::string> missing = missingUnits(word, sink);
        if (missing.empty()) continue;
        ++reportMisses;
        std::printf("report word %s (%s) misses %s\n", word.c_str(), translateToPhonemes(word).c_str(),
                    missing.front().c_str());
    }
    int numberMisses = 0;
    for (const char* name : numberWordFiles)
        if (!recordingUsable(letters + name + ".wav")) {
            ++numberMisses;
            std::printf("number word recording %s.wav is missing\n", name);
        }
    std::printf("report: %zu words, %d with a missing unit; %zu number-word recordings, %d missing\n",
                reportWords.size(), reportMisses, std::size(numberWordFiles), numberMisses);
    complete = reportMisses == 0 && numberMisses == 0;
    if (reportOnly) return complete ? 0 : 1;

    std::ifstream in(wordsFile);
    if (!in) {
        std::fprintf(stderr, "phoneme_coverage: cannot read %s\n", wordsFile.c_str());
        return 1;
    }
    long words = 0, misses = 0, skipped = 0;
    std::map<std::string, long> byUnit;
    std::map<std::string, std::string> example;
    std::string line, word;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (!toCodePage1252(line, word)) {
            ++skipped;
            continue;
        }
        ++words;
        std::vector<std::string> missing = missingUnits(word, sink);
        if (missing.empty()) continue;
        ++misses;
        for (const std::string& unit : std::set<std::string>(missing.begin(), missing.end())) {
            if (byUnit[unit]++ == 0) example[unit] = word + " " + translateToPhonemes(word);
        }
    }
    double percent = words ? 100.0 * misses / words : 0;
    std::vector<std::pair<long, std::string>> ranked;
    for (const auto& [unit, count] : byUnit) ranked.push_back({count, unit});
    std::sort(ranked.rbegin(), ranked.rend());
    for (int i = 0; i < show && i < static_cast<int>(ranked.size()); ++i)
        std::printf("  %-24s %6ld words, e.g. %s\n", ranked[i].second.c_str(), ranked[i].first,
                    example[ranked[i].second].c_str());
    std::printf("words: %ld, with a missing unit: %ld (%.2f %%), not in code page 1252: %ld\n", words, misses,
                percent, skipped);
    freeRules();
    return complete && percent <= limit ? 0 : 1;
}
