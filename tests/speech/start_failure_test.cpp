// A speech start whose diphone synthesizer cannot start: the two lines in
// the window, the wait for Enter and the end of the program.
#include <gtest/gtest.h>

#include "console/console.h"
#include "speech/speech_fixture.h"

namespace {

class SpeechStartFailure : public SpeechInstallation {};

TEST_F(SpeechStartFailure, MissingDatabaseShowsTwoLinesWaitsForEnterAndEnds) {
    installSettings("", "", "DIFONES4=FALTA\n");
    fake::queueKeys("ab\r");
    consoleWindowHidden = true;  // the battery watcher's window
    int exitCode = -1;
    try {
        startSpeech(4, "");
    } catch (const fake::ProgramEnded& ended) {
        exitCode = ended.exitCode;
    }
    EXPECT_EQ(exitCode, 0);
    // The two lines, then the echo of the line typed before Enter.
    EXPECT_EQ(fake::consoleOutput(), "Erro de inicializa\xE7\xE3o: 1\r\nBanco de dados de voz: FALTA\r\nab\r\n");
    EXPECT_EQ(fake::queuedKeyCount(), 0);
    EXPECT_FALSE(consoleWindowHidden) << "the lines waiting for Enter must be seen";
}

TEST_F(SpeechStartFailure, MissingRulesGiveCodeTwo) {
    fake::removeFile(diphones_ + "/regras.rgr");
    installSettings("");
    fake::queueKeys("\r");
    EXPECT_THROW(startSpeech(3, ""), fake::ProgramEnded);
    EXPECT_EQ(fake::consoleOutput(), "Erro de inicializa\xE7\xE3o: 2\r\nBanco de dados de voz: DB3\r\n\r\n");
}

}  // namespace
