// The backslash that ends a directory name, so that a file name can follow.
#pragma once
#include <string>

// Adds the backslash when it is missing; an empty name becomes "\".
inline std::string withTrailingBackslash(std::string directory) {
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

// The same, but an empty name stays empty: files are then opened by their bare
// names, in the current directory.
inline std::string withTrailingBackslashUnlessEmpty(std::string directory) {
    if (directory.empty()) return directory;
    return withTrailingBackslash(std::move(directory));
}

inline std::string withoutOneTrailingBackslash(std::string directory) {
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    return directory;
}

// The folder `name` as Windows finds it when `base` is the current directory:
// a full name ("C:\x", "\\server\x", "C:x") stays, a name rooted without a
// drive ("\x") takes base's drive, any other name is joined to base.  Slashes
// count as backslashes.
inline std::string directoryRelativeTo(const std::string& base, const std::string& name) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool hasDrive = name.size() >= 2 && name[1] == ':';
    if (hasDrive || (name.size() >= 2 && separator(name[0]) && separator(name[1]))) return name;
    if (!name.empty() && separator(name[0]))
        return (base.size() >= 2 && base[1] == ':' ? base.substr(0, 2) : std::string()) + name;
    if (base.empty()) return name;
    return withTrailingBackslash(base) + name;
}
