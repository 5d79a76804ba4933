// Loads arbitrary bytes as a pronunciation rules file, then converts words
// that reach every context symbol, stress and the liaison pass.
#include <cstdint>

#include "tts/pronunciation.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string exceptions = tts_fuzz::writeTemp("r.exc", "casa=kaza\nmar=marr2\n");
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (tts::loadPronunciationFiles(tts_fuzz::writeTemp(".nrl", content), exceptions))
        tts::wordsToPhonemeLines({"abc|casas", "abc|aqui", "abc|", "abc| ", "abc|,", "abc|n\xE3o", "abc|mar",
                                  "abc|\xC1gua", "abc|\xA8u", "ab", "abc|\x01\x80\xFF", "abc|" + content.substr(0, 64)});
    tts::freePronunciationRules();
    return 0;
}
