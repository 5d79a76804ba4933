// Reads the data files of the translator line by line.
#pragma once
#include <cstdio>
#include <string>

// One line without its end (LF, or CR LF as written on Windows); false when
// the file has no more characters.
inline bool readTextLine(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}
