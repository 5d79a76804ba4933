// Loads arbitrary bytes as a pronunciation exceptions file (sorting it), then
// converts its own words and words whose stems lose final S and M letters.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tts/pronunciation.h"
#include "tts_fuzz_files.h"

namespace {

const char rules[] =
    "%#(A)=a\n(A)\\%=a&w\n(A)&=am\n(A)*=a&\n(A)+=&a\n(A)[=a\n(A)=a\n]_(S)#=z\n|(S)=s\n(S)%=s2\n(S)=s\n"
    "(R)%=r2\n(R)=r\n(E)=e\n(O)=o\n(I)=i\n(U)=u\n(M)=m\n(\xC3)=am\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string rulesPath = tts_fuzz::tempPath("-exceptions.nrl");
    static const bool written = tts_fuzz::writeFile(rulesPath, rules);
    const std::string exceptionsPath = tts_fuzz::tempPath(".exc");
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (!written || !tts_fuzz::writeFile(exceptionsPath, content)) return 0;
    if (tts::loadPronunciationFiles(rulesPath, exceptionsPath)) {
        std::vector<std::string> items;
        std::size_t start = 0;
        for (int lines = 0; start < content.size() && lines < 32; ++lines) {
            std::size_t end = content.find('\n', start);
            if (end == std::string::npos) end = content.size();
            const std::string word = content.substr(start, std::min(content.find('=', start), end) - start);
            items.push_back("abc|" + word.substr(0, 64));
            items.push_back("abc|" + word.substr(0, 64) + "smsm");
            start = end + 1;
        }
        tts::wordsToPhonemeLines(items);
    }
    tts::freePronunciationRules();
    return 0;
}
