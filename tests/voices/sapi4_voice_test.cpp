// The SAPI 4 voice over a recording engine: texts queued, the notifications'
// counts, the busy rule, stop and start.
#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "platform/platform.h"
#include "voices/sapi4_voice.h"

namespace {

struct Recorded {
    std::vector<std::string> texts;  // each TextData, up to its zero
    int resets = 0, opens = 0, closes = 0, openedMode = 0;
    bool textDataFails = false;
    std::string directoryDuringOpen;
} engine;

const Sapi4Engine recording{
    [](int mode, int, int) {
        ++engine.opens;
        engine.openedMode = mode;
        if (!engine.directoryDuringOpen.empty()) platform::setCurrentDirectory(engine.directoryDuringOpen);
        return mode != 99;
    },
    [](const char* text, unsigned long bytes) {
        EXPECT_EQ(text[bytes - 1], '\0');
        engine.texts.emplace_back(text, bytes - 1);
        return !engine.textDataFails;
    },
    [] { return ++engine.resets, true; },
    [] { ++engine.closes; },
};

class Sapi4Voice : public ::testing::Test {
protected:
    void SetUp() override {
        fake::resetConsole();
        engine = Recorded{};
        ASSERT_TRUE(sapi4Start(recording, 1, 0, 0));
    }
    void TearDown() override { sapi4Close(); }
};

TEST_F(Sapi4Voice, QueuesTrimmedTextsWithSingleDigitsAsNumbers) {
    struct Case {
        std::string text;
        std::vector<std::string> queued;
    } cases[] = {{"7", {"7."}},         {"77", {"77"}},         {" \r\n\t ", {}},
                 {"", {}},              {"\r\n 0 \n", {"0."}},  {" Nível: alto.\r\n", {"N\xEDvel: alto."}},
                 {"a", {"a"}},          {"7 8", {"7 8"}}};
    for (const Case& c : cases) {
        engine.texts.clear();
        sapi4Speak(c.text);
        EXPECT_EQ(engine.texts, c.queued) << c.text;
    }
}

TEST_F(Sapi4Voice, LongTextGoesInPiecesWithNothingLost) {
    std::string words;
    for (int i = 0; words.size() < 200000; ++i) words += "palavra" + std::to_string(i % 977) + (i % 13 ? " " : "\r\n");
    std::string unbroken(150001, 'x');
    for (const std::string& text : {words.substr(0, 199999) + "z", unbroken}) {
        engine.texts.clear();
        sapi4Speak(text);
        std::string joined;
        for (const std::string& piece : engine.texts) {
            EXPECT_LE(piece.size(), sapi4TextLimit);
            joined += piece;
        }
        EXPECT_EQ(joined, text);
        EXPECT_EQ(engine.texts.size(), text.size() / sapi4TextLimit + 1);
    }
}

TEST_F(Sapi4Voice, NotificationsDriveTheBusyTest) {
    enum Event { started, done, audioOn, audioOff };
    struct Case {
        std::vector<Event> events;
        bool busyUnprocessed, busyAny;
    } cases[] = {
        {{}, false, false},
        {{started}, true, true},
        {{started, audioOn}, true, true},
        {{started, audioOn, done}, false, true},  // processed, still heard
        {{started, audioOn, done, audioOff}, false, false},
        {{done, done, started}, true, true},  // the count never goes below 0
        {{started, started, done}, true, true},
        {{audioOn}, false, true},
    };
    for (const Case& c : cases) {
        sapi4Stop();
        for (Event e : c.events) (e == started ? sapi4TextDataStarted : e == done ? sapi4TextDataDone : e == audioOn ? sapi4AudioStarted : sapi4AudioStopped)();
        EXPECT_EQ(sapi4Busy(true), c.busyUnprocessed) << &c - cases;
        EXPECT_EQ(sapi4Busy(false), c.busyAny) << &c - cases;
    }
}

TEST_F(Sapi4Voice, StopResetsAudioOnlyWhilePlaying) {
    struct Case {
        bool audio;
        int resets;
        std::vector<unsigned> sleeps;
    } cases[] = {{false, 0, {}}, {true, 1, {50, 150}}};
    for (const Case& c : cases) {
        engine.resets = 0;
        fake::sleepCalls().clear();
        sapi4TextDataStarted();
        if (c.audio) sapi4AudioStarted();
        sapi4Stop();
        EXPECT_EQ(engine.resets, c.resets);
        EXPECT_EQ(fake::sleepCalls(), c.sleeps);
        EXPECT_FALSE(sapi4Busy(false));
    }
}

TEST_F(Sapi4Voice, SpeakingWaitsForPendingTextAndStopsOnFailure) {
    sapi4TextDataStarted();
    sapi4AudioStarted();
    engine.textDataFails = true;
    sapi4Speak("texto");
    EXPECT_EQ(fake::sleepCalls(), (std::vector<unsigned>{20, 50, 150}));  // waited, then stopped
    EXPECT_EQ(engine.resets, 1);
    EXPECT_FALSE(sapi4Busy(false));
    fake::queueKey(' ');
    sapi4Speak("outro");  // a pending key: nothing more is queued
    EXPECT_EQ(engine.texts, std::vector<std::string>{"texto"});
}

TEST_F(Sapi4Voice, StartPicksTheModeAndKeepsTheDirectory) {
    sapi4Close();
    engine.closes = 0;
    std::string before = platform::currentDirectory();
    engine.directoryDuringOpen = fake::makeTempDirectory();
    struct Case {
        int voice, mode;
        bool ready;
    } cases[] = {{0, 1, true}, {3, 3, true}, {99, 99, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(sapi4Start(recording, c.voice, 0, 0), c.ready);
        EXPECT_EQ(engine.openedMode, c.mode);
        EXPECT_EQ(platform::currentDirectory(), before);
        sapi4Speak("x");
        sapi4Close();
    }
    EXPECT_EQ(engine.texts.size(), 2u);  // the failed start queues nothing
    EXPECT_EQ(engine.closes, 2);  // nothing to close after the failed start
    std::filesystem::remove_all(engine.directoryDuringOpen);
}

}  // namespace
