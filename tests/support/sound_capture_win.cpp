#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/sound_capture.h"

namespace capture {

namespace {

struct Name {
    int number;
    std::string file;
};

std::vector<Name> captureFiles() {
    std::vector<Name> names;
    const std::string dir = folder();
    if (dir.empty()) return names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*.raw").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back({std::atoi(found.cFileName), found.cFileName});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const Name& a, const Name& b) { return a.number < b.number; });
    return names;
}

}  // namespace

std::string folder() {
    const char* dir = std::getenv("VOLTANOR_CAPTURE_DIR");
    if (dir == nullptr || *dir == '\0') return {};
    std::string path = dir;
    // A Unix path is reached through drive Z:.
    if (path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return path;
}

int nextNumber() {
    auto names = captureFiles();
    return names.empty() ? 0 : names.back().number + 1;
}

std::vector<Record> since(int first) {
    std::vector<Record> records;
    for (const Name& name : captureFiles()) {
        if (name.number < first) continue;
        Record r;
        r.number = name.number;
        // NNNN-rate-channels-format.raw
        std::string stem = name.file.substr(0, name.file.size() - 4);
        size_t a = stem.find('-'), b = stem.find('-', a + 1), c = stem.find('-', b + 1);
        if (a == std::string::npos || b == std::string::npos || c == std::string::npos) continue;
        r.rate = static_cast<std::uint32_t>(std::strtoul(stem.substr(a + 1, b - a - 1).c_str(), nullptr, 10));
        r.channels = std::atoi(stem.substr(b + 1, c - b - 1).c_str());
        r.format = stem.substr(c + 1);
        std::ifstream in(folder() + "\\" + name.file, std::ios::binary);
        r.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        records.push_back(std::move(r));
    }
    return records;
}

}  // namespace capture
