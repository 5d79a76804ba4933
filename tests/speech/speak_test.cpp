// The speak-text dispatcher: which recorded sounds a text plays, in which
// order, and the pauses it makes (as the sleeps it asks for).
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_wave_device.h"
#include "speech/speech_fixture.h"
#include "speech/speech_state.h"
#include "speech/test_sounds.h"
#include "speech/word_pieces.h"

namespace {

// Recorded sounds of the test installation; the tone's noise (128..187)
// shares no value with them.
const char* const soundNames[] = {
    "_zero", "_MENOS", "_um", "_uma", "_dois", "_duas", "_tres", "_cinco", "_seis", "_sete", "_e", "_vinte", "_cento", "_mil",
    "_quatroc", "_cinquen", "_dez", "_33", "_40", "_41", "_44", "_45", "_46", "_47", "_48", "_49", "_50",
    "_51", "_52", "_53", "_54", "_55", "_58", "_59", "_87", "_119", "_13", "_10", "_126", "_64", "_9"};

class Speaking : public SpeechInstallation {
protected:
    void SetUp() override {
        SpeechInstallation::SetUp();
        fake::resetWaveDevice();
        unsigned char value = 1;
        for (const char* name : soundNames) {
            sounds_[name] = withoutSilence(writeTestSound(letters_ + "/" + name + ".wav", 300, value));
            value = value == 100 ? 200 : value + 1;
        }
    }
    void TearDown() override {
        finishSpeech();
        SpeechInstallation::TearDown();
    }

    // Resetting the fake device also starts wave output afresh, so it comes
    // before the speech start hands over the playback switches.
    void start(const std::string& synthesizer = "") {
        fake::resetWaveDevice();
        installSettings("", "", synthesizer);
        startSpeech(3, "");
        platform::setCurrentDirectory(letters_);
        fake::sleepCalls().clear();
    }

    std::vector<unsigned char> expected(const std::vector<std::string>& names) {
        std::vector<unsigned char> all;
        for (const std::string& name : names) {
            std::vector<unsigned char> part;
            if (name == "tone") {
                const auto& tone = speechState().repeatTone;
                part = withoutSilence(std::vector<unsigned char>(tone.begin() + 44, tone.end()));
            } else {
                EXPECT_TRUE(sounds_.count(name)) << name;
                part = sounds_[name];
            }
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }

    static unsigned long pausedMilliseconds() {
        unsigned long total = 0;
        for (unsigned ms : fake::sleepCalls())
            if (ms == 50) total += ms;
        return total;
    }

    std::map<std::string, std::vector<unsigned char>> sounds_;
};

TEST_F(Speaking, SoundsAndPausesOfTexts) {
    struct Case {
        std::string text;
        std::vector<std::string> sounds;
        unsigned long pause;  // ms, with the default pauses 250 / 150 / 200
    } cases[] = {
        {"007", {"_zero", "_zero", "_sete"}, 0},
        {"1234567", {"_49", "_50", "_51", "_52", "_53", "_54", "_55"}, 0},
        {"123456", {"_cento", "_e", "_vinte", "_e", "_tres", "_mil", "_e", "_quatroc", "_e", "_cinquen", "_e", "_seis"}, 0},
        {"10-20", {"_49", "_48", "_45", "_50", "_48"}, 0},
        {"-5", {"_MENOS", "_cinco"}, 0},
        {"WWW2", {"_87", "_87", "_87", "_dois"}, 0},
        {"wWw2", {"_119", "_87", "_119", "_dois"}, 0},
        {"!!!!!!", {"_33", "_33", "_33", "_33", "tone", "tone"}, 0},
        {"!!!! !", {"_33", "_33", "_33", "_33", "tone"}, 0},  // the space between is a word run
        {"3.5", {"_tres", "_46", "_cinco"}, 0},
        {"abc://x", {"_58", "_47", "_47"}, 0},
        {"a - b", {"_45"}, 150},
        {"a -", {"_45"}, 150},
        {"Fim. Sim", {"_46"}, 250},
        {"Fim.", {"_46"}, 250},
        {"guarda-chuva", {}, 0},
        {"x-!", {"_45", "_33"}, 0},
        {"--", {"_45", "_45"}, 150},
        {"1, 2", {"_um", "_44", "_dois"}, 150},
        {"1,2", {"_um", "_44", "_dois"}, 0},
        {"(1)", {"_40", "_um", "_41"}, 400},
        {"a: b; c", {"_58", "_59"}, 400},
        {"0", {"_zero"}, 0},
        {"10", {"_dez"}, 0},
        {"2000", {"_dois", "_mil"}, 0},
        {"1 hora", {"_uma"}, 0},  // hours are counted in the feminine
        {"22 horas", {"_vinte", "_e", "_duas"}, 0},
        {"1001 Horas", {"_mil", "_e", "_uma"}, 0},
        {"2 horario 1 hor", {"_dois", "_um"}, 0},
        {"linha\r\n", {"_13", "_10"}, 0},
        {"~@", {"_126", "_64"}, 0},
        {"a\tb", {}, 0},
        {"", {}, 0},
        {"-----", {"_45", "_45", "_45", "_45", "tone", "_45"}, 150},
    };
    for (const Case& c : cases) {
        start();
        speak(c.text);
        EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), expected(c.sounds)) << '"' << c.text << '"';
        EXPECT_EQ(pausedMilliseconds(), c.pause) << '"' << c.text << '"';
        finishSpeech();
    }
}

