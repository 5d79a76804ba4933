// Loads arbitrary bytes as a pronunciation exceptions file (sorting it), then
// converts its own words and words whose stems lose final S and M letters.
#include <cstdint>

#include "tts/pronunciation.h"
#include "tts_fuzz_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string rules = tts_fuzz::writeTemp(
        "e.nrl", "%#(A)=a\n(A)\\%=a&w\n(A)&=am\n(A)*=a&\n(A)+=&a\n]_(S)#=z\n|(S)=s\n(S)%=s2\n(R)%=r2\n(\xC3)=am\n");
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (tts::loadPronunciationFiles(rules, tts_fuzz::writeTemp(".exc", content))) {
        std::vector<std::string> items;
        for (const std::string& word : tts_fuzz::keysOf(content)) {
            items.push_back("abc|" + word.substr(0, 64));
            items.push_back("abc|" + word.substr(0, 64) + "smsm");
        }
        tts::wordsToPhonemeLines(items);
    }
    tts::freePronunciationRules();
    return 0;
}
