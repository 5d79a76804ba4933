// Normalizes arbitrary bytes with a few abbreviations loaded.
#include <algorithm>
#include <cstdint>
#include <string>

#include "tts/normalization.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = tts_fuzz::tempPath("-normalize.abr");
    static const bool loaded = tts_fuzz::writeFile(path, "sr=senhor\nkm=quil\xF4metros\nBH=Belo Horizonte\n") &&
                               tts::loadAbbreviations(path);
    if (!loaded) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    tts::normalizeText(text);
    std::size_t position = 0;
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') tts::expandNumber(text, position);
    position = 0;
    tts::spellOrKeep(text, position);
    return 0;
}
