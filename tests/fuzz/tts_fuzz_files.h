// A per-process temporary file (under TMPDIR) for the text-to-speech engine's fuzz targets.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace tts_fuzz {

inline std::string tempPath(const char* suffix) {
    return std::filesystem::temp_directory_path() / ("voltanor-tts-fuzz-" + std::to_string(getpid()) + suffix);
}

inline bool writeFile(const std::string& path, const std::string& content) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    return std::fclose(f) == 0 && ok;
}

// Words that reach the rules' contexts, accented letters, stress and liaison.
inline const char* const sampleItems[] = {
    "abc|casas", "abc|aqui", "abc|", "abc| ", "abc|,", "abc|n\xE3o", "abc|\xC1gua", "abc|mar",
    "abc|azul", "abc|guerra", "abc|\xA8u", "ab",  "abc|\x01\x80\xFF", "abc|ss", "abc|mm",
};

}  // namespace tts_fuzz
