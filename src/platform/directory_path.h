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
