// Shows what the text-to-speech engine will say: loads the engine's data
// files, runs the text stages on a text and prints the MBROLA lines, which the
// Linux mbrola program reads as a .pho file:
//   tts_lines DATA_DIR [-d DURATION_FACTOR] [-p PITCH_FACTOR] [TEXT...]
// Without TEXT it reads code page 1252 text from standard input, one
// utterance a line.  With -s it prints, instead of the lines, the speed of
// the stages over the whole input (bytes per CPU second) and the filler
// phonemes per 1000 phonemes.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "tts/message_box.h"
#include "tts/pipeline.h"
#include "tts/prosody.h"

void showMessageBox(const std::string& text) { std::cerr << "tts_lines: " << text << "\n"; }

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: tts_lines DATA_DIR [-d DURATION_FACTOR] [-p PITCH_FACTOR] [-s] [TEXT...]\n";
        return 2;
    }
    std::string dir = argv[1];
    if (!dir.empty() && dir.back() != '/') dir += '/';
    double durationFactor = 1.0, pitchFactor = 1.0;
    bool stats = false;
    std::vector<std::string> texts;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "-d" || arg == "-p") && i + 1 < argc) (arg == "-d" ? durationFactor : pitchFactor) = std::atof(argv[++i]);
        else if (arg == "-s") stats = true;
        else texts.push_back(arg);
    }
    const int failed = tts::loadEngineData(dir + "portug.nrl", dir + "portug.exc", dir + "portug.abr",
                                           dir + "portug.pro", dir + "portug.dfn");
    if (failed != 0) {
        static const char* const names[] = {"", "portug.nrl or portug.exc", "portug.abr", "portug.pro", "portug.dfn"};
        std::cerr << "tts_lines: cannot load " << names[failed] << " from " << dir << "\n";
        return 1;
    }
    if (texts.empty())
        for (std::string line; std::getline(std::cin, line);) texts.push_back(line);

    std::size_t bytes = 0, phonemes = 0;
    const std::uint64_t fillersBefore = tts::fillerCount();
    const std::clock_t start = std::clock();
    for (const std::string& text : texts) {
        const std::vector<std::string> lines = tts::textToMbrolaLines(text, durationFactor, pitchFactor);
        bytes += text.size() + 1;
        for (const std::string& line : lines) {
            if (!line.empty() && line[0] != ';') ++phonemes;
            if (!stats) std::fwrite((line + "\n").data(), 1, line.size() + 1, stdout);
        }
    }
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    if (stats) {
        const std::uint64_t fillers = tts::fillerCount() - fillersBefore;
        std::printf("%zu bytes in %.3f CPU s: %.2f MB per CPU second\n", bytes, seconds, bytes / 1e6 / seconds);
        phonemes -= fillers;
        std::printf("%zu phonemes, %llu fillers: %.2f per 1000 phonemes\n", phonemes,
                    static_cast<unsigned long long>(fillers), phonemes ? 1000.0 * fillers / phonemes : 0.0);
    }
    return 0;
}
