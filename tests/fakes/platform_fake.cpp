// Native stand-in for the Win32 services of platform.h.
#include "fakes/fake_platform.h"
#include "platform/platform.h"
#include "settings/profile_text.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

namespace {
std::string toNative(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}
std::string windowsDir;
std::vector<std::pair<std::string, std::string>> registryValues;  // key + "\\" + name, text

// Every temporary folder made for the tests goes when the test program ends.
struct TemporaryFolders {
    std::vector<std::string> made;
    ~TemporaryFolders() {
        for (const auto& folder : made) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
    }
    const std::string& keep(std::string folder) {
        made.push_back(std::move(folder));
        return made.back();
    }
};
TemporaryFolders& temporaryFolders() {
    static TemporaryFolders folders;
    return folders;
}

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
}  // namespace

namespace fake {
std::string makeTempDirectory() {
#ifdef _WIN32
    // No mkdtemp in the Windows runtime: try fresh names until one is created.
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path p = base / ("voltanor-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(p, error)) return temporaryFolders().keep(p.string());
    }
    return base.string();
#else
    std::string pattern = std::filesystem::temp_directory_path().string() + "/voltanor-test-XXXXXX";
    char* made = mkdtemp(pattern.data());
    return made ? temporaryFolders().keep(made) : std::filesystem::temp_directory_path().string();
#endif
}
const std::string& windowsDirectoryPath() {
    if (windowsDir.empty()) windowsDir = makeTempDirectory();
    return windowsDir;
}
void setWindowsDirectory(const std::string& path) { windowsDir = path; }
void writeFile(const std::string& path, const std::string& content) {
    std::filesystem::path p(toNative(path));
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}
void setRegistryString(const std::string& path, const std::string& text) {
    registryValues.emplace_back(path, text);
}
void clearRegistry() { registryValues.clear(); }
void removeFile(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(toNative(path), ignored);
}
}  // namespace fake

namespace platform {

std::string profileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          unsigned bufferSize) {
    if (bufferSize == 0) return {};
    std::string path = toNative(file);
    if (path.find('/') == std::string::npos) path = fake::windowsDirectoryPath() + "/" + path;
    std::string result = defaultValue;
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::stringstream bytes;
        bytes << in.rdbuf();
        if (std::optional<std::string> value = settingValueIn(bytes.str(), section, key)) result = *value;
    }
    if (result.size() > bufferSize - 1) result.resize(bufferSize - 1);
    return result;
}

std::string windowsDirectory() { return fake::windowsDirectoryPath(); }

std::string currentDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool setCurrentDirectory(const std::string& path) { return chdir(toNative(path).c_str()) == 0; }

bool fileExists(const std::string& path) {
    struct stat st;
    return stat(toNative(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st;
    return stat(toNative(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool registryString(RegistryRoot, const std::string& key, const std::string& valueName,
                    std::string& text) {
    for (const auto& [path, value] : registryValues)
        if (equalNoCase(path, key + "\\" + valueName)) {
            text = value;
            return true;
        }
    return false;
}

}  // namespace platform
