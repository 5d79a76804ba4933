// The engine's start, speech and file output over a double of MBROLA and
// stand-in text stages.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/wave_format.h"
#include "fakes/fake_console.h"
#include "fakes/fake_mbrola.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"
#include "tts/tavin_engine.h"
#include "tts/tavin_voice.h"

namespace {

std::vector<std::string> lines;
std::string loads, failingLoad;
bool loaded(const std::string& what) { return loads += what + ",", what != failingLoad; }
bool loadedOne(const std::string& path) { return loaded(path); }
std::vector<std::string> wholeText(const std::string& text, std::size_t& position, double, double) {
    position = text.size();
    return lines;
}

class TavinEngine : public ::testing::Test {
protected:
    void SetUp() override {
        fake::resetConsole();
        fake::resetWaveDevice();
        fake::resetMbrola();
        fake::clearRegistry();
        loads.clear();
        failingLoad.clear();
        tavinUseStages({[] { loads += "free,"; },
                        [](const std::string& rules, const std::string& exceptions) { return loaded(rules + " " + exceptions); },
                        loadedOne, loadedOne, loadedOne, wholeText});
        tavinSetOutputFile("");
    }
    void TearDown() override { tavinClose(); }
    static bool start() { return tavinStart("", "", "", "", "", ""); }
};

// The played (or written) samples are the double's, in order, from the first.
void expectDoubleSamples(const unsigned char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_EQ(static_cast<short>(readLittle16(bytes + 2 * i)), fake::mbrolaSample(static_cast<int>(i))) << i;
}

TEST_F(TavinEngine, StartSequenceAndFailures) {
    const std::vector<std::string> started{"load", "init_MBR br4", "setNoError_MBR 1"};
    const std::string rules = "free,portug.nrl portug.exc,", all = rules + "portug.abr,portug.pro,portug.dfn,";
    struct Case {
        bool loads;
        int init;
        std::string failing, outputFile;
        bool expected;
        std::vector<std::string> log;
        std::string loadsDone, lastError;
    } cases[] = {
        {true, 0, "", "", true, started, all, ""},
        {false, 0, "", "", false, {"load"}, "", ""},
        {true, -40, "", "", false, {"load", "init_MBR br4", "unload"}, "", ""},
        {true, 0, "portug.nrl portug.exc", "", false, started, rules, "Erro na base de dados de português"},
        {true, 0, "portug.abr", "", false, started, rules + "portug.abr,", "Erro no arquivo de abreviaturas"},
        {true, 0, "portug.pro", "", false, started, rules + "portug.abr,portug.pro,", "Erro no arquivo de prosódia"},
        {true, 0, "portug.dfn", "", false, started, all, "Erro no arquivo de prosódia"},
        {true, 0, "", fake::makeTempDirectory() + "/missing/out.wav", false, started, all, ""},
#ifndef _WIN32
        {true, 0, "", "/dev/full", false, started, all, "Arquivo de saída não pode ser criado"},
#endif
    };
    for (const Case& c : cases) {
        SetUp();
        fake::mbrolaDouble().loads = c.loads;
        fake::mbrolaDouble().initResult = c.init;
        failingLoad = c.failing;
        tavinSetOutputFile(c.outputFile);
        EXPECT_EQ(start(), c.expected) << c.failing << c.outputFile;
        EXPECT_EQ(fake::mbrolaDouble().log, c.log) << c.failing;
        EXPECT_EQ(loads, c.loadsDone);
        EXPECT_EQ(tavinLastError(), c.lastError);
    }
}

TEST_F(TavinEngine, SpeechReachesWaveOutput) {
    const std::vector<std::string> abc{"a 80", "b 80", "c 80"};
    struct Case {
        std::string text;
        std::vector<std::string> lines;
        int samplesPerLine, inputRoom, failingRead;
        std::string errorAfter;
        int errorCode;
        bool expected;
        std::size_t samples, writes, resets, playedBytes;
    } cases[] = {
        {"   ", abc, 100, 1 << 30, 0, "", -3, true, 0, 0, 0, 0},
        {"\t\r\n\x01 ", abc, 100, 1 << 30, 0, "", -3, true, 0, 0, 0, 0},
        {"a", {"_ 50"}, 50, 1 << 30, 0, "", -3, true, 100, 1, 1, 256},  // padded to 256 bytes
        {"a b c", {"a 80", "", "b 80", "c 80"}, 1000, 1 << 30, 0, "", -3, true, 4000, 3, 1, 8000},
        {"a b c", abc, 1000, 1 << 30, 0, "b 80", -3, false, 3000, 3, 2, 6000},
        {"a b c", abc, 1000, 1 << 30, 2, "", -3, false, 4000, 3, 2, 8000},
        {"a b c", abc, 1000, 1 << 30, 0, "b 80", -63, true, 4000, 3, 1, 8000},  // a warning
        {"a b c", abc, 1000, 500, 0, "", -3, true, 4000, 3, 1, 8000},  // flush waits for room
        {"a b c", abc, 1000, -1, 0, "", -3, false, 0, 0, 1, 0},       // never any room
        {"long", std::vector<std::string>(40, "a 80"), 3000, 1 << 30, 0, "", -3, true, 123000, 40, 1, 246000},
    };
    for (const Case& c : cases) {
        SetUp();
        ASSERT_TRUE(start());
        auto& mbrola = fake::mbrolaDouble();
        mbrola = {true, 0, 16000, c.samplesPerLine, c.inputRoom, c.errorAfter, c.errorCode, c.failingRead, {}};
        lines = c.lines;
        EXPECT_EQ(tavinSpeak(c.text), c.expected) << c.text;
        auto count = [&](const std::string& call) {
            return static_cast<std::size_t>(std::count_if(mbrola.log.begin(), mbrola.log.end(),
                                                          [&](auto& entry) { return entry.rfind(call, 0) == 0; }));
        };
        EXPECT_EQ(count("write_MBR") * 100 + count("reset_MBR"), c.writes * 100 + c.resets) << c.text;
        EXPECT_EQ(count("flush_MBR"), c.writes > 0 ? 1u : 0u) << c.text;
        std::vector<unsigned char> played = fake::allPlayedBytes();
        ASSERT_EQ(played.size(), c.playedBytes) << c.text;
        expectDoubleSamples(played.data(), c.samples);
        EXPECT_TRUE(std::all_of(played.begin() + 2 * c.samples, played.end(), [](auto b) { return b == 0; }));
        for (const auto& open : fake::deviceOpens()) EXPECT_EQ(open.rate + open.bits, 16000u + 16);
    }
}

TEST_F(TavinEngine, FileHoldsEverySampleOfTwoTexts) {
    const std::string path = fake::makeTempDirectory() + "/speech.wav";
    tavinSetOutputFile(path);
    ASSERT_TRUE(start());
    fake::mbrolaDouble().samplesPerLine = 1500;
    lines = {"a 80", "b 80"};
    EXPECT_TRUE(tavinSpeak("um") && tavinSpeak("dois") && !tavinIsBusy());
    tavinClose();
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(file.size(), 44u + 2 * 9000);
    EXPECT_EQ(std::vector<std::uint32_t>({readLittle32(&file[4]), readLittle32(&file[24]), readLittle32(&file[28]),
                                          readLittle16(&file[32]), readLittle32(&file[40])}),
              std::vector<std::uint32_t>({36 + 18000, 16000, 32000, 2, 18000}));
    expectDoubleSamples(&file[44], 9000);
    EXPECT_TRUE(fake::allPlayedBytes().empty());
}

TEST_F(TavinEngine, VoiceFactorsPathsAndMessages) {
    const std::string key = "SOFTWARE\\TCTS\\Mbrola\\databases\\", home = "\\kelmar\\tavintts\\portug.nrl";
    struct Case {
        std::string ini, registryPath, registryText;
        int speed, tone;
        double pitch, duration;
        std::string rules, database;
    } cases[] = {
        {"", "", "", 0, 0, 1.0, 0.8, home, "init_MBR br4"},
        {"", "", "", 3, 0, 1.0, 0.6, home, "init_MBR br4"},
        // Factors out of bounds are those of speed 0 and tone 0.
        {"", "", "", -2147483647 - 1, -11, 1.0, 0.8, home, "init_MBR br4"},
        {"", "", "", 12, 2147483647, 1.0, 0.8, home, "init_MBR br4"},
        {"", key + "BR4\\", "C:\\voices\\br4\\br4", 6, -2, 9.0 / 11, 0.4, "C:\\voices\\br4\\portug.nrl",
         "init_MBR C:\\voices\\br4\\br4"},
        {"MBROLA_DB=br1\nDIR=D:\\dados\nBASE=voz\n", key + "br1\\", "", 0, 11, 2.0, 0.8, "D:\\dados\\voz.nrl",
         "init_MBR c:\\kelmar\\tavintts\\br4"},
        {"MBROLA_DB=br1\n", key + "BR1\\x", "C:\\br1", 0, 0, 1.0, 0.8, home, "init_MBR br1"},
        // Data files beside the configured voice's folder, or its file; else beside br4's.
        {"MBROLA_DB=br1\n", key + "BR1\\", "C:\\kelmar\\tavintts\\br1\\br1", 0, 0, 1.0, 0.8,
         "C:\\kelmar\\tavintts\\portug.nrl", "init_MBR C:\\kelmar\\tavintts\\br1\\br1"},
        {"MBROLA_DB=br1\n", key + "br1\\", "D:\\vozes\\pt.db", 0, 0, 1.0, 0.8, "D:\\vozes\\portug.nrl",
         "init_MBR D:\\vozes\\pt.db"},
        {"MBROLA_DB=br1\n", key + "BR4\\", "C:\\voices\\br4\\br4", 0, 0, 1.0, 0.8,
         "C:\\voices\\br4\\portug.nrl", "init_MBR br1"},
    };
    for (const Case& c : cases) {
        SetUp();
        fake::writeFile(fake::windowsDirectoryPath() + "/ORAVIX.INI", "[TAVINTTS]\n" + c.ini);
        fake::setRegistryString(c.registryPath, c.registryText);
        tavinVoiceModuleStart("");
        EXPECT_EQ(tavinVoiceSettings().rulesFile + tavinVoiceSettings().diphoneListFile,
                  c.rules + c.rules.substr(0, c.rules.size() - 4) + ".dfn");
        EXPECT_TRUE(tavinVoiceStart(7, c.speed, c.tone, ""));
        EXPECT_EQ(fake::mbrolaDouble().log.at(1), c.database);
        EXPECT_DOUBLE_EQ(tavinPitchFactor(), c.pitch);
        EXPECT_DOUBLE_EQ(tavinDurationFactor(), c.duration);
    }
    fake::resetConsole();
    fake::queueKey('x');
    EXPECT_FALSE(tavinVoiceBusy());
    EXPECT_EQ(fake::postedMessages(), std::vector<unsigned>({2980, 2980}));  // the stop's and the busy test's
}

}  // namespace
