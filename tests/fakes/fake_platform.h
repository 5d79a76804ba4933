// Control of the native fake of platform.h.  The fake reads real settings files
// from disk with the program's reader of the profile functions' rules
// (settings/profile_text.h); a bare file name is looked for in the fake
// Windows directory.  Paths may use backslashes.
#pragma once
#include <string>

namespace fake {

// A fresh, empty folder that plays the Windows directory (made on first use).
const std::string& windowsDirectoryPath();
void setWindowsDirectory(const std::string& path);
// Writes (or, with remove, deletes) a file; parent folders are made.
void writeFile(const std::string& path, const std::string& content);
void removeFile(const std::string& path);
// A string value of the fake registry under HKEY_LOCAL_MACHINE: the key's path,
// a backslash and the value's name ("KEY\\" is the default value).
void setRegistryString(const std::string& keyAndName, const std::string& text);
void clearRegistry();
// A new empty temporary folder, ending without a slash.
std::string makeTempDirectory();

}  // namespace fake
