// The voice dispatcher: which voice each VoiceType reaches, the wait after a
// successful start, and the pump before every busy test.
#include <gtest/gtest.h>

#include "fakes/fake_console.h"
#include "fakes/fake_voice.h"
#include "voices/voice.h"

namespace {

class VoiceDispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        fake::resetConsole();
        fake::resetVoices();
        voiceModuleStart();
    }
};

TEST_F(VoiceDispatcher, EachTypeReachesItsVoice) {
    struct Case {
        int type;
        VoiceKind kind;
    } cases[] = {{3, VoiceKind::tavin}, {5, VoiceKind::sapi5},  {54, VoiceKind::sapi54}, {4, VoiceKind::sapi4},
                 {0, VoiceKind::sapi4}, {1, VoiceKind::sapi4},  {99, VoiceKind::sapi4},  {-3, VoiceKind::sapi4},
                 {53, VoiceKind::sapi4}, {6, VoiceKind::sapi4}};
    for (const Case& c : cases) {
        fake::resetVoices();
        startVoice(7, 2, -1, "", c.type);
        speakVoice("texto");
        voiceBusy(false);
        stopVoice();
        closeVoice();
        ASSERT_EQ(fake::voiceCalls().size(), 5u) << c.type;
        for (const auto& call : fake::voiceCalls()) EXPECT_EQ(call.kind, c.kind) << c.type << " " << call.operation;
        EXPECT_EQ(fake::voiceCalls()[0].voice, 7);
        EXPECT_EQ(fake::voiceCalls()[0].rate, 2);
        EXPECT_EQ(fake::voiceCalls()[1].text, "texto");
        EXPECT_EQ(VoiceType, c.type);
    }
}

TEST_F(VoiceDispatcher, VoiceTypeIsFourFromTheStart) {
    VoiceType = 54;
    voiceModuleStart();
    EXPECT_EQ(VoiceType, 4);
}

TEST_F(VoiceDispatcher, FailedStartReturnsAtOnceKeepingTheType) {
    fake::setVoiceStartResult(false);
    fake::setVoiceBusyAnswers(5);
    EXPECT_FALSE(startVoice(1, 0, 0, "", 5));
    EXPECT_EQ(VoiceType, 5);
    ASSERT_EQ(fake::voiceCalls().size(), 1u);  // no busy test after a failed start
    EXPECT_TRUE(fake::sleepCalls().empty());
}

TEST_F(VoiceDispatcher, SuccessfulStartWaitsUntilTheVoiceIsIdle) {
    fake::setVoiceStartResult(true);
    fake::setVoiceBusyAnswers(3);
    EXPECT_TRUE(startVoice(1, 0, 0, "", 4));
    // Three busy answers: three 50 ms steps, asked with "only unprocessed text".
    EXPECT_EQ(fake::sleepCalls(), (std::vector<unsigned>{50, 50, 50}));
    int busyTests = 0;
    for (const auto& call : fake::voiceCalls()) {
        if (call.operation != "busy") continue;
        ++busyTests;
        EXPECT_TRUE(call.flag);
    }
    EXPECT_EQ(busyTests, 4);
}

TEST_F(VoiceDispatcher, BusyTestPumpsEvenWhenIdle) {
    int before = fake::pumpCount();
    EXPECT_FALSE(voiceBusy(false));
    EXPECT_EQ(fake::pumpCount(), before + 1);
}

}  // namespace
