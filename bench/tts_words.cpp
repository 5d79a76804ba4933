// The pronunciation stage on its own, for the benchmarks.
//   tts_words RULES EXCEPTIONS < words
//     prints the phonemes of each word of standard input (code page 1252, one
//     word a line): one line per word, phonemes separated by spaces, the
//     stressed one preceded by ">".
//   tts_words RULES EXCEPTIONS ABBREVIATIONS TEXT
//     normalizes TEXT and converts it sentence by sentence, and prints the
//     megabytes of text handled per CPU second.
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tts/normalization.h"
#include "tts/pronunciation.h"

namespace {

int printPhonemes() {
    std::string word;
    while (std::getline(std::cin, word)) {
        std::string phonemes;
        for (const std::string& line : tts::wordsToPhonemeLines({"   |" + word})) {
            if (line.empty() || line[0] == ';' || line == "__") continue;
            if (!phonemes.empty()) phonemes += ' ';
            phonemes += line;
        }
        std::cout << phonemes << '\n';
    }
    return 0;
}

// Words and signs as items, one list per sentence, the way the stages meet.
std::size_t convert(const std::string& normalized) {
    std::vector<std::string> items;
    std::size_t lines = 0;
    std::string word = "   |";
    for (const char c : normalized) {
        const bool sign = c == ' ' || c == ',' || c == '.' || c == '!' || c == '?' || c == ':' || c == ';';
        if (!sign) {
            word += c;
            continue;
        }
        if (word.size() > 4) items.push_back(word);
        word.resize(4);
        if (c != ' ') items.push_back(word + c);
        if (c == '.' || c == '!' || c == '?') {
            lines += tts::wordsToPhonemeLines(items).size();
            items.clear();
        }
    }
    return lines + tts::wordsToPhonemeLines(items).size();
}

int measureSpeed(const std::string& abbreviations, const std::string& textPath) {
    if (!tts::loadAbbreviations(abbreviations)) return 2;
    std::ifstream file(textPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string all = text.str();
    const std::clock_t start = std::clock();
    std::size_t lines = 0;
    for (std::size_t from = 0; from < all.size();) {  // paragraphs, as a speaker would hand them over
        std::size_t end = all.find('\n', from);
        if (end == std::string::npos) end = all.size();
        lines += convert(tts::normalizeText(all.substr(from, end - from)));
        from = end + 1;
    }
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    std::cout << all.size() / 1e6 << " MB, " << lines << " lines, " << seconds << " CPU seconds: "
              << all.size() / 1e6 / seconds << " MB per CPU second\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if ((argc != 3 && argc != 5) || !tts::loadPronunciationFiles(argv[1], argv[2])) {
        std::cerr << "usage: tts_words RULES EXCEPTIONS [ABBREVIATIONS TEXT] (files must load)\n";
        return 2;
    }
    return argc == 3 ? printPhonemes() : measureSpeed(argv[3], argv[4]);
}
