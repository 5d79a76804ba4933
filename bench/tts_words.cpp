// Prints the phonemes the pronunciation stage gives each word of standard
// input (code page 1252, one word a line): one line per word, phonemes
// separated by spaces, the stressed one preceded by ">".
//   tts_words RULES EXCEPTIONS < words
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tts/pronunciation.h"

int main(int argc, char** argv) {
    if (argc != 3 || !tts::loadPronunciationFiles(argv[1], argv[2])) {
        std::fprintf(stderr, "usage: tts_words RULES EXCEPTIONS < words (files must load)\n");
        return 2;
    }
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
