// "/manual": the manual beside voltanor.exe read aloud in the console window,
// paragraph by paragraph, until the user leaves with Esc (Win32 edge).
#include <windows.h>

#include <fstream>
#include <iterator>

#include "console/console.h"
#include "menu/manual_reader.h"
#include "menu/menu_program.h"
#include "speech/speech.h"

namespace {

constexpr int readerRows = 16;

std::string manualBytes() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path, length);
    file = file.substr(0, file.find_last_of('\\') + 1) + "manual.txt";
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The window shows the paragraph being said.
void showAndSay(const std::string& text) {
    if (text.empty()) return;
    clearScreen();
    writeString(text);
    speak(text);
}

}  // namespace

void runManualReader() {
    screenRows = readerRows;
    clearScreen();
    startSpeech(0, "");
    setConsoleTitle("Voltanor - Manual");
    const manual::Manual manual = manual::manualFrom(manualBytes());
    manual::Reader reader;
    speak(manual::greeting(manual));
    if (!manual.paragraphs.empty() && !keyPending()) {
        reader.readingOn = true;
        showAndSay(manual.paragraphs.front().text);
    }
    while (true) {
        while (reader.readingOn && !keyPending()) {
            std::string next = manual::continueReading(manual, reader);
            if (next.empty()) break;
            showAndSay(next);
        }
        unsigned char first = readKey();
        unsigned char second = first == 0 ? readKey() : 0;
        stopSpeech();
        manual::Reaction reaction = manual::react(manual, reader, manual::keyFrom(first, second), first);
        if (reaction.outcome == manual::Outcome::leave) closeConsoleWindow(exitNormal);
        showAndSay(reaction.say);
    }
}
