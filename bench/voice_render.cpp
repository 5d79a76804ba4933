// Speaks texts natively through the program's own speech front end and
// default voice, over the built voice data, and writes what the wave device
// would have played.  The Windows side is the native fakes of the unit tests
// (settings read from a real ORAVIX.INI, a wave device that keeps every block,
// pauses kept as their length); built and run by bench/voice_fluency.sh.
//
//   voice_render speak DATA_DIRECTORY SPEED TEXT_FILE OUTPUT_DIRECTORY
//       for line N of TEXT_FILE (code page 1252): N.raw, the samples (8-bit
//       unsigned, 11025 Hz, pauses as silence) and N.joins, the sample
//       positions where one database unit meets the next
//   voice_render phonemes DATA_DIRECTORY TEXT_FILE
//       the translation of each line, one per line
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "audio/wave_output.h"
#include "console/console.h"
#include "diphone/diphone.h"
#include "diphone/diphone_observer.h"
#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_voice.h"
#include "fakes/fake_wave_device.h"
#include "platform/platform.h"
#include "speech/speech.h"
#include "translator/translator.h"
#include "voices/voice.h"

namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::size_t deviceTotal() {
    std::size_t total = 0;
    for (const auto& open : fake::deviceOpens())
        for (const auto& block : open.blocks) total += block.size();
    return total;
}

// The installation's settings file with the two directories of the built data.
void installSettings(const std::string& data) {
    std::ifstream in(data + "/ORAVIX.INI", std::ios::binary);
    std::string settings, line;
    while (std::getline(in, line)) {
        settings += line + "\n";
        if (line.rfind("[TRADUTOR]", 0) == 0)
            settings += "DIRLETRAS=" + data + "/kelmar/som/letras\nDIRDIFONES=" + data + "/kelmar/som/difones\n";
    }
    fake::setWindowsDirectory(fake::makeTempDirectory());
    fake::writeFile(fake::windowsDirectoryPath() + "/ORAVIX.INI", settings);
}

int speakAll(const std::string& data, int speed, const std::string& textFile, const std::string& outDir) {
    installSettings(data);
    voiceModuleStart();
    diphoneModuleStart();
    speechModuleStart();
    fake::resetWaveDevice();
    startSpeech(speed, "");
    setTrimSpeech(false);

    // Pauses are sleeps of the fake console: each becomes silence where the
    // device stood when it was asked for.
    struct Pause {
        std::size_t at;
        unsigned milliseconds;
    };
    std::vector<Pause> pauses;
    std::size_t sleepsSeen = 0;
    fake::addPumpHook([&] {
        auto& sleeps = fake::sleepCalls();
        for (; sleepsSeen < sleeps.size(); ++sleepsSeen) pauses.push_back({deviceTotal(), sleeps[sleepsSeen]});
    });
    std::vector<std::size_t> joins;
    std::size_t fill = 0;
    bool lastWasUnit = false;
    setDiphoneObserver([&](const DiphoneEvent& e) {
        if (e.kind == DiphoneEvent::Flush) {
            fill = 0;
            lastWasUnit = false;
            return;
        }
        if (e.kind == DiphoneEvent::Token) return;
        if (e.kind == DiphoneEvent::Diphone && e.found && e.samples > 0) {
            std::size_t start = deviceTotal() + fill;
            if (lastWasUnit) joins.push_back(start);
            lastWasUnit = true;
        } else if (e.samples > 0) {
            lastWasUnit = false;
        }
        fill += e.samples;
    });

    std::vector<std::string> lines = readLines(textFile);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        fake::resetWaveDevice();
        pauses.clear();
        joins.clear();
        sleepsSeen = fake::sleepCalls().size();
        fill = 0;
        lastWasUnit = false;
        speak(lines[n]);
        while (isSpeaking()) waitForMessage();
        std::vector<unsigned char> played = fake::allPlayedBytes(), out;
        std::size_t from = 0;
        std::vector<std::size_t> shiftedJoins;
        std::size_t shift = 0, j = 0;
        for (const Pause& p : pauses) {
            for (; j < joins.size() && joins[j] <= p.at; ++j) shiftedJoins.push_back(joins[j] + shift);
            out.insert(out.end(), played.begin() + static_cast<long>(from), played.begin() + static_cast<long>(p.at));
            std::size_t silence = p.milliseconds * 11025 / 1000;
            out.insert(out.end(), silence, 128);
            shift += silence;
            from = p.at;
        }
        for (; j < joins.size(); ++j) shiftedJoins.push_back(joins[j] + shift);
        out.insert(out.end(), played.begin() + static_cast<long>(from), played.end());
        std::string base = outDir + "/" + std::to_string(n + 1);
        std::ofstream(base + ".raw", std::ios::binary).write(reinterpret_cast<const char*>(out.data()),
                                                             static_cast<long>(out.size()));
        std::ofstream joinFile(base + ".joins");
        for (std::size_t at : shiftedJoins) joinFile << at << "\n";
    }
    setDiphoneObserver({});
    finishSpeech();
    return 0;
}

int printPhonemes(const std::string& data, const std::string& textFile) {
    std::string diphones = data + "/kelmar/som/difones/";
    if (!loadRules(diphones + "regras.rgr") || !loadExceptions(diphones + "portug.exc")) {
        std::fprintf(stderr, "voice_render: cannot load the rules in %s\n", diphones.c_str());
        return 1;
    }
    for (const std::string& line : readLines(textFile)) std::printf("%s\n", translateToPhonemes(line).c_str());
    freeRules();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "speak" && argc == 6) return speakAll(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
    if (mode == "phonemes" && argc == 4) return printPhonemes(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: voice_render speak DATA_DIRECTORY SPEED TEXT_FILE OUTPUT_DIRECTORY\n"
                 "       voice_render phonemes DATA_DIRECTORY TEXT_FILE\n");
    return 2;
}
