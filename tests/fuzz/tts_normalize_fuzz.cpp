// Normalizes arbitrary bytes with a few abbreviations loaded.
#include <cstdint>

#include "tts/normalization.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool loaded = tts::loadAbbreviations(tts_fuzz::writeTemp("n.abr", "sr=senhor\nkm=quil\xF4metros\n"));
    if (loaded) tts::normalizeText(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
