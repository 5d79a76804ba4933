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
#include "tts/mbrola_binding.h"
#include "tts/tavin_engine.h"
#include "tts/tavin_voice.h"

namespace {

std::vector<std::string> lines, loads;
std::string failingLoad;
bool loaded(const std::string& what) {
    loads.push_back(what);
    return what != failingLoad;
}
const TavinStages standIn{
    [] { loads.push_back("free"); },
    [](const std::string& rules, const std::string& exceptions) { return loaded(rules + " " + exceptions); },
    [](const std::string& path) { return loaded(path); },
    [](const std::string& path) { return loaded(path); },
    [](const std::string& path) { return loaded(path); },
    [](const std::string&, double, double) { return lines; }};

class TavinEngine : public ::testing::Test {
protected:
    void SetUp() override {
        fake::resetConsole();
        fake::resetWaveDevice();
        fake::resetMbrola();
        fake::clearRegistry();
        loads.clear();
        failingLoad.clear();
        tavinUseStages(standIn);
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
    const std::string allLoads = "free,portug.nrl portug.exc,portug.abr,portug.pro,portug.dfn,";
    struct Case {
        bool loads;
        int init;
        std::string failing, outputFile;
        bool expected;
        std::vector<std::string> log;
        std::string loadsDone, lastError;
    } cases[] = {
        {true, 0, "", "", true, started, allLoads, ""},
        {false, 0, "", "", false, {"load"}, "", ""},
        {true, -40, "", "", false, {"load", "init_MBR br4", "unload"}, "", ""},
        {true, 0, "portug.nrl portug.exc", "", false, started, "free,portug.nrl portug.exc,",
         "Erro na base de dados de português"},
        {true, 0, "portug.abr", "", false, started, "free,portug.nrl portug.exc,portug.abr,",
         "Erro no arquivo de abreviaturas"},
        {true, 0, "portug.pro", "", false, started, "free,portug.nrl portug.exc,portug.abr,portug.pro,",
         "Erro no arquivo de prosódia"},
        {true, 0, "portug.dfn", "", false, started, allLoads, "Erro no arquivo de prosódia"},
        {true, 0, "", fake::makeTempDirectory() + "/missing/out.wav", false, started, allLoads, ""},
#ifndef _WIN32
        {true, 0, "", "/dev/full", false, started, allLoads, "Arquivo de saída não pode ser criado"},
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
        std::string done;
        for (const auto& load : loads) done += load + ",";
        EXPECT_EQ(done, c.loadsDone);
        EXPECT_EQ(tavinLastError(), c.lastError);
    }
}

TEST_F(TavinEngine, SpeechReachesWaveOutput) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
        int samplesPerLine, inputRoom, failingRead;
        std::string errorAfter;
        bool expected;
        std::size_t samples, writes, resets, playedBytes;
    } cases[] = {
        {"   ", {"a 80"}, 100, 1 << 30, 0, "", true, 0, 0, 0, 0},
        {"\t\r\n\x01 ", {"a 80"}, 100, 1 << 30, 0, "", true, 0, 0, 0, 0},
        {"a", {"_ 50"}, 50, 1 << 30, 0, "", true, 100, 1, 1, 256},  // padded to 256 bytes
        {"a b c", {"a 80", "", "b 80", "c 80"}, 1000, 1 << 30, 0, "", true, 4000, 3, 1, 8000},
        {"a b c", {"a 80", "b 80", "c 80"}, 1000, 1 << 30, 0, "b 80", false, 3000, 3, 2, 6000},
        {"a b c", {"a 80", "b 80", "c 80"}, 1000, 1 << 30, 2, "", false, 4000, 3, 2, 8000},
        {"a b", {"a 80", "b 80"}, 1000, 500, 0, "", true, 3000, 2, 1, 6000},  // flush waits for room
        {"a b", {"a 80", "b 80"}, 1000, -1, 0, "", false, 0, 0, 1, 0},       // never any room
        {"long", std::vector<std::string>(40, "a 80"), 3000, 1 << 30, 0, "", true, 123000, 40, 1, 246000},
    };
    for (const Case& c : cases) {
        SetUp();
        ASSERT_TRUE(start());
        auto& mbrola = fake::mbrolaDouble();
        mbrola.samplesPerLine = c.samplesPerLine;
        mbrola.inputRoom = c.inputRoom;
        mbrola.failingRead = c.failingRead;
        mbrola.errorAfterLine = c.errorAfter;
        mbrola.log.clear();
        lines = c.lines;
        EXPECT_EQ(tavinSpeak(c.text), c.expected) << c.text;
        auto count = [&](const std::string& prefix) {
            return static_cast<std::size_t>(std::count_if(mbrola.log.begin(), mbrola.log.end(), [&](auto& entry) {
                return entry.rfind(prefix, 0) == 0;
            }));
        };
        EXPECT_EQ(count("write_MBR"), c.writes) << c.text;
        EXPECT_EQ(count("reset_MBR"), c.resets) << c.text;
        std::vector<unsigned char> played = fake::allPlayedBytes();
        ASSERT_EQ(played.size(), c.playedBytes) << c.text;
        expectDoubleSamples(played.data(), c.samples);
        EXPECT_TRUE(std::all_of(played.begin() + 2 * c.samples, played.end(), [](auto b) { return b == 0; }));
        for (const auto& open : fake::deviceOpens()) EXPECT_EQ(std::make_pair(open.rate, open.bits), std::make_pair(16000u, std::uint16_t{16}));
    }
}

