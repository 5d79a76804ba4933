// Loads arbitrary bytes as a prosody file, then runs the word classes, the
// patterns and the MBROLA line writer over the same bytes as text and lines.
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
    static const std::string path = std::filesystem::temp_directory_path() / ("voltanor-prosody-fuzz-" + std::to_string(getpid()) + ".pro");
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
    loadProsody(path);
    const std::string text = content.substr(0, 600);
    const auto patterned = choosePatterns(classifyWords(text), true);
    std::vector<std::string> lines;
    for (const std::string& line : patterned) {
        lines.push_back(";" + line);
        lines.push_back(line.substr(4));
        lines.push_back(">" + line.substr(4, 2));
        lines.push_back("");
    }
    mbrolaLines(lines, 0.8, 1.1);
    return 0;
}
