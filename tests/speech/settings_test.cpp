// The settings file: value conventions, the "@" marker, where the file is
// found, the per-speed settings and the speech start and finish.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "audio/wave_output.h"
#include "diphone/diphone.h"
#include "fakes/fake_com.h"
#include "speech/speech_fixture.h"
#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_voice.h"
#include "platform/platform.h"
#include "settings/setting_values.h"
#include "speech/settings_file.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "voices/voice.h"

namespace {

TEST(SettingValues, Booleans) {
    struct Case {
        const char* value;
        bool expected;
    } cases[] = {{"", false},   {"N", false},  {"n", false},   {"Nao", false}, {"n\xE3o", false},
                 {"S", true},   {"SIM", true}, {"1", true},    {"0", true},    {"x", true},
                 {" N", true},  {"yes", true}, {"false", true}};
    for (const Case& c : cases) EXPECT_EQ(settingBoolean(c.value), c.expected) << '"' << c.value << '"';
}

TEST(SettingValues, LeadingIntegers) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"", 0},         {"abc", 0},     {"12", 12},      {"12x", 12},         {"4x", 4},
                 {"  7", 7},      {"\t-3", -3},   {"+5", 5},       {"- 5", 0},          {"$1F", 31},
                 {"x10", 16},     {"0x10", 16},   {"0X1f", 31},    {"-$10", -16},       {"0xZ", 0},
                 {"$", 0},        {"3.9", 3},     {"300ms", 300},  {"99999999999", INT_MAX},
                 {"-99999999999", INT_MIN},       {"2147483647", INT_MAX},              {"-2147483648", INT_MIN}};
    for (const Case& c : cases) EXPECT_EQ(leadingInteger(c.value), c.expected) << '"' << c.value << '"';
}

TEST(SettingValues, WholeIntegersFallBackToTheDefault) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"", 250},    {"abc", 250},  {"300ms", 250}, {"12x", 250}, {"0", 0},     {"120", 120},
                 {"-40", -40}, {" 40", 40},   {"40 ", 250},   {"$10", 16},  {"+", 250},   {"-", 250}};
    for (const Case& c : cases) EXPECT_EQ(wholeInteger(c.value, 250), c.expected) << '"' << c.value << '"';
}