TEST_F(Speaking, PausesComeInFiftyMillisecondSteps) {
    struct Case {
        const char* synthesizer;
        std::string text;
        unsigned long pause;
    } cases[] = {
        {"PAUSAVIRG3=120\n", "a, b", 100}, {"PAUSAVIRG3=40\n", "a, b", 0},     {"PAUSAVIRG3=50\n", "a, b", 50},
        {"PAUSAPONTO3=149\n", "a. b", 100}, {"PAUSAPONTO3=0\n", "a. b", 0},    {"PAUSAPONTO3=abc\n", "a. b", 250},
        {"PAUSADOISPONTOS3=99\n", "a: b", 50}, {"PAUSADOISPONTOS3=-100\n", "a: b", 0},
        {"PAUSAVIRG3=300ms\n", "a, b", 150}, {"PAUSAPONTO3=99999999\n", "a. b", 10000},  // held at 10 s
        // Their sum too: at most 10 s, or 50 ms a character of a longer text.
        {"PAUSAPONTO3=9000\n", "a. b. c. d", 10000}, {"PAUSAPONTO3=9000\n", std::string(300, 'a') + ". b. c", 15350},
    };
    for (const Case& c : cases) {
        start(c.synthesizer);
        speak(c.text);
        EXPECT_EQ(pausedMilliseconds(), c.pause) << c.synthesizer << c.text;
        finishSpeech();
    }
}

TEST_F(Speaking, APendingKeyEndsAPauseAtOnce) {
    // {milliseconds, pumps until the key, slept, pumps}: each step tests for the key, then sleeps.
    for (auto [ms, key, slept, pumps] : {std::array<int, 4>{99999999, 3, 50, 3}, {300, 5, 100, 5}, {99999999, 1, 0, 1}}) {
        fake::resetConsole();
        fake::queueKeyAfterPumps(key, 'x');
        pauseFor(ms);
        EXPECT_EQ(fake::totalSleptMilliseconds(), static_cast<unsigned long>(slept)) << ms << " " << key;
        EXPECT_EQ(fake::pumpCount(), pumps) << ms << " " << key;
    }
}

TEST_F(Speaking, WriteAndSpeakShowsTheTextUnchanged) {
    start();
    writeAndSpeak("Bateria: 5.\r\n");
    EXPECT_EQ(fake::consoleOutput(), "Bateria: 5.\r\n");
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), expected({"_58", "_cinco", "_46", "_13", "_10"}));
}

TEST_F(Speaking, APieceIsQueuedWhileTheOneBeforeStillPlaysAndAKeyStopsBothAtOnce) {
    start();
    fake::holdCompletions(true);  // nothing finishes playing
    speak("1 2");
    EXPECT_EQ(fake::blocksOnDevice(), 2);
    fake::queueKey('x');
    EXPECT_FALSE(isSpeaking());
    EXPECT_EQ(std::make_pair(fake::blocksOnDevice(), fake::sleepCalls().size()), std::make_pair(0, std::size_t{0}));
}

TEST_F(Speaking, TheDeviceIsReleasedBeforeAPauseThatEndsTheText) {
    for (auto [text, open] : {std::pair{"1. 2", true}, {"1. 2.", false}, {"(1)", false}}) {
        start();
        speak(text);
        EXPECT_EQ(fake::waveDeviceIsOpen(), open) << text;
        finishSpeech();
    }
}

TEST_F(Speaking, KeyDuringALongTextStopsTheSoundAndNothingMorePlays) {
    start();
    std::string text;
    for (int i = 0; i < 40; ++i) text += "1, 2; ";
    std::vector<unsigned char> whole;
    {
        speak(text);
        whole = withoutSilence(fake::allPlayedBytes());
        finishSpeech();
    }
    start();
    fake::queueKeyAfterPumps(60, 'x');
    speak(text);
    std::vector<unsigned char> played = withoutSilence(fake::allPlayedBytes());
    ASSERT_LT(played.size(), whole.size() / 4);
    EXPECT_FALSE(played.empty());
    EXPECT_TRUE(std::equal(played.begin(), played.end(), whole.begin()));
    EXPECT_EQ(fake::queuedKeyCount(), 1);  // the key stays in the queue
    ASSERT_FALSE(fake::postedMessages().empty());
    EXPECT_EQ(fake::postedMessages().back(), 1123u);

    // Until the key is read, every later text is silent at once.
    std::size_t before = fake::allPlayedBytes().size();
    speak("1, 2, 3");
    spell("123");
    playNumberWords(numberToWords(21));
    EXPECT_EQ(fake::allPlayedBytes().size(), before);
    EXPECT_FALSE(isSpeaking());
}

