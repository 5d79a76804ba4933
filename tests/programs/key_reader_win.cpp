// Reads key bytes typed into the console window and saves them, for the
// end-to-end key tests driven from the X server:
//     key_reader.exe MODE COUNT FILE
// sets Braille mode MODE (0, 1 or 2), then, with the caption
// "Voltanor teclas prontas", reads COUNT key bytes and writes them to FILE
// (a Windows path), then closes the window (exit code 0).  A break key or a
// close request while it waits ends it the console window's own way.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "console/console.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: key_reader MODE COUNT FILE\n");
        return 2;
    }
    consoleModuleStart();
    screenRows = 8;
    clearScreen();
    setBrailleMode(std::atoi(argv[1]));
    setConsoleTitle("Voltanor teclas prontas");
    std::string bytes;
    for (int n = std::atoi(argv[2]); n > 0; --n) bytes.push_back(static_cast<char>(readKey()));
    if (std::FILE* out = std::fopen(argv[3], "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    closeConsoleWindow();
}
