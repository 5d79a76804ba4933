// Loads arbitrary bytes as an exceptions file (sorting it), then translates
// its own words and words whose stems lose final s and m letters.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "translator/translator.h"

namespace {

std::string tempPath(const char* suffix) {
    return std::filesystem::temp_directory_path() / ("voltanor-exceptions-fuzz-" + std::to_string(getpid()) + suffix);
}

bool writeFile(const std::string& path, const std::string& content) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    return std::fclose(f) == 0 && ok;
}

// A few rules of every context symbol, so that long aliases go through them.
const char rules[] =
    "#(A)#=a|\n%(A)=A|\n(A)\\%=a~w|\n(A)&=an|\n(A)*=a|\n(A)+=aa|\n(A)[=a|\n(A)=a|\n"
    "](S)#=z|\n_(S)=s|\n|(S)=ss|\n(SS)=s|\n(S)=s|\n(E)=e|\n(O)=o|\n(I)=i|\n(U)=u|\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string rulesPath = tempPath(".rgr");
    static const bool rulesWritten = writeFile(rulesPath, rules);
    const std::string exceptionsPath = tempPath(".exc");
    const std::string content(reinterpret_cast<const char*>(data), size);
    if (!rulesWritten || !writeFile(exceptionsPath, content)) return 0;
    if (!loadRules(rulesPath)) return 0;
    if (loadExceptions(exceptionsPath)) {
        // Every line's word, bare and with s and m letters after it.
        std::size_t start = 0;
        for (int lines = 0; start < content.size() && lines < 32; ++lines) {
            std::size_t end = content.find('\n', start);
            if (end == std::string::npos) end = content.size();
            const std::string line = content.substr(start, end - start);
            const std::string word = line.substr(0, line.find('='));
            translateToPhonemes(word.substr(0, 64));
            translateToPhonemes(word.substr(0, 64) + "smsm");
            start = end + 1;
        }
        translateToPhonemes("casas sm mm s a " + std::string(40, 'a') + "ssss");
    }
    freeRules();
    return 0;
}
