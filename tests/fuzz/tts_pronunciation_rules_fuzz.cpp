// Loads arbitrary bytes as a pronunciation rules file, then converts words
// that reach every context symbol, stress and the liaison pass.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tts/pronunciation.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string exceptionsPath = tts_fuzz::tempPath("-rules.exc");
    static const bool written = tts_fuzz::writeFile(exceptionsPath, "casa=kaza\nmar=marr2\n");
    const std::string rulesPath = tts_fuzz::tempPath(".nrl");
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (!written || !tts_fuzz::writeFile(rulesPath, content)) return 0;
    if (tts::loadPronunciationFiles(rulesPath, exceptionsPath)) {
        const std::vector<std::string> items(std::begin(tts_fuzz::sampleItems), std::end(tts_fuzz::sampleItems));
        tts::wordsToPhonemeLines(items);
        tts::wordsToPhonemeLines({"abc|" + content.substr(0, 64)});
    }
    tts::freePronunciationRules();
    return 0;
}
