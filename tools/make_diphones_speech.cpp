// Speaks through the diphone synthesizer outside Windows: the real synthesizer
// code over the real database, with this program standing in for the settings
// file and the wave device.  Used to check what the
// program played under Wine and to measure the synthesizer.
//
//   make_diphones_speech render DIPHONES LETTERS NAME CUT MIN PAUSE TEXT_FILE OUTPUT
//       the samples of the text (code page 1252), as the speak-text dispatcher
//       hands a run of letters and spaces to the synthesizer
//   make_diphones_speech check DIPHONES LETTERS NAME CUT MIN PAUSE CAPTURE_DIR PIECES_FILE
//       the captured sound (numbered NNNN-11025-1-U8.raw files) holds every piece
//       of PIECES_FILE in order; a line of it is "words TEXT", "sound NAME" (a
//       recording of the letters directory) or "numbers NAME..." (number words)
//   make_diphones_speech bench DIPHONES LETTERS NAME CUT MIN PAUSE TEXT_FILE
//       time to the first buffer played, and seconds of speech per CPU second
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "diphone/diphone.h"
#include "translator/translator.h"
#include "audio/wave_format.h"
#include "platform/platform.h"

namespace {

using Bytes = std::vector<unsigned char>;

const auto programStart = std::chrono::steady_clock::now();
std::string lettersSetting, diphonesSetting;
std::vector<Bytes> played;
double firstBufferSeconds = -1;

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(nativePath(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The samples of a recording: its data chunk, as wave output plays it.
Bytes recordingSamples(const std::string& path) {
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (!file) return {};
    Bytes samples(findDataChunk(file));
    samples.resize(std::fread(samples.data(), 1, samples.size(), file));
    std::fclose(file);
    return samples;
}

// The player the synthesizer is given: every buffer is kept, in order.
void keepBuffer(unsigned char* waveBuffer) {
    if (firstBufferSeconds < 0)
        firstBufferSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - programStart).count();
    std::uint32_t size;
    std::memcpy(&size, waveBuffer + 40, 4);
    played.emplace_back(waveBuffer + waveHeaderSize, waveBuffer + waveHeaderSize + size);
}

bool start(char** argv) {
    diphonesSetting = argv[2];
    lettersSetting = argv[3];
    diphoneModuleStart();
    setDiphoneTuning({argv[4], std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7])});
    int result = diphoneStart({lettersSetting, diphonesSetting}, keepBuffer);
    if (result != 0) std::fprintf(stderr, "make_diphones_speech: the synthesizer did not start (%d)\n", result);
    return result == 0;
}

Bytes speakText(const std::string& text) {
    played.clear();
    speakPhonemes(translateToPhonemes(text), false);
    Bytes all;
    for (const Bytes& b : played) all.insert(all.end(), b.begin(), b.end());
    return all;
}

// What the device receives of a piece: its last sample is made silent.
Bytes asPlayed(Bytes piece) {
    if (!piece.empty()) piece.back() = 128;
    return piece;
}

// Wine fills the device with silence when blocks come late (a busy machine),
// so pieces are looked for by their sounding samples, in order.
Bytes sounding(Bytes samples) {
    samples.erase(std::remove(samples.begin(), samples.end(), 128), samples.end());
    return samples;
}