TEST_F(TavinEngine, FileHoldsEverySampleOfTwoTexts) {
    const std::string path = fake::makeTempDirectory() + "/speech.wav";
    tavinSetOutputFile(path);
    ASSERT_TRUE(start());
    fake::mbrolaDouble().samplesPerLine = 1500;
    lines = {"a 80", "b 80"};
    EXPECT_TRUE(tavinSpeak("um"));
    EXPECT_TRUE(tavinSpeak("dois"));
    EXPECT_FALSE(tavinIsBusy());
    tavinClose();
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(file.size(), 44u + 2 * 9000);
    EXPECT_EQ(readLittle32(&file[4]), 36u + 18000);
    EXPECT_EQ(readLittle32(&file[24]), 16000u);
    EXPECT_EQ(readLittle32(&file[28]), 32000u);
    EXPECT_EQ(readLittle16(&file[32]), 2u);
    EXPECT_EQ(readLittle32(&file[40]), 18000u);
    expectDoubleSamples(&file[44], 9000);
    EXPECT_TRUE(fake::allPlayedBytes().empty());
}

TEST_F(TavinEngine, VoiceFactorsPathsAndMessages) {
    struct Case {
        std::string ini;
        std::vector<std::pair<std::string, std::string>> registry;
        int speed, tone;
        double pitch, duration;
        std::string rules, database;
    } cases[] = {
        {"", {}, 0, 0, 1.0, 0.8, "\\kelmar\\tavintts\\portug.nrl", "init_MBR br4"},
        {"", {}, 3, 0, 1.0, 0.6, "\\kelmar\\tavintts\\portug.nrl", "init_MBR br4"},
        {"", {{"SOFTWARE\\TCTS\\Mbrola\\databases\\BR4\\", "C:\\voices\\br4\\br4"}}, 6, -2, 9.0 / 11, 0.4,
         "C:\\voices\\br4\\portug.nrl", "init_MBR C:\\voices\\br4\\br4"},
        {"[TAVINTTS]\nMBROLA_DB=br1\nDIR=D:\\dados\nBASE=voz\n",
         {{"SOFTWARE\\TCTS\\Mbrola\\databases\\br1\\", ""}}, 0, 11, 2.0, 0.8, "D:\\dados\\voz.nrl",
         "init_MBR c:\\kelmar\\tavintts\\br4"},
        {"[TAVINTTS]\nMBROLA_DB=br1\n", {{"SOFTWARE\\TCTS\\Mbrola\\databases\\BR1\\x", "C:\\br1"}}, 0, 0, 1.0,
         0.8, "\\kelmar\\tavintts\\portug.nrl", "init_MBR br1"},
    };
    for (const Case& c : cases) {
        SetUp();
        fake::writeFile(fake::windowsDirectoryPath() + "/ORAVIX.INI", c.ini);
        for (const auto& [path, text] : c.registry) fake::setRegistryString(path, text);
        tavinVoiceModuleStart();
        EXPECT_EQ(tavinVoiceSettings().rulesFile, c.rules);
        EXPECT_EQ(tavinVoiceSettings().diphoneListFile.substr(c.rules.size() - 4), ".dfn");
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

TEST(MbrolaBinding, NamesFillTheTableInOrder) {
    static char places[mbrolaEntryPointCount];
    struct Lookup {
        std::size_t missing;
        std::vector<std::string> asked;
        static void* find(const char* name, void* context) {
            auto* self = static_cast<Lookup*>(context);
            self->asked.push_back(name);
            return self->asked.size() - 1 == self->missing ? nullptr : &places[self->asked.size() - 1];
        }
    };
    for (std::size_t missing : {std::size_t{0}, std::size_t{22}, mbrolaEntryPointCount}) {
        Lookup lookup{missing, {}};
        MbrolaEntryPoints table{};
        EXPECT_EQ(bindMbrolaEntryPoints(table, Lookup::find, &lookup), missing == mbrolaEntryPointCount);
        ASSERT_EQ(lookup.asked.size(), mbrolaEntryPointCount);
        EXPECT_EQ(lookup.asked[4], "read_MBR");
        EXPECT_EQ(reinterpret_cast<char*>(table.read_MBR), &places[4]);
        EXPECT_EQ(table.appendf0_Phone == nullptr, missing == 22);
    }
}

}  // namespace
