#include "settings/sections.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace {
const std::vector<int> defaultLevels{20, 10, 5};

TEST(VoltanorSettings, WarningLevelsAndPollIntervalWithTheirFallbacks) {
    const struct {
        const char* value;
        std::vector<int> levels;
        int seconds;  // the same value read as INTERVALO
    } cases[] = {
        {"", defaultLevels, 5},          {"15", {15}, 15},           {" 30 , 7 ,50", {50, 30, 7}, 5},
        {"10,10,20", {20, 10}, 5},       {"100,1", {100, 1}, 5},     {"101", defaultLevels, 101},
        {"0", {}, 1},                   {" 0 ", {}, 1},             {"0,5", defaultLevels, 5},
        {"-5", defaultLevels, 5},   {"20,,5", defaultLevels, 5},
        {"20,", defaultLevels, 5},       {"vinte", defaultLevels, 5}, {"12x", defaultLevels, 5},
        {"1,2,3,4,5,6,7,8,9,10", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 5},
        {"1,2,3,4,5,6,7,8,9,10,11", defaultLevels, 5},
        {"3601", defaultLevels, 3600},   {"99999999999", defaultLevels, 3600},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseWarningLevels(c.value), c.levels) << '"' << c.value << '"';
        EXPECT_EQ(parsePollSeconds(c.value), c.seconds) << '"' << c.value << '"';
    }
}

TEST(VoltanorSettings, OnlySimTurnsTheTimeUntilFullOnAndOnlyCurtoShortensTheReport) {
    const struct {
        const char* file;
        bool on;
        bool shortReport = false;  // RELATORIO=CURTO, any case
        bool windows = false;      // AVISOS=WINDOWS, any case
        int repeat = 2;            // REPETIR
    } cases[] = {
        {"[VOLTANOR]\nTEMPOCARGA=SIM\n", true},   {"[voltanor]\ntempocarga=sim\n", true},
        {"[VOLTANOR]\nTEMPOCARGA=S\n", false},    {"[VOLTANOR]\nTEMPOCARGA=1\n", false},
        {"[VOLTANOR]\nTEMPOCARGA=SIMM\n", false}, {"[OUTRA]\nTEMPOCARGA=SIM\n", false},
        {"[voltanor]\nrelatorio= Curto \n", false, true}, {"[VOLTANOR]\nRELATORIO=CURTOS\n", false},
        {"[VOLTANOR]\nAVISOS= windows \nREPETIR=0\n", false, false, true, 0}, {"[VOLTANOR]\nAVISOS=WINDOWS,5\nREPETIR=-1\n", false},
        {"[VOLTANOR]\nREPETIR=61\n", false, false, false, 60}, {"[VOLTANOR]\nREPETIR= 5 \n", false, false, false, 5},
    };
    for (const auto& c : cases) {
        fake::writeFile(fake::windowsDirectoryPath() + "/ORAVIX.INI", c.file);
        VoltanorSettings settings = readVoltanorSettings("C:");
        EXPECT_EQ(settings.timeUntilFull, c.on) << c.file;
        EXPECT_EQ(settings.shortReport, c.shortReport) << c.file;
        EXPECT_EQ(settings.windowsWarningLevels, c.windows) << c.file;
        EXPECT_EQ(settings.repeatMinutes, c.repeat) << c.file;
        EXPECT_TRUE(!c.windows || settings.warningLevels == defaultLevels) << c.file;  // where Windows' cannot be read
    }
    fake::removeFile(fake::windowsDirectoryPath() + "/ORAVIX.INI");
}

TEST(VoltanorSettings, WhoSpeaksIsTheOwnVoiceUnlessTheValueNamesAnother) {
    const struct {
        const char* value;
        WhoSpeaks who;
    } cases[] = {{"", WhoSpeaks::ownVoice},         {"PROPRIA", WhoSpeaks::ownVoice},
                 {" leitor ", WhoSpeaks::screenReader}, {"Automatica", WhoSpeaks::automatic},
                 {"AUTOMÁTICA", WhoSpeaks::ownVoice},   {"LEITORES", WhoSpeaks::ownVoice},
                 {"NVDA", WhoSpeaks::ownVoice}};
    for (const auto& c : cases) EXPECT_EQ(parseWhoSpeaks(c.value), c.who) << c.value;
}
}  // namespace
