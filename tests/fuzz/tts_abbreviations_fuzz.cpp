// Loads arbitrary bytes as an abbreviations file, then normalizes texts that
// look every line's key up, with and without its point.
#include <algorithm>
#include <cstdint>
#include <string>

#include "tts/normalization.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = tts_fuzz::tempPath(".abr");
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (!tts_fuzz::writeFile(path, content) || !tts::loadAbbreviations(path)) return 0;
    std::size_t start = 0;
    for (int lines = 0; start < content.size() && lines < 16; ++lines) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        const std::string key = content.substr(start, std::min<std::size_t>(content.find('=', start), end) - start);
        tts::findAbbreviation(key);
        tts::normalizeText(key.substr(0, 40) + ". " + key.substr(0, 40) + ".");
        start = end + 1;
    }
    return 0;
}
