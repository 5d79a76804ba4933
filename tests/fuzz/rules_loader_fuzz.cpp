// Loads arbitrary bytes as a rules file, then translates words that reach
// every kind of rule, context and the spelling path.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "translator/translator.h"

namespace {

std::string tempPath() {
    static const std::string path = std::filesystem::temp_directory_path() / ("voltanor-rules-fuzz-" + std::to_string(getpid()) + ".rgr");
    return path;
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

const char* const sampleTexts[] = {
    "casa aqui papai dia muito rainha ave sol",
    "N\xE3o h\xE1 bateria. Dura\xE7\xE3o m\xE1xima: 2 horas",
    "qu\xEA gua\xED ag\xFC" "entar \xC7" "A w y d'\xE1gua rs , \x01 \xB0",
    "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa'^~`\"",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!writeFile(tempPath(), data, size)) return 0;
    if (loadRules(tempPath())) {
        // The fuzz input as text too: words made of the rules' own characters.
        translateToPhonemes(std::string(reinterpret_cast<const char*>(data), size < 300 ? size : 300));
        for (const char* text : sampleTexts) translateToPhonemes(text);
    }
    freeRules();
    return 0;
}