TEST_F(Speaking, SpellStopsWhenAKeyIsPending) {
    start();
    fake::queueKeyAfterPumps(1, 'x');
    spell("1234567");
    EXPECT_LT(withoutSilence(fake::allPlayedBytes()).size(), expected({"_49", "_50"}).size() + 1);
}

TEST_F(Speaking, NamedSoundsOutsideTheLettersDirectory) {
    std::string sounds = fake::makeTempDirectory();
    auto bell = withoutSilence(writeTestSound(sounds + "/sino.wav", 400, 99));
    installSettings("");
    startSpeech(3, sounds);
    fake::resetWaveDevice();
    playNamedSound("sino");
    playNamedSound("_zero");
    std::vector<unsigned char> both = bell;
    both.insert(both.end(), sounds_["_zero"].begin(), sounds_["_zero"].end());
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), both);
    std::error_code ignored;
    std::filesystem::remove_all(sounds, ignored);
}

TEST_F(Speaking, RepeatToneKeepsTheTrimSwitch) {
    start("CORTAFALA3=S\n");
    ASSERT_TRUE(trimSpeech());
    playRepeatTone();
    EXPECT_TRUE(trimSpeech());
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), expected({"tone"}));  // not trimmed
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    EXPECT_EQ(fake::deviceOpens()[0].rate, 11025u);
    EXPECT_EQ(fake::deviceOpens()[0].bits, 8);
}

TEST_F(Speaking, SystemVoiceTakesTheWholeText) {
    installSettings("SAPI=S\n", "[SERVFALA]\nTIPOSAPI=5\n");
    fake::setVoiceStartResult(true);
    startSpeech(3, "");
    platform::setCurrentDirectory(letters_);
    fake::resetWaveDevice();
    fake::voiceCalls().clear();
    speak("007, abc!");
    ASSERT_FALSE(fake::voiceCalls().empty());
    bool spoken = false;
    for (const auto& call : fake::voiceCalls())
        if (call.operation == "speak") {
            spoken = true;
            EXPECT_EQ(call.text, "007, abc!");
            EXPECT_EQ(call.kind, VoiceKind::sapi5);
        }
    EXPECT_TRUE(spoken);
    EXPECT_TRUE(fake::allPlayedBytes().empty());
    EXPECT_TRUE(speechState().voicePending);

    // The busy test asks the voice; the next recorded sound waits for it.
    fake::setVoiceBusyAnswers(2);
    playLetter('!');
    EXPECT_FALSE(speechState().voicePending);
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), expected({"_33"}));
}

TEST_F(Speaking, SystemVoiceWithAKeyPendingSaysNothing) {
    installSettings("SAPI=S\n", "[SERVFALA]\nTIPOSAPI=3\n");
    fake::setVoiceStartResult(true);
    startSpeech(3, "");
    fake::voiceCalls().clear();
    fake::queueKey('x');
    speak("texto");
    for (const auto& call : fake::voiceCalls()) EXPECT_NE(call.operation, "speak");
    // The built-in engine is always stopped, busy or not.
    bool stopped = false;
    for (const auto& call : fake::voiceCalls()) stopped |= call.operation == "stop";
    EXPECT_TRUE(stopped);
}

TEST_F(Speaking, StopAsksTheSystemVoiceOnlyWhenItCanBeSpeaking) {
    struct Case {
        bool active;
        int type;
        int busyAnswers;
        bool voiceStopped;
    } cases[] = {{true, 5, 1, true}, {true, 5, 0, false}, {true, 3, 0, true},
                 {true, 4, 1, true}, {false, 3, 1, false}};
    for (const Case& c : cases) {
        start();
        speechState().systemVoiceActive = c.active;
        speechState().currentVoiceType = c.type;
        VoiceType = c.type;
        fake::resetVoices();
        fake::setVoiceBusyAnswers(c.busyAnswers);
        fake::postedMessages().clear();
        speechState().stopRequested = false;
        stopSpeech();
        bool stopped = false;
        for (const auto& call : fake::voiceCalls()) stopped |= call.operation == "stop";
        EXPECT_EQ(stopped, c.voiceStopped) << c.active << " " << c.type << " " << c.busyAnswers;
        EXPECT_TRUE(speechState().stopRequested);
        EXPECT_EQ(fake::postedMessages(), std::vector<unsigned>{1123u});
        speechState().systemVoiceActive = false;
        finishSpeech();
    }
}

}  // namespace

