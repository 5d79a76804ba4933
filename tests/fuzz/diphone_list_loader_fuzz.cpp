// Loads arbitrary bytes as a diphone list, then writes MBROLA lines for the
// same bytes cut into lines, so that every filler rule meets odd phone names.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tts/message_box.h"
#include "tts/prosody.h"

void showMessageBox(const std::string&) {}

using namespace tts;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = std::filesystem::temp_directory_path() / ("voltanor-diphones-fuzz-" + std::to_string(getpid()) + ".dfn");
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    if (!loadDiphoneList(path)) return 0;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size() && lines.size() < 256) {
        std::size_t end = content.find_first_of("\n ", start);
        if (end == std::string::npos) end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    mbrolaLines(lines, 1.0, 1.0);
    freeDiphoneList();
    return 0;
}
