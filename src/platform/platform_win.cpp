#include "platform/platform.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string profileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          unsigned bufferSize) {
    if (bufferSize == 0) return {};
    std::vector<char> buffer(bufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                       buffer.data(), bufferSize, file.c_str());
    return std::string(buffer.data(), n);
}

std::string windowsDirectory() {
    char buffer[144];
    UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return {};
    return std::string(buffer, n);
}

std::string currentDirectory() {
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer) return {};
    return std::string(buffer, n);
}

bool setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != 0;
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool registryString(RegistryRoot, const std::string& key, const std::string& valueName,
                    std::string& text) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD size = 0;
    bool read = RegQueryValueExA(opened, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
                type == REG_SZ;
    if (read) {
        std::vector<char> data(size + 1, '\0');  // room for a zero the value may lack
        read = RegQueryValueExA(opened, valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS &&
               type == REG_SZ && size < data.size();
        if (read) {
            data[size] = '\0';
            text.assign(data.data());  // up to the terminating zero
        }
    }
    RegCloseKey(opened);
    return read;
}

}  // namespace platform
