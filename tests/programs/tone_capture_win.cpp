// Plays the console window's tone of 800 Hz until the sound capture has at
// least two loops of it, stops it, and checks that the captured samples are
// the tone's samples (the wave without its 44-byte header) byte for byte:
//     tone_capture.exe CAPTURE-FOLDER     (a Windows path)
// Exit code 0: the capture matches; 1: it differs; 3: nothing was captured.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/tone.h"

namespace {

// The first file in the folder (the capture numbers each open of the device).
std::string firstCapture(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\0000-*.raw").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    FindClose(search);
    return folder + "\\" + found.cFileName;
}

std::vector<unsigned char> readWhole(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
        unsigned char block[4096];
        std::size_t n;
        while ((n = std::fread(block, 1, sizeof block, in)) > 0) bytes.insert(bytes.end(), block, block + n);
        std::fclose(in);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    std::vector<unsigned char> wave = makeToneWave(800);
    std::vector<unsigned char> samples(wave.begin() + toneHeaderSize, wave.end());

    consoleModuleStart();
    startTone(800);
    // The tone loops until stopped; wait (pumping) for the capture to hold two loops.
    std::vector<unsigned char> captured;
    for (int tries = 0; tries < 2000 && captured.size() < 2 * samples.size(); ++tries) {
        sleepPumping(10);
        std::string file = firstCapture(folder);
        if (!file.empty()) captured = readWhole(file);
    }
    stopTone();
    // Standard output belongs to the console window; the findings go to the error stream.
    std::fprintf(stderr, "captured %u bytes, tone %u samples\n", static_cast<unsigned>(captured.size()),
                 static_cast<unsigned>(samples.size()));
    if (captured.size() < 2 * samples.size()) return 3;
    for (std::size_t i = 0; i < 2 * samples.size(); ++i) {
        if (captured[i] != samples[i % samples.size()]) {
            std::fprintf(stderr, "first difference at byte %u: %u, expected %u\n",
                         static_cast<unsigned>(i), captured[i], samples[i % samples.size()]);
            return 1;
        }
    }
    return 0;
}
