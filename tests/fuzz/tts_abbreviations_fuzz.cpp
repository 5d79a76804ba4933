// Loads arbitrary bytes as an abbreviations file, then normalizes texts that
// name every line's key, with its point.
#include <cstdint>

#include "tts/normalization.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (!tts::loadAbbreviations(tts_fuzz::writeTemp(".abr", content))) return 0;
    for (const std::string& key : tts_fuzz::keysOf(content)) tts::normalizeText(key + ". " + key + ".");
    return 0;
}