namespace {

TEST(TranslatorPieces, LongRunsAreCutBetweenWords) {
    struct Case {
        std::string run;
        std::size_t limit;
        std::vector<std::string> pieces;
    } cases[] = {
        {"", 5, {}},
        {"abc", 5, {"abc"}},
        {"abcde", 5, {"abcde"}},
        {"ab cd ef", 5, {"ab ", "cd ef"}},
        {"abcdefgh", 5, {"abcde", "fgh"}},       // no space: cut at the limit
        {"abcd efgh ij", 5, {"abcd ", "efgh ", "ij"}},
        {"    x", 2, {"  ", "  ", "x"}},
        {"a bcdefgh", 4, {"a ", "bcde", "fgh"}},
    };
    for (const Case& c : cases) EXPECT_EQ(translatorPieces(c.run, c.limit), c.pieces) << '"' << c.run << '"';
}

TEST(TranslatorPieces, NothingIsLostFromALongText) {
    std::string run;
    for (int i = 0; i < 400; ++i) run += "palavra ";
    std::vector<std::string> pieces = translatorPieces(run);
    std::string joined;
    for (const std::string& p : pieces) {
        EXPECT_LE(p.size(), 999u);
        EXPECT_EQ(p.back(), ' ');  // every cut falls after a space
        joined += p;
    }
    EXPECT_EQ(joined, run);
    EXPECT_EQ(pieces.size(), 4u);
}

}  // namespace

namespace {

// A system voice that fails on a text hands it to the default voice, which
// keeps it for the rest of the session; the end learns whether anything that
// can be heard was said.
TEST_F(Speaking, FailedVoiceFallsBackAndTheEndKnowsWhatWasHeard) {
    const struct Case {
        const char* what;
        bool voiceStarts, voiceSpeaks, key;
        unsigned char letterValue;  // of "!" (128 is silence)
        bool heard;
        std::vector<std::string> played;  // by the default voice, over two texts
    } cases[] = {
        {"voice speaks", true, true, false, 1, true, {}},
        {"voice fails, default voice says both texts", true, false, false, 1, true, {"_33", "_33"}},
        {"voice fails, default voice silent", true, false, false, 128, false, {}},
        {"no voice, silent sound", false, true, false, 128, false, {}},
        {"no voice, silent sound, key pressed", false, true, true, 128, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        sounds_["_33"] = withoutSilence(writeTestSound(letters_ + "/_33.wav", 300, c.letterValue));
        installSettings("SAPI=S\n", "[SERVFALA]\nTIPOSAPI=3\n");
        fake::setVoiceStartResult(c.voiceStarts);
        fake::setVoiceSpeakResult(c.voiceSpeaks);
        startSpeech(3, "");
        platform::setCurrentDirectory(letters_);
        fake::resetWaveDevice();
        fake::voiceCalls().clear();
        speak("!");
        speak("!");
        std::string operations;
        for (const auto& call : fake::voiceCalls())
            if (call.operation != "busy") operations += call.operation + " ";
        EXPECT_EQ(operations, !c.voiceStarts ? "" : c.voiceSpeaks ? "speak speak " : "speak stop close ");
        EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), expected(c.played));
        if (c.key) fake::queueKey('x');
        EXPECT_EQ(speechWasHeard(), c.heard);
        TearDown();
    }
    SetUp();
}

}  // namespace

// A screen reader that takes each text plays nothing on the device; one that
// refuses leaves the text to the own voice; a stop reaches it.
namespace handed {
std::vector<std::pair<std::string, bool>> texts;
bool taking = true;
int stops = 0;
}  // namespace handed

TEST_F(Speaking, TextsTheDestinationTakesAreNotPlayedAndTheOthersAre) {
    start();
    handed::texts.clear();
    handed::stops = 0;
    SpeechDestination reader;
    reader.say = [](const std::string& text, bool interrupt) {
        handed::texts.emplace_back(text, interrupt);
        return handed::taking;
    };
    reader.stop = [] { ++handed::stops; };
    reader.screenReader = true;
    EXPECT_FALSE(screenReaderSpeaks());
    setSpeechDestination(reader);
    EXPECT_TRUE(screenReaderSpeaks());
    handed::taking = true;
    speak("5");
    speak("7", true);
    EXPECT_TRUE(fake::allPlayedBytes().empty());
    EXPECT_TRUE(speechWasHeard());
    stopSpeech();
    handed::taking = false;
    speak("5");
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), expected({"_cinco"}));
    EXPECT_EQ(handed::texts, (std::vector<std::pair<std::string, bool>>{{"5", false}, {"7", true}, {"5", false}}));
    EXPECT_EQ(handed::stops, 1);
}
