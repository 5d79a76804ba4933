// The engine over the real MBROLA gives, byte for byte, the samples the Linux
// mbrola program makes of the same lines with the br1 voice, whether it plays
// them or writes them to a file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"
#include "platform/platform.h"
#include "tts/tavin_engine.h"

namespace {

const std::string voiceDirectory = VOLTANOR_MBROLA_DIR;
const std::string br1 = voiceDirectory + "/usr/share/mbrola/br1/br1";
std::vector<std::string> lines;

std::vector<unsigned char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<unsigned char> programSamples(const std::string& folder) {
    std::ofstream pho(folder + "/lines.pho", std::ios::binary);
    for (const auto& line : lines) pho << line << "\r\n";
    pho.close();
    const std::string command = voiceDirectory + "/usr/bin/mbrola -e " + br1 + " " + folder + "/lines.pho " +
                                folder + "/lines.raw";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return fileBytes(folder + "/lines.raw");
}

TEST(TavinEngineWithMbrola, SamplesEqualTheMbrolaProgram) {
    ASSERT_TRUE(platform::fileExists(br1)) << "no br1 voice in " << voiceDirectory << ": run scripts/fetch-voice.sh";
    tavinUseStages({[] {}, [](const std::string&, const std::string&) { return true; },
                    [](const std::string&) { return true; }, [](const std::string&) { return true; },
                    [](const std::string&) { return true; },
                    [](const std::string&, double, double) { return lines; }});
    const std::vector<std::string> phrase{"_ 100", "a 80 50 120", "b 60", "a 90 50 130", "t 70",
                                          "e 80 50 125", "r 50", "i 90 20 140 80 120", "a 110 50 105", "_ 150"};
    std::vector<std::string> long_;
    for (int i = 0; i < 60; ++i) long_.insert(long_.end(), phrase.begin(), phrase.end());
    for (const auto& utterance : {phrase, long_}) {
        for (bool toFile : {false, true}) {
            lines = utterance;
            fake::resetConsole();
            fake::resetWaveDevice();
            const std::string folder = fake::makeTempDirectory();
            tavinSetOutputFile(toFile ? folder + "/speech.wav" : "");
            ASSERT_TRUE(tavinStart(br1, "", "", "", "", ""));
            EXPECT_EQ(tavinSampleRate(), 16000);
            EXPECT_TRUE(tavinSpeak("A bateria"));
            tavinClose();
            std::vector<unsigned char> ours = fake::allPlayedBytes();
            if (toFile) ours = fileBytes(folder + "/speech.wav");
            if (toFile) ours.erase(ours.begin(), ours.begin() + 44);
            const std::vector<unsigned char> expected = programSamples(folder);
            ASSERT_GT(expected.size(), 8000u);
            EXPECT_TRUE(ours == expected) << ours.size() << " bytes against " << expected.size();
        }
    }
}

}  // namespace