TEST(ProgramMarker, Expansion) {
    struct Case {
        const char* value;
        const char* program;
        const char* expected;
    } cases[] = {
        {"@\\som", "d:\\ov", "d:\\ov\\som"},
        {"x;@\\dados", "d:\\ov", "x;d:\\ov\\dados"},
        {"@", "d:\\ov", "d:\\ov"},
        {"@", "", "C:\\inicio"},
        {"@", "@d:\\ov", "C:\\inicio"},
        {"@\\a;@\\b", "d:\\ov", "d:\\ov\\a;d:\\ov\\b"},
        {"@@\\x", "P", "PP\\x"},          // leading marker, then the "@\" it left behind
        {"@@x", "P", "P@x"},              // "@x" is no marker
        {"a@b", "P", "a@b"},
        {"", "P", ""},
        {"sem marca", "P", "sem marca"},
        {"@@\\x", "\\\\srv", "\\\\srv\\\\srv\\x"},
        {"a@@\\x", "\\d", "a\\d\\d\\x"},  // the "@" before an inserted "\" becomes a marker too
        {"@\\x", "", "C:\\inicio\\x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expandProgramMarker(c.value, c.program, "C:\\inicio"), c.expected) << c.value << " / " << c.program;
}

TEST(ProgramMarker, DirectoryHoldingTheMarkerStillEnds) {
    // Rescanning the inserted text would insert the directory without end.
    EXPECT_EQ(expandProgramMarker("@\\som", "d:\\a@\\b", "C:"), "d:\\a@\\b\\som");
    EXPECT_EQ(expandProgramMarker("x@\\y", "q@", "C:"), "xq@\\y");
    EXPECT_EQ(expandProgramMarker("@", "", "@dir"), "@dir");
    EXPECT_EQ(expandProgramMarker("@\\1@\\2", "@\\", "s@\\"), "s@\\\\1s@\\\\2");
}

class SettingsFile : public SpeechInstallation {
protected:
    void windowsSettings(const std::string& text) { fake::writeFile(windows_ + "/ORAVIX.INI", text); }
    void startSettings(const std::string& text) { fake::writeFile(start_ + "/ORAVIX.INI", text); }
};

TEST_F(SettingsFile, ModuleStartRecordsTheStartDirectory) {
    EXPECT_EQ(startDirectory(), start_);
    EXPECT_EQ(speechState().currentVoiceType, 4);
    EXPECT_TRUE(speechState().voicePending);
    EXPECT_FALSE(speechState().systemVoiceActive);
    EXPECT_GE(fake::comInitializations(), 1);
}

TEST_F(SettingsFile, RepeatToneIsSoftNoiseThenSilence) {
    const auto& tone = speechState().repeatTone;
    for (int i = 0; i < 64; ++i) {
        EXPECT_GE(tone[44 + i], 128) << i;
        EXPECT_LE(tone[44 + i], 187) << i;
    }
    int distinct = 0;
    for (int i = 1; i < 64; ++i) distinct += tone[44 + i] != tone[44 + i - 1];
    EXPECT_GT(distinct, 32);  // noise, not a constant
    for (int i = 64; i < 256; ++i) EXPECT_EQ(tone[44 + i], 128) << i;
}

TEST_F(SettingsFile, WindowsDirectoryFileIsUsedByItsBareName) {
    windowsSettings("[TRADUTOR]\nVELOCIDADE=4\n");
    startSettings("[TRADUTOR]\nVELOCIDADE=2\n");
    EXPECT_EQ(settingsFilePath(), "ORAVIX.INI");
    EXPECT_EQ(readSetting("TRADUTOR", "VELOCIDADE"), "4");
}

TEST_F(SettingsFile, StartDirectoryFileWhenTheWindowsDirectoryHasNone) {
    startSettings("[TRADUTOR]\nVELOCIDADE=2\n[ORAVIX]\nNOME=x\n");
    EXPECT_EQ(settingsFilePath(), start_ + "\\ORAVIX.INI");
    EXPECT_EQ(readSetting("TRADUTOR", "VELOCIDADE"), "2");
    EXPECT_EQ(readSetting("", "NOME"), "x");  // empty section means ORAVIX
    EXPECT_EQ(readSetting("TRADUTOR", "FALTA"), "");
    EXPECT_EQ(readSetting("FALTA", "VELOCIDADE"), "");
}

TEST_F(SettingsFile, LocationIsDecidedAgainOnEveryRead) {
    startSettings("[A]\nK=start\n");
    EXPECT_EQ(readSetting("A", "K"), "start");
    windowsSettings("[A]\nK=windows\n");
    EXPECT_EQ(readSetting("A", "K"), "windows");
    fake::removeFile(windows_ + "/ORAVIX.INI");
    EXPECT_EQ(readSetting("A", "K"), "start");
}

TEST_F(SettingsFile, NoFileAnywhereGivesEmptyValues) { EXPECT_EQ(readSetting("TRADUTOR", "SAPI"), ""); }

TEST_F(SettingsFile, MarkerUsesProgramDirectoryOfTheSameFile) {
    windowsSettings("[ORAVIX]\nPGMORAVIX=d:\\ov\n[X]\nA=@\\som\nB=x;@\\dados\nC=@\n");
    EXPECT_EQ(readSetting("X", "A"), "d:\\ov\\som");
    EXPECT_EQ(readSetting("X", "B"), "x;d:\\ov\\dados");
    EXPECT_EQ(readSetting("X", "C"), "d:\\ov");
}

TEST_F(SettingsFile, MarkerWithoutProgramDirectoryIsTheStartDirectory) {
    startSettings("[X]\nA=@\\som\n");
    EXPECT_EQ(readSetting("X", "A"), start_ + "\\som");
    startSettings("[ORAVIX]\nPGMORAVIX=@outro\n[X]\nA=@\\som\n");
    EXPECT_EQ(readSetting("X", "A"), start_ + "\\som");
}

TEST_F(SettingsFile, SelfReferencingProgramDirectoryEnds) {
    windowsSettings("[ORAVIX]\nPGMORAVIX=d:\\p@\\q\n[X]\nA=@\\som\n");
    EXPECT_EQ(readSetting("X", "A"), "d:\\p@\\q\\som");
}

TEST_F(SettingsFile, PerSpeedSettings) {
    windowsSettings(
        "[SINTETIZADOR]\nDIFONES3=ABCDEFGHIJ\nCORTEFON3=12x\nSOBRAFON3=12x\nINTERPAL3=70\n"
        "CORTAFALA3=n\xE3o\nRAPIDINHO3=1\nPAUSAPONTO3=abc\nPAUSAVIRG3=120\nPAUSADOISPONTOS3=0\n"
        "DIFONES2=DB2\nPAUSAPONTO2=0\nCORTAFALA2=SIM\n");
    SpeechSettings s = readSpeechSettings(3);
    EXPECT_EQ(s.databaseName, "ABCDEFGH");
    EXPECT_EQ(s.cutLength, 12);
    EXPECT_EQ(s.minimumLength, 0);
    EXPECT_EQ(s.tokenPause, 70);
    EXPECT_FALSE(s.trimSpeech);
    EXPECT_TRUE(s.quickPlayback);
    EXPECT_EQ(s.fullStopPause, 250);
    EXPECT_EQ(s.commaPause, 120);
    EXPECT_EQ(s.colonPause, 0);

    SpeechSettings two = readSpeechSettings(2);
    EXPECT_EQ(two.databaseName, "DB2");
    EXPECT_EQ(two.fullStopPause, 0);
    EXPECT_TRUE(two.trimSpeech);
    EXPECT_EQ(two.commaPause, 150);
    EXPECT_EQ(two.colonPause, 200);
    EXPECT_EQ(two.cutLength, 0);
}

TEST_F(SettingsFile, LoadingHandsTheValuesToTheirUsers) {
    windowsSettings("[SINTETIZADOR]\nDIFONES4=DBQ\nCORTEFON4=300\nSOBRAFON4=20\nINTERPAL4=9\n"
                    "CORTAFALA4=S\nRAPIDINHO4=S\nPAUSAPONTO4=500\nPAUSAVIRG4=60\nPAUSADOISPONTOS4=110\n");
    setTrimSpeech(false);
    setQuickPlayback(false);
    loadSpeechSettings(4);
    EXPECT_EQ(diphoneDatabaseName(), "DBQ");
    EXPECT_TRUE(trimSpeech());
    EXPECT_TRUE(quickPlayback());
    EXPECT_EQ(speechState().fullStopPause, 500);
    EXPECT_EQ(speechState().commaPause, 60);
    EXPECT_EQ(speechState().colonPause, 110);
    loadSpeechSettings(1);  // nothing for speed 1: defaults
    EXPECT_FALSE(trimSpeech());
    EXPECT_FALSE(quickPlayback());
    EXPECT_EQ(speechState().fullStopPause, 250);
    setTrimSpeech(false);
    setQuickPlayback(false);
}

TEST_F(SettingsFile, SpeedFromTheSettingsWhenTheCallerGivesNone) {
    struct Case {
        const char* tradutor;
        int argument;
        const char* expectedDatabase;
    } cases[] = {
        {"VELOCIDADE=9\n", 0, "DB3"},  {"VELOCIDADE=4x\n", 0, "DB4"}, {"", 0, "DB3"},
        {"VELOCIDADE=1\n", -2, "DB1"}, {"VELOCIDADE=0\n", 0, "DB3"},  {"VELOCIDADE=1\n", 5, "DB5"},
        {"VELOCIDADE=1\n", 6, "DB3"},  {"VELOCIDADE=$2\n", 0, "DB2"},
    };
    for (const Case& c : cases) {
        installSettings(c.tradutor);
        startSpeech(c.argument, "");
        EXPECT_EQ(speechState().databaseName, c.expectedDatabase) << c.tradutor << " " << c.argument;
        finishSpeech();
    }
}

TEST_F(SettingsFile, LettersDirectoryAlwaysFromTheWindowsDirectory) {
    startSettings("[TRADUTOR]\nDIRLETRAS=d:\\somente\\inicio\n");
    EXPECT_EQ(lettersDirectoryFromSettings(), "c:\\kelmar\\som\\letras\\");
    struct Case {
        const char* value;
        const char* expected;
    } cases[] = {{"DIRLETRAS=@\\letras\n", "@\\letras\\"},  // no marker expansion
                 {"DIRLETRAS=e:\\l\\\n", "e:\\l\\"},
                 {"DIRLETRAS=e:\\l\n", "e:\\l\\"},
                 {"DIRLETRAS=\n", ""},
                 {"OUTRA=1\n", "c:\\kelmar\\som\\letras\\"}};
    for (const Case& c : cases) {
        windowsSettings(std::string("[ORAVIX]\nPGMORAVIX=d:\\ov\n[TRADUTOR]\n") + c.value);
        EXPECT_EQ(lettersDirectoryFromSettings(), c.expected) << c.value;
    }
}

TEST_F(SettingsFile, StartSetsTheLettersDirectory) {
    installSettings("");
    startSpeech(3, "");
    EXPECT_EQ(lettersDirectory(), letters_ + "\\");
    finishSpeech();
}

TEST_F(SettingsFile, SoundsDirectoryGetsItsBackslash) {
    struct Case {
        const char* given;
        const char* expected;
    } cases[] = {{"", ""}, {"c:\\sons", "c:\\sons\\"}, {"c:\\sons\\", "c:\\sons\\"}};
    for (const Case& c : cases) {
        installSettings("");
        startSpeech(3, c.given);
        EXPECT_EQ(speechState().soundsDirectory, c.expected);
        finishSpeech();
    }
}

TEST_F(SettingsFile, SystemVoiceSettings) {
    struct Case {
        const char* servfala;
        int voice, rate, pitch, type;
    } cases[] = {
        {"VOZ=2\nVELOCIDADE=15\nTOM=3\nTIPOSAPI=5\n", 2, 0, 3, 5},
        {"VOZ=2\nVELOCIDADE=15\nTOM=3\nTIPOSAPI=4\n", 2, 15, 3, 4},
        {"VOZ=1x\nVELOCIDADE=10\nTOM=-2\nTIPOSAPI=54\n", 1, 10, -2, 54},
        {"VELOCIDADE=11\n", 0, 0, 0, 0},
        {"VELOCIDADE=-20\nTIPOSAPI=3\n", 0, -20, 0, 3},
    };
    for (const Case& c : cases) {
        fake::resetVoices();
        installSettings("SAPI=SIM\n", std::string("[SERVFALA]\n") + c.servfala);
        startSpeech(3, "");
        ASSERT_FALSE(fake::voiceCalls().empty()) << c.servfala;
        const fake::VoiceCall& call = fake::voiceCalls()[0];
        EXPECT_EQ(call.operation, "start");
        EXPECT_EQ(call.voice, c.voice) << c.servfala;
        EXPECT_EQ(call.rate, c.rate) << c.servfala;
        EXPECT_EQ(call.pitch, c.pitch) << c.servfala;
        EXPECT_EQ(call.text, "");
        EXPECT_EQ(speechState().currentVoiceType, c.type);
        EXPECT_FALSE(speechState().systemVoiceActive);  // the voice did not start
        finishSpeech();
    }
}

TEST_F(SettingsFile, NoSystemVoiceUnlessAsked) {
    for (const char* sapi : {"", "SAPI=\n", "SAPI=NAO\n", "SAPI=n\n"}) {
        fake::resetVoices();
        installSettings(sapi, "[SERVFALA]\nTIPOSAPI=5\n");
        startSpeech(3, "");
        EXPECT_TRUE(fake::voiceCalls().empty()) << sapi;
        EXPECT_EQ(speechState().currentVoiceType, 4);
        finishSpeech();
    }
}

TEST_F(SettingsFile, StartedSystemVoiceIsClosedAtTheFinish) {
    installSettings("SAPI=S\n", "[SERVFALA]\nTIPOSAPI=5\n");
    fake::setVoiceStartResult(true);
    startSpeech(3, "");
    EXPECT_TRUE(speechState().systemVoiceActive);
    finishSpeech();
    EXPECT_FALSE(speechState().systemVoiceActive);
    bool closed = false;
    for (const auto& call : fake::voiceCalls()) closed |= call.operation == "close";
    EXPECT_TRUE(closed);
    EXPECT_FALSE(fake::postedMessages().empty());  // the stop posts its wake-up message
    EXPECT_EQ(fake::postedMessages().back(), 1123u);
}

}  // namespace
