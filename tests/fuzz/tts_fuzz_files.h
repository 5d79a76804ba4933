// A per-process temporary file (under TMPDIR) for the text-to-speech engine's fuzz targets.
#pragma once
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tts_fuzz {

inline std::string writeTemp(const char* suffix, const std::string& content) {
    const std::string path =
        std::filesystem::temp_directory_path() / ("voltanor-tts-fuzz-" + std::to_string(getpid()) + suffix);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// The text before "=" on each of the first lines: the words a file names.
inline std::vector<std::string> keysOf(const std::string& content) {
    std::vector<std::string> keys;
    for (std::size_t start = 0; start < content.size() && keys.size() < 32; start = content.find('\n', start) + 1) {
        keys.push_back(content.substr(start, std::min(content.find('\n', start), content.find('=', start)) - start));
        if (content.find('\n', start) == std::string::npos) break;
    }
    return keys;
}

}  // namespace tts_fuzz
