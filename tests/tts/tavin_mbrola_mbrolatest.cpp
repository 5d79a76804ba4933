// The engine over the real MBROLA gives, byte for byte, the samples the Linux
// mbrola program makes of the same lines with the br1 voice, whether it plays
// them or writes them to a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"
#include "platform/platform.h"
#include "tts/pipeline.h"
#include "tts/tavin_engine.h"

namespace {

const std::string voiceDirectory = VOLTANOR_MBROLA_DIR, br1 = voiceDirectory + "/usr/share/mbrola/br1/br1";
std::vector<std::string> lines;
bool loaded(const std::string&) { return true; }
std::vector<std::string> wholeText(const std::string& text, std::size_t& position, double, double) {
    position = text.size();
    return lines;
}
std::size_t largestPiece = 0;
std::vector<std::string> countedPiece(const std::string& text, std::size_t& position, double d, double p) {
    std::vector<std::string> piece = tts::nextMbrolaPiece(text, position, d, p);
    largestPiece = std::max(largestPiece, piece.size());
    return piece;
}

std::vector<unsigned char> fileBytes(const std::string& path, std::size_t skipped) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(skipped));
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(TavinEngineWithMbrola, SamplesEqualTheMbrolaProgram) {
    ASSERT_TRUE(platform::fileExists(br1)) << "no br1 voice in " << voiceDirectory << ": run scripts/fetch-voice.sh";
    const std::vector<std::string> phrase{"_ 100", "a 80 50 120", "b 60", "a 90 50 130", "t 70",
                                          "e 80 50 125", "r 50", "i 90 20 140 80 120", "a 110 50 105", "_ 150"};
    // The report's sentences through all the text stages, with the installation's data files.
    const std::string data = VOLTANOR_DATA_DIR "/kelmar/tavintts/portug";
    ASSERT_EQ(tts::loadEngineData(data + ".nrl", data + ".exc", data + ".abr", data + ".pro", data + ".dfn"), 0);
    const std::string reportText = "2 horas e 30 minutos\r\n80 por cento restante.\r\nNível da bateria: alto.\r\n"
                                   "Duração máxima: 11250 segundos. Energia externa: desligada.";
    const std::vector<std::string> report = tts::textToMbrolaLines(reportText, 0.8, 1.0);
    for (int repeats : {0, 1, 60}) {
        // The report is spoken sentence by sentence, and sounds as its lines all at once.
        tavinSetFactors(1.0, 0.8);
        tavinUseStages({[] {}, [](const std::string&, const std::string&) { return true; }, loaded, loaded, loaded,
                        repeats == 0 ? tts::nextMbrolaPiece : wholeText});
        lines = report;
        if (repeats > 0) lines.clear();
        for (int i = 0; i < repeats; ++i) lines.insert(lines.end(), phrase.begin(), phrase.end());
        const std::string folder = fake::makeTempDirectory();
        std::ofstream pho(folder + "/lines.pho", std::ios::binary);
        for (const auto& line : lines) pho << line << "\r\n";
        pho.close();
        const std::string command = voiceDirectory + "/usr/bin/mbrola -e " + br1 + " " + folder + "/lines.pho " + folder + "/lines.raw";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::vector<unsigned char> expected = fileBytes(folder + "/lines.raw", 0);
        ASSERT_GT(expected.size(), 8000u);
        for (bool toFile : {false, true}) {
            fake::resetConsole();
            fake::resetWaveDevice();
            tavinSetOutputFile(toFile ? folder + "/speech.wav" : "");
            ASSERT_TRUE(tavinStart(br1, "", "", "", "", ""));
            EXPECT_TRUE(tavinSpeak(repeats == 0 ? reportText : "A bateria") && tavinSampleRate() == 16000);
            tavinClose();
            const auto ours = toFile ? fileBytes(folder + "/speech.wav", 44) : fake::allPlayedBytes();
            EXPECT_TRUE(ours == expected) << ours.size() << " bytes against " << expected.size();
        }
    }
}

TEST(TavinEngineWithMbrola, HostileTextsSpeakWithinBounds) {
    const std::string data = VOLTANOR_DATA_DIR "/kelmar/tavintts/portug";
    tavinUseStages({[] {}, [](const std::string&, const std::string&) { return true; }, loaded, loaded, loaded,
                    countedPiece});
    ASSERT_EQ(tts::loadEngineData(data + ".nrl", data + ".exc", data + ".abr", data + ".pro", data + ".dfn"), 0);
    std::string high, control, numbers;
    for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
    for (int c = 1; c < 0x20; ++c) control += std::string(1, static_cast<char>(c)) + "a";
    for (int i = 0; i < 10000; ++i) numbers += std::to_string(i * 7919) + " ";
    for (const std::string& text : {std::string(65536, 'a'), std::string(65536, ' ') + "fim", high, control, numbers}) {
        fake::resetWaveDevice();
        ASSERT_TRUE(tavinStart(br1, "", "", "", "", ""));
        tavinSpeak(text);  // MBROLA may refuse odd lines; what matters is what is played
        tavinClose();
        // At most about a second of speech a character: no runaway output; and
        // the lines held at once do not grow with the text.
        EXPECT_LE(fake::allPlayedBytes().size(), 32000u * (text.size() + 1)) << text.size();
        EXPECT_LE(std::exchange(largestPiece, 0), 20000u) << text.size();
    }
}

}  // namespace