int check(const std::string& captureDirectory, const std::string& piecesFile) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(captureDirectory))
        if (entry.path().filename().string().find("-11025-1-U8.raw") != std::string::npos)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    Bytes capture;
    for (const auto& f : files) {
        Bytes b = readFile(f.string());
        capture.insert(capture.end(), b.begin(), b.end());
    }
    capture = sounding(capture);
    std::printf("capture: %zu files of 8-bit sound, %zu sounding samples\n", files.size(), capture.size());
    std::ifstream in(piecesFile, std::ios::binary);
    std::string line;
    std::size_t at = 0;
    int failures = 0, pieces = 0;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        std::string rest;
        std::getline(fields, rest);
        if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
        Bytes piece;
        if (kind == "words") {
            piece = speakText(rest);
            // Buffers of a long run are played one after the other.
            for (std::size_t i = 0, offset = 0; i < played.size(); ++i) {
                piece[offset + played[i].size() - 1] = 128;
                offset += played[i].size();
            }
        } else if (kind == "sound") {
            piece = asPlayed(recordingSamples(lettersSetting + "/" + rest + ".wav"));
        } else if (kind == "numbers") {
            std::istringstream names(rest);
            std::string name;
            while (names >> name) {
                Bytes file = readFile(lettersSetting + "/" + name + ".wav");
                if (file.size() > waveHeaderSize) piece.insert(piece.end(), file.begin() + waveHeaderSize, file.end());
            }
            piece = asPlayed(piece);
        } else {
            std::fprintf(stderr, "make_diphones_speech: bad piece line: %s\n", line.c_str());
            return 2;
        }
        ++pieces;
        const bool hadSamples = !piece.empty();
        piece = sounding(piece);
        if (piece.empty() && hadSamples) {
            // A silent sound (the line breaks' letters) is only a pause here.
            std::printf("silent, not looked for: %s\n", line.c_str());
            continue;
        }
        if (piece.empty()) {
            std::printf("FAILED: %s: nothing to look for\n", line.c_str());
            ++failures;
            continue;
        }
        auto found = std::search(capture.begin() + static_cast<long>(at), capture.end(), piece.begin(), piece.end());
        if (found == capture.end()) {
            std::printf("FAILED: %s (%zu samples) is not in the capture after sample %zu\n", line.c_str(),
                        piece.size(), at);
            ++failures;
            continue;
        }
        std::size_t position = static_cast<std::size_t>(found - capture.begin());
        std::printf("ok: %s: %zu samples at %zu\n", line.c_str(), piece.size(), position);
        at = position + piece.size();
    }
    std::printf("%d of %d pieces found in order\n", pieces - failures, pieces);
    return failures == 0 && pieces > 0 ? 0 : 1;
}

int bench(const std::string& textFile) {
    std::string text;
    {
        Bytes b = readFile(textFile);
        text.assign(b.begin(), b.end());
    }
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    speakText(text.substr(0, std::min<std::size_t>(text.size(), 999)));
    std::printf("time from start to the first buffer played: %.1f ms\n", firstBufferSeconds * 1000);
    std::clock_t before = std::clock();
    std::size_t samples = 0;
    int rounds = 0;
    do {
        for (std::size_t from = 0; from < text.size(); from += 999) samples += speakText(text.substr(from, 999)).size();
        ++rounds;
    } while (std::clock() - before < CLOCKS_PER_SEC);
    double cpu = static_cast<double>(std::clock() - before) / CLOCKS_PER_SEC;
    double speech = static_cast<double>(samples) / 11025.0;
    std::printf("synthesis: %.1f s of speech in %.3f s of CPU (%d rounds): %.0f s of speech per CPU second\n",
                speech, cpu, rounds, speech / cpu);
    return 0;
}

}  // namespace

// ---- stand-in for the Windows side ------------------------------------------

namespace platform {
bool directoryExists(const std::string& path) { return std::filesystem::is_directory(nativePath(path)); }
}  // namespace platform

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (argc < 9 || (mode != "render" && mode != "check" && mode != "bench") || (mode != "bench" && argc < 10)) {
        std::fprintf(stderr,
                     "usage: make_diphones_speech render|check|bench DIPHONES LETTERS NAME CUT MIN PAUSE ...\n");
        return 2;
    }
    if (!start(argv)) return 1;
    int result = 0;
    if (mode == "render") {
        Bytes text = readFile(argv[8]);
        Bytes samples = speakText(std::string(text.begin(), text.end()));
        std::ofstream(argv[9], std::ios::binary).write(reinterpret_cast<const char*>(samples.data()),
                                                      static_cast<long>(samples.size()));
        std::printf("%zu samples in %zu buffers\n", samples.size(), played.size());
    } else if (mode == "check") {
        result = check(argv[8], argv[9]);
    } else {
        result = bench(argv[8]);
    }
    diphoneClose();
    return result;
}
