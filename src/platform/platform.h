// Windows services that the portable modules need: the settings file lookup,
// the Windows and current directories and file existence.  platform_win.cpp
// implements them with the Win32 calls; the native tests link fakes.
#pragma once
#include <string>

namespace platform {

// GetPrivateProfileStringA: the value of key in section of the settings file
// `file` (a bare name is looked up in the Windows directory), at most
// bufferSize - 1 characters; defaultValue when the key is missing.  A key that
// is present with an empty value gives "".
std::string profileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& defaultValue,
                          unsigned bufferSize);

// GetWindowsDirectoryA into a 144-byte buffer, as the system returns it.
std::string windowsDirectory();

std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

}  // namespace platform

#include <cstdio>

namespace platform {

// Opens a data file for reading only, shared with other readers.  Paths use
// backslashes as on Windows; the native build turns them into slashes.
std::FILE* openForReading(const std::string& path);
// Opens a file with an fopen mode ("wb" creates or replaces, "r+b" updates).
std::FILE* openFile(const std::string& path, const char* mode);

// The registry, read only.  The text of the string value valueName ("" is the
// key's default value) of key under the root, without its terminating zero;
// false when the key or the value is missing or the value is not a string.
enum class RegistryRoot { localMachine };
bool registryString(RegistryRoot root, const std::string& key, const std::string& valueName,
                    std::string& text);

}  // namespace platform
