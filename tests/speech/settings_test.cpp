// The settings file: where it is found, the per-speed settings and the speech start and finish.
#include <gtest/gtest.h>

#include <string>

#include "audio/wave_output.h"
#include "diphone/diphone.h"
#include "fakes/fake_com.h"
#include "speech/speech_fixture.h"
#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_voice.h"
#include "platform/platform.h"
#include "platform/directory_path.h"
#include "settings/settings_file.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "voices/voice.h"

namespace {

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
    EXPECT_EQ(settingsFilePath(start_), "ORAVIX.INI");
    EXPECT_EQ(readSetting("TRADUTOR", "VELOCIDADE", start_), "4");
}

TEST_F(SettingsFile, StartDirectoryFileWhenTheWindowsDirectoryHasNone) {
    startSettings("[TRADUTOR]\nVELOCIDADE=2\n[ORAVIX]\nNOME=x\n");
    EXPECT_EQ(settingsFilePath(start_), start_ + "\\ORAVIX.INI");
    EXPECT_EQ(readSetting("TRADUTOR", "VELOCIDADE", start_), "2");
    EXPECT_EQ(readSetting("", "NOME", start_), "x");  // empty section means ORAVIX
    EXPECT_EQ(readSetting("TRADUTOR", "FALTA", start_), "");
    EXPECT_EQ(readSetting("FALTA", "VELOCIDADE", start_), "");
}

TEST_F(SettingsFile, LocationIsDecidedAgainOnEveryRead) {
    startSettings("[A]\nK=start\n");
    EXPECT_EQ(readSetting("A", "K", start_), "start");
    windowsSettings("[A]\nK=windows\n");
    EXPECT_EQ(readSetting("A", "K", start_), "windows");
    fake::removeFile(windows_ + "/ORAVIX.INI");
    EXPECT_EQ(readSetting("A", "K", start_), "start");
}

TEST_F(SettingsFile, NoFileAnywhereGivesEmptyValues) { EXPECT_EQ(readSetting("TRADUTOR", "SAPI", start_), ""); }

TEST_F(SettingsFile, MarkerUsesProgramDirectoryOfTheSameFile) {
    windowsSettings("[ORAVIX]\nPGMORAVIX=d:\\ov\n[X]\nA=@\\som\nB=x;@\\dados\nC=@\n");
    EXPECT_EQ(readSetting("X", "A", start_), "d:\\ov\\som");
    EXPECT_EQ(readSetting("X", "B", start_), "x;d:\\ov\\dados");
    EXPECT_EQ(readSetting("X", "C", start_), "d:\\ov");
}

TEST_F(SettingsFile, MarkerWithoutProgramDirectoryIsTheStartDirectory) {
    startSettings("[X]\nA=@\\som\n");
    EXPECT_EQ(readSetting("X", "A", start_), start_ + "\\som");
    startSettings("[ORAVIX]\nPGMORAVIX=@outro\n[X]\nA=@\\som\n");
    EXPECT_EQ(readSetting("X", "A", start_), start_ + "\\som");
}

TEST_F(SettingsFile, SelfReferencingProgramDirectoryEnds) {
    windowsSettings("[ORAVIX]\nPGMORAVIX=d:\\p@\\q\n[X]\nA=@\\som\n");
    EXPECT_EQ(readSetting("X", "A", start_), "d:\\p@\\q\\som");
}

TEST_F(SettingsFile, PerSpeedSettings) {
    windowsSettings(
        "[SINTETIZADOR]\nDIFONES3=ABCDEFGHIJ\nCORTEFON3=12x\nSOBRAFON3=12x\nINTERPAL3=70\n"
        "CORTAFALA3=n\xE3o\nRAPIDINHO3=1\nPAUSAPONTO3=abc\nPAUSAVIRG3=120\nPAUSADOISPONTOS3=0\n"
        "DIFONES2=DB2\nPAUSAPONTO2=0\nCORTAFALA2=SIM\n");
    SpeechSettings s = readSpeechSettings(3, start_);
    EXPECT_EQ(s.databaseName, "ABCDEFGH");
    EXPECT_EQ(s.cutLength, 12);
    EXPECT_EQ(s.minimumLength, 0);
    EXPECT_EQ(s.tokenPause, 70);
    EXPECT_FALSE(s.trimSpeech);
    EXPECT_TRUE(s.quickPlayback);
    EXPECT_EQ(s.fullStopPause, 250);
    EXPECT_EQ(s.commaPause, 120);
    EXPECT_EQ(s.colonPause, 0);

    SpeechSettings two = readSpeechSettings(2, start_);
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
    EXPECT_EQ(withTrailingBackslashUnlessEmpty(readTranslatorSettings(start_).lettersDirectory), "c:\\kelmar\\som\\letras\\");
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
        EXPECT_EQ(withTrailingBackslashUnlessEmpty(readTranslatorSettings(start_).lettersDirectory), c.expected) << c.value;
    }
}

TEST_F(SettingsFile, FolderValuesAndTheirLengths) {
    TranslatorSettings none = readTranslatorSettings(start_);
    EXPECT_EQ(none.diphoneDirectory, "c:\\kelmar\\som\\difones");
    windowsSettings("[TRADUTOR]\nDIRLETRAS=" + std::string(300, 'l') + "\nDIRDIFONES=" + std::string(100, 'd') + "\n");
    TranslatorSettings long_ = readTranslatorSettings(start_);
    EXPECT_EQ(long_.lettersDirectory, std::string(254, 'l'));
    EXPECT_EQ(long_.diphoneDirectory, std::string(80, 'd'));
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
