#include "speech/word_pieces.h"

std::vector<std::string> translatorPieces(const std::string& run, std::size_t limit) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < run.size()) {
        std::size_t length = run.size() - start;
        if (length > limit) {
            length = limit;
            std::size_t space = run.rfind(' ', start + limit - 1);
            if (space != std::string::npos && space >= start) length = space + 1 - start;
        }
        pieces.push_back(run.substr(start, length));
        start += length;
    }
    return pieces;
}
