// The diphone synthesizer through its observer and the fake wave device: the
// tokens, units, cuts, fallbacks and silences of a phoneme string, the bytes
// played, the database and .wav readers, and the start's result codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/console.h"
#include "diphone/diphone.h"
#include "diphone/diphone_index.h"
#include "diphone/diphone_observer.h"
#include "audio/wave_format.h"
#include "audio/wave_output.h"
#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"
#include "platform/platform.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Units = std::map<std::string, Bytes>;

Bytes filled(std::size_t n, unsigned char value) { return Bytes(n, value); }

// What the wave device receives for one buffer of samples: the last sample is
// made silent and a short sound is padded with silence to 256 bytes.
Bytes asPlayed(Bytes samples) {
    if (samples.empty()) return samples;
    samples.back() = 128;
    if (samples.size() < 256) samples.resize(256, 128);
    return samples;
}

// Each buffer the device received, in order.
std::vector<Bytes> playedBuffers() {
    std::vector<Bytes> buffers;
    for (const auto& sound : fake::playedSounds()) buffers.push_back(sound);
    return buffers;
}

std::string asText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Index and data files of a database holding `units`, sorted as the index must be.
void writeDatabase(const std::string& directory, const std::string& name, const Units& units) {
    std::vector<std::string> names;
    for (const auto& entry : units) names.push_back(entry.first);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return compareUnitNames(a, b) < 0; });
    Bytes index, data;
    for (const std::string& unit : names) {
        const Bytes& samples = units.at(unit);
        Bytes record = encodeDiphoneRecord(unit, static_cast<std::uint16_t>(samples.size()),
                                           static_cast<std::uint32_t>(data.size()));
        index.insert(index.end(), record.begin(), record.end());
        data.insert(data.end(), samples.begin(), samples.end());
    }
    fake::writeFile(directory + "/" + name + ".IND", asText(index));
    fake::writeFile(directory + "/" + name + ".DIF", asText(data));
}

void put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void putChunk(Bytes& b, const char* id, std::uint32_t size, const Bytes& body) {
    b.insert(b.end(), id, id + 4);
    put32(b, size);
    b.insert(b.end(), body.begin(), body.end());
}
Bytes formatBody(unsigned char channels, unsigned char bits, unsigned char align) {  // PCM, 11025 Hz
    return {1, 0, channels, 0, 0x11, 0x2B, 0, 0, 0, 0, 0, 0, align, 0, bits, 0};
}
Bytes wavFile(const Bytes& samples) {
    Bytes b;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put32(b, 36 + static_cast<std::uint32_t>(samples.size()));
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    putChunk(b, "fmt ", 16, formatBody(1, 8, 1));
    putChunk(b, "data", static_cast<std::uint32_t>(samples.size()), samples);
    return b;
}

std::string describe(const DiphoneEvent& e) {
    char factor[16];
    std::snprintf(factor, sizeof factor, "%.2f", e.factor);
    switch (e.kind) {
        case DiphoneEvent::Token: return "T " + e.name;
        case DiphoneEvent::Diphone:
            if (!e.found) return "D " + e.name + " miss";
            return "D " + e.name + " " + std::to_string(e.stressState) + " " + factor + " " +
                   std::to_string(e.samples);
        case DiphoneEvent::Recording:
            return "R " + e.name + (e.found ? " " + std::to_string(e.samples) : " miss");
        case DiphoneEvent::Silence:
            return "S " + std::to_string(e.requested) + " " + std::to_string(e.samples);
        case DiphoneEvent::Noise: return "N";
        case DiphoneEvent::Omitted: return "O " + e.name;
        case DiphoneEvent::Flush: return "F " + std::to_string(e.samples);
    }
    return "?";
}

class Synthesizer : public ::testing::Test {
public:
    void SetUp() override {
        root = fake::makeTempDirectory();
        letters = root + "/letras";
        diphones = root + "/difones";
        fake::setWindowsDirectory(root + "/windows");
        writeSettings(letters, diphones);
        fake::writeFile(diphones + "/regras.rgr", "(A)=a|\n");
        fake::writeFile(diphones + "/portug.exc", "casa=kAza\n");
        fake::writeFile(letters + "/_97.wav", asText(wavFile(filled(50, 97))));
        fake::resetWaveDevice();
        fake::resetConsole();
        setTrimSpeech(false);
        setQuickPlayback(false);
        setPlaybackStopQuestion(keyPending);
        diphoneModuleStart();
        setDiphoneObserver([this](const DiphoneEvent& e) {
            events.push_back(describe(e));
            if (e.kind == DiphoneEvent::Noise) ++noiseBursts;
        });
    }
    void TearDown() override {
        setDiphoneObserver({});
        diphoneClose();
    }

    // The two folders as the settings name them.
    void writeSettings(const std::string& lettersValue, const std::string& diphonesValue) {
        lettersSetting = lettersValue;
        diphonesSetting = diphonesValue;
    }
    // The synthesizer's buffers go straight to wave output, which stops on a key.
    static void playAndWait(unsigned char* waveBuffer) {
        playWaveBuffer(waveBuffer);
        while (isPlaying()) waitForMessage();
    }
    int diphoneStart() { return ::diphoneStart({lettersSetting, diphonesSetting}, playAndWait); }

    // Starts over the given units with the given tuning; the events are then those of speaking.
    void start(const Units& units, int cut = 400, int minimum = 0, int pause = 100) {
        writeDatabase(diphones, "DIFONES2", units);
        setDiphoneTuning({"DIFONES2", cut, minimum, pause});
        ASSERT_EQ(diphoneStart(), 0);
        events.clear();
    }

    std::vector<std::string> speak(const std::string& phonemes, bool keep = false) {
        events.clear();
        speakPhonemes(phonemes, keep);
        return events;
    }

    std::string root, letters, diphones, lettersSetting, diphonesSetting;
    std::vector<std::string> events;
    int noiseBursts = 0;
};

using Events = std::vector<std::string>;

TEST_F(Synthesizer, WorkedExampleTakesTheStressedUnitWholeAndCutsTheNext) {
    start({{"$KA", filled(1000, 10)}, {"$ZA", filled(1000, 20)}});
    EXPECT_EQ(speak("[kA za]"), (Events{"T kA", "D $kA 2 1.00 1000", "T za", "D $za 0 1.00 600", "F 1600"}));
    Bytes expected = filled(1000, 10);
    Bytes cut = filled(600, 20);
    expected.insert(expected.end(), cut.begin(), cut.end());
    EXPECT_EQ(playedBuffers(), std::vector<Bytes>{asPlayed(expected)});
}

TEST_F(Synthesizer, SpelledLetterPlaysItsRecordingWithoutTrailingPause) {
    start({});
    EXPECT_EQ(speak("[ /_a]"), (Events{"T ", "T _a", "R _97 50", "F 50"}));
    EXPECT_EQ(playedBuffers(), std::vector<Bytes>{asPlayed(filled(50, 97))});
}

TEST_F(Synthesizer, EmptyStringPlaysNothing) {
    start({{"$A", filled(10, 1)}});
    EXPECT_TRUE(speak("").empty());
    EXPECT_TRUE(fake::allPlayedBytes().empty());
}

TEST_F(Synthesizer, PunctuationTokensBecomePausesUnlessKept) {
    start({});
    fake::writeFile(letters + "/_44.wav", asText(wavFile(filled(7, 44))));
    struct Case {
        const char* phonemes;
        bool keep;
        Events expected;
    } cases[] = {
        {"[ /_,]", false, {"T ", "S 4000 4000", "T ", "F 4000"}},
        {"[ /_.]", false, {"T ", "S 8000 8000", "T ", "F 8000"}},
        {"[ /_:]", false, {"T ", "S 8000 8000", "T ", "F 8000"}},
        {"[ /_;]", false, {"T ", "S 6000 6000", "T ", "F 6000"}},
        {"[ /_,]", true, {"T ", "T _,", "R _44 7", "F 7"}},
        {"[ /_!]", false, {"T ", "T _!", "R _33 miss", "O _33"}},
    };
    for (const Case& c : cases) EXPECT_EQ(speak(c.phonemes, c.keep), c.expected) << c.phonemes << " " << c.keep;
    fake::resetWaveDevice();
    speak("[ /_,]");
    EXPECT_EQ(playedBuffers(), std::vector<Bytes>{filled(4000, 128)});
}

TEST_F(Synthesizer, TokenPauseIsWholeBlocksOfHundredSamples) {
    struct Case {
        int pause;
        const char* silence;
    } cases[] = {{99, "S 99 0"}, {100, "S 100 100"}, {250, "S 250 200"}, {0, "S 0 0"}, {-5, "S -5 0"}};
    for (const Case& c : cases) {
        start({{"$A", filled(10, 1)}}, 400, 0, c.pause);
        // "]" ends the first token with more to come: a pause; a space never gives one.
        EXPECT_EQ(speak("[a][a a]"), (Events{"T a", "D $a 1 1.00 10", c.silence, "T a", "D $a 1 1.00 10",
                                             "T a", "D $a 1 1.00 10", std::string("F ") + std::to_string(30 + (c.pause > 0 ? c.pause / 100 * 100 : 0))}))
            << c.pause;
        diphoneClose();
    }
    start({{"$A", filled(10, 1)}}, 400, 0, INT_MAX);  // held at 10 seconds
    const Events events = speak("[a][a]");
    EXPECT_EQ(std::count(events.begin(), events.end(), "S 110250 110200"), 1);
}

TEST_F(Synthesizer, TokensSplitIntoPiecesWithTheirFactors) {
    Units units;
    for (const char* name : {"$P", "$RA", "$NHA", "$TCHA", "$PA", "$L", "$AW", "$PACIRC", "$AWTIL", "$A",
                             "$S", "$RR", "$PECIRC", "$EWCIRC", "$EYTIL", "$WTIL", "$K", "$DJA", "$KSA"})
        units[name] = filled(1000, 5);
    start(units, 0);
    struct Case {
        const char* phonemes;
        Events units;
    } cases[] = {
        {"[pra]", {"D $p 1 1.00 1000", "D $ra 1 1.00 1000"}},
        {"[nha]", {"D $nha 1 1.00 1000"}},
        {"[tcha]", {"D $tcha 1 1.00 1000"}},
        {"[dja]", {"D $dja 1 1.00 1000"}},
        {"[ksa]", {"D $ksa 1 1.00 1000"}},
        {"[pal]", {"D $pa 1 1.00 1000", "D $l 1 1.00 1000"}},
        {"[paw]", {"D $pa 1 0.60 600", "D $aw 1 1.00 1000"}},
        {"[pa~w]", {"D $paCIRC 1 0.60 600", "D $awTIL 1 1.00 1000"}},
        {"[pe^w]", {"D $peCIRC 1 0.60 600", "D $ewCIRC 1 1.00 1000"}},
        {"[e~y]", {"D $eyTIL 1 1.00 1000"}},
        {"[~w]", {"D $wTIL 1 1.00 1000"}},
        {"[as]", {"D $a 1 0.70 700", "D $s 1 1.00 1000"}},
        {"[ks]", {"D $k 1 0.70 700", "D $s 1 1.00 1000"}},
        {"[parr]", {"D $pa 1 1.00 1000", "D $rr 1 1.00 1000"}},
        {"[pras]", {"D $p 1 1.00 1000", "D $ra 1 1.00 1000", "D $s 1 1.00 1000"}},
        // Rule 2 emits the first consonant at 1.0 whatever the token's factor.
        {"[praw]", {"D $p 1 1.00 1000", "D $ra 1 0.60 600", "D $aw 1 1.00 1000"}},
    };
    for (const Case& c : cases) {
        Events found;
        for (const std::string& e : speak(c.phonemes))
            if (e[0] == 'D') found.push_back(e);
        EXPECT_EQ(found, c.units) << c.phonemes;
    }
}

TEST_F(Synthesizer, StressedPieceIsWholeAndLaterPiecesAreCut) {
    start({{"$PA", filled(1000, 1)}, {"$TA", filled(1000, 2)}});
    struct Case {
        const char* phonemes;
        Events units;
    } cases[] = {
        {"[pA]", {"D $pA 2 1.00 1000"}},
        {"[pA ta]", {"D $pA 2 1.00 1000", "D $ta 0 1.00 600"}},
        {"[pa pA]", {"D $pa 1 1.00 600", "D $pA 2 1.00 1000"}},
        {"[pA][ta]", {"D $pA 2 1.00 1000", "D $ta 1 1.00 600"}},
        {"[pA pA ta]", {"D $pA 2 1.00 1000", "D $pA 2 1.00 1000", "D $ta 0 1.00 600"}},
    };
    for (const Case& c : cases) {
        Events found;
        for (const std::string& e : speak(c.phonemes))
            if (e[0] == 'D') found.push_back(e);
        EXPECT_EQ(found, c.units) << c.phonemes;
    }
}

TEST_F(Synthesizer, CutAndMinimumLength) {
    struct Case {
        const char* phonemes;
        std::size_t length;
        int cut, minimum;
        std::uint32_t samples;
    } cases[] = {
        {"[pa]", 300, 400, 0, 0},      {"[pa]", 300, 400, 500, 300}, {"[pa]", 1000, 400, 200, 600},
        {"[pa]", 1000, 400, 700, 700}, {"[pA]", 300, 400, 0, 300},   {"[a]", 300, 400, 0, 300},
        {"[paw]", 1000, 400, 0, 360},  {"[pa]", 1000, 0, 0, 1000},   {"[pa]", 1000, -200, 0, 1000},
        // Extremes: no overflow where long is 32 bits (the unit tests under Wine trap on it).
        {"[pa]", 65535, INT_MIN, 0, 63956}, {"[pa]", 1000, INT_MAX, INT_MIN, 0}, {"[pa]", 1000, INT_MAX, INT_MAX, 1000},
    };
    for (const Case& c : cases) {
        start({{"$PA", filled(c.length, 3)}, {"$A", filled(c.length, 4)}, {"$AW", filled(1, 4)}}, c.cut, c.minimum);
        fake::resetWaveDevice();
        events.clear();
        speakPhonemes(c.phonemes, false);
        ASSERT_FALSE(events.empty());
        std::string first = events[1];
        EXPECT_EQ(first.substr(first.rfind(' ') + 1), std::to_string(c.samples))
            << c.phonemes << " length " << c.length << " cut " << c.cut << " min " << c.minimum;
        diphoneClose();
    }
}

TEST_F(Synthesizer, MissingUnitsFallBackToShorterOnes) {
    start({{"$P", filled(1000, 1)}, {"$A", filled(1000, 2)}, {"$ACIRC", filled(1000, 3)}, {"$I", filled(1000, 4)},
           {"$NN", filled(1000, 5)}, {"$T", filled(1000, 6)}, {"$ECIRC", filled(1000, 7)}});
    struct Case {
        const char* phonemes;
        Events expected;
    } cases[] = {
        {"[pa]", {"T pa", "D $pa miss", "D $p 1 0.90 900", "D $a 1 1.00 1000", "F 1900"}},
        {"[a~]", {"T a~", "D $aTIL miss", "D $aCIRC 2 0.90 900", "D $nn 1 0.90 540", "F 1440"}},
        {"[i~]", {"T i~", "D $iTIL miss", "D $i 1 0.90 900", "D $nn 1 0.90 540", "F 1440"}},
        // The nasal tail is cut (state 1) even inside the stressed piece.
        {"[A~]", {"T A~", "D $ATIL miss", "D $ACIRC 2 0.90 900", "D $nn 1 0.90 540", "F 1440"}},
        {"[I~]", {"T I~", "D $ITIL miss", "D $I 2 0.90 900", "D $nn 1 0.90 540", "F 1440"}},
        {"[tchE^]", {"T tchE^", "D $tchECIRC miss", "D $tch miss", "O $tch", "D $ECIRC 2 1.00 1000", "F 1000"}},
        {"[x]", {"T x", "D $x miss", "N", "F 300"}},
        {"[pxx]", {"T pxx", "D $p 1 1.00 1000", "D $xx miss", "O $xx", "F 1000"}},
        {"[_]", {"T _]", "R _93 miss", "O _93"}},
        // A "_" that ends the string names nothing.
        {"[_", {"T _"}},
    };
    for (const Case& c : cases) EXPECT_EQ(speak(c.phonemes), c.expected) << c.phonemes;
    // A longer unit with no fallback is left out without a sound.
    diphoneClose();
    start({{"$A", filled(10, 2)}});
    EXPECT_EQ(speak("[a~]"), (Events{"T a~", "D $aTIL miss", "D $aCIRC miss", "O $aCIRC", "D $nn miss", "O $nn"}));
}

TEST_F(Synthesizer, NoiseBurstIsThreeHundredSamplesInRangeAndRepeatable) {
    start({});
    speak("[p]");
    Bytes first = fake::allPlayedBytes();
    ASSERT_EQ(first.size(), 300u);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](unsigned char b) { return b >= 88 && b <= 167; }));
    EXPECT_GT(std::set<unsigned char>(first.begin(), first.end()).size(), 20u);
    diphoneClose();
    fake::resetWaveDevice();
    start({});
    speak("[p]");
    EXPECT_EQ(fake::allPlayedBytes(), first);
}

TEST_F(Synthesizer, SlashEndsOnlyTokensLongerThanEight) {
    start({}, 400, 0, 100);
    Events nine = speak("[papapapap/apapapa]");
    Events eight = speak("[papapapa/papapapa]");
    auto tokensAndSilences = [](const Events& all) {
        Events kept;
        for (const std::string& e : all)
            if (e[0] == 'T' || e[0] == 'S') kept.push_back(e);
        return kept;
    };
    EXPECT_EQ(tokensAndSilences(nine), (Events{"T papapapap", "S 100 100", "T apapapa"}));
    EXPECT_EQ(tokensAndSilences(eight), (Events{"T papapapapapapapa"}));
}

TEST_F(Synthesizer, TokenCharactersBeyondFortyAreDropped) {
    start({});
    std::string longToken(45, 'a');
    Events got = speak("[" + longToken + "]");
    EXPECT_EQ(got[0], "T " + std::string(40, 'a'));
}

TEST_F(Synthesizer, BarBecomesTheDashRecording) {
    start({});
    fake::writeFile(letters + "/_84.wav", asText(wavFile(filled(9, 84))));
    EXPECT_EQ(speak("[xx|]"), (Events{"T _TRACO", "R _84 9", "F 9"}));
}

TEST_F(Synthesizer, IndexShorterThanOneRecordHasNoUnits) {
    fake::writeFile(diphones + "/DIFONES2.IND", std::string(14, 'x'));
    fake::writeFile(diphones + "/DIFONES2.DIF", std::string(100, 'x'));
    ASSERT_EQ(diphoneStart(), 0);
    EXPECT_EQ(speak("[a]"), (Events{"T a", "D $a miss", "N", "F 300"}));
}

TEST_F(Synthesizer, RecordsPointingPastTheDataFileGiveWhatIsThere) {
    // $A claims 50 samples at offset 90 of a 100-byte data file; $E lies wholly past its end.
    Bytes index = encodeDiphoneRecord("$A", 50, 90);
    Bytes e = encodeDiphoneRecord("$E", 10, 5000);
    index.insert(index.end(), e.begin(), e.end());
    fake::writeFile(diphones + "/DIFONES2.IND", asText(index));
    fake::writeFile(diphones + "/DIFONES2.DIF", std::string(90, '\x10') + std::string(10, '\x20'));
    ASSERT_EQ(diphoneStart(), 0);
    EXPECT_EQ(speak("[a e]"), (Events{"T a", "D $a 1 1.00 10", "T e", "D $e 1 1.00 0", "F 10"}));
    EXPECT_EQ(playedBuffers(), std::vector<Bytes>{asPlayed(filled(10, 0x20))});
}

TEST_F(Synthesizer, RecordLengthsAreCutAtStartToTheNextUnitAndTheDataEnd) {
    // All claim 65535 samples; $E and $O share theirs; $O lies before $I in the data.
    Bytes index;
    for (auto [name, at] : {std::pair<const char*, std::uint32_t>{"$A", 0}, {"$E", 30}, {"$I", 70}, {"$O", 30}})
        for (unsigned char byte : encodeDiphoneRecord(name, 65535, at)) index.push_back(byte);
    fake::writeFile(diphones + "/DIFONES2.IND", asText(index));
    fake::writeFile(diphones + "/DIFONES2.DIF", std::string(30, 1) + std::string(40, 2) + std::string(5, 3));
    ASSERT_EQ(diphoneStart(), 0);
    EXPECT_EQ(speak("[a e i o]"), (Events{"T a", "D $a 1 1.00 30", "T e", "D $e 1 1.00 40", "T i", "D $i 1 1.00 5",
                                          "T o", "D $o 1 1.00 40", "F 115"}));
}

TEST_F(Synthesizer, UnitsLargerThanTheBufferAreClipped) {
    // The buffer holds 63,956 samples after its 44-byte header.
    start({{"$A", filled(65000, 9)}, {"$E", filled(40000, 8)}});
    fake::writeFile(letters + "/_98.wav", asText(wavFile(filled(70000, 98))));
    EXPECT_EQ(speak("[a]"), (Events{"T a", "D $a 1 1.00 63956", "F 63956"}));
    EXPECT_EQ(speak("[ /_b]"), (Events{"T ", "T _b", "R _98 63956", "F 63956"}));
    // Two units that do not fit together play as two buffers.
    fake::resetWaveDevice();
    EXPECT_EQ(speak("[e e]"), (Events{"T e", "D $e 1 1.00 40000", "T e", "F 40000", "D $e 1 1.00 40000", "F 40000"}));
    EXPECT_EQ(playedBuffers(), (std::vector<Bytes>{asPlayed(filled(40000, 8)), asPlayed(filled(40000, 8))}));
}

TEST_F(Synthesizer, PendingKeySilencesTheRestButTheStringIsStillWorkedThrough) {
    start({{"$E", filled(40000, 8)}});
    fake::queueKey('x');
    EXPECT_EQ(speak("[e e e]"), (Events{"T e", "D $e 1 1.00 40000", "T e", "F 40000", "D $e 1 1.00 40000", "T e",
                                        "F 40000", "D $e 1 1.00 40000", "F 40000"}));
    EXPECT_TRUE(fake::allPlayedBytes().empty());
}

TEST_F(Synthesizer, RecordingsWithShortOrMalformedDataCountAsTheyRead) {
    start({});
    Bytes truncated = wavFile(filled(10, 99));
    truncated[40] = 0xE8;  // the data chunk claims 1000 samples; 10 follow
    truncated[41] = 0x03;
    fake::writeFile(letters + "/_99.wav", asText(truncated));
    fake::writeFile(letters + "/_100.wav", "RIFX....WAVEfmt ");
    EXPECT_EQ(speak("[ /_c]"), (Events{"T ", "T _c", "R _99 10", "F 10"}));
    EXPECT_EQ(speak("[ /_d]"), (Events{"T ", "T _d", "R _100 miss", "O _100"}));
}

// ---- the index ------------------------------------------------------------

TEST(DiphoneIndex, RecordBytesAreLittleEndian) {
    EXPECT_EQ(encodeDiphoneRecord("$KA", 0x1234, 0x89ABCDEF),
              (Bytes{3, '$', 'K', 'A', 0, 0, 0, 0, 0, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89}));
    Bytes cut = encodeDiphoneRecord("$TCHACIRC", 1, 2);
    EXPECT_EQ(cut[0], 8);
    EXPECT_EQ(std::string(cut.begin() + 1, cut.begin() + 9), "$TCHACIR");
}

TEST(DiphoneIndex, NamesOrderByBytesThenLength) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    } cases[] = {{"$A", "$AW", -1}, {"$AW", "$B", -1}, {"$B", "$B", 0}, {"$Z", "$\xC9", -1}, {"", "$", -1}, {"_1", "$1", 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(compareUnitNames(c.a, c.b), c.order) << c.a << " " << c.b;
        EXPECT_EQ(compareUnitNames(c.b, c.a), -c.order) << c.b << " " << c.a;
    }
}

TEST(DiphoneIndex, BisectionFindsEveryRecordAndNothingElse) {
    std::vector<std::string> names = {"$A", "$AW", "$AWTIL", "$B", "$BA", "$NN", "$Z", "$ZZZZZZZ"};
    Bytes index;
    for (std::size_t i = 0; i < names.size(); ++i) {
        Bytes r = encodeDiphoneRecord(names[i], static_cast<std::uint16_t>(100 + i), static_cast<std::uint32_t>(1000 * i));
        index.insert(index.end(), r.begin(), r.end());
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        DiphoneRecord found;
        ASSERT_TRUE(findDiphone(index, names[i], found)) << names[i];
        EXPECT_EQ(found.length, 100 + i);
        EXPECT_EQ(found.offset, 1000 * i);
    }
    DiphoneRecord found;
    for (const char* absent : {"", "$", "$0", "$AWT", "$AWTILX", "$C", "$ZZZZZZZZ", "~", "$a"})
        EXPECT_FALSE(findDiphone(index, absent, found)) << absent;
    // A trailing part shorter than a record is not searched.
    Bytes tail(index.begin(), index.begin() + 14);
    EXPECT_EQ(diphoneRecordCount(tail.size()), 0u);
    EXPECT_FALSE(findDiphone(tail, "$A", found));
    EXPECT_EQ(diphoneRecordCount(index.size() + 14), names.size());
}

TEST(DiphoneIndex, OverlongNameLengthIsReadAsEight) {
    Bytes record = encodeDiphoneRecord("$ABCDEFG", 7, 9);
    record[0] = 200;
    DiphoneRecord found;
    ASSERT_TRUE(findDiphone(record, "$ABCDEFG", found));
    EXPECT_EQ(found.length, 7);
}

TEST(DiphoneIndex, OnlyLettersAToZAreUpperCased) {
    EXPECT_EQ(upperUnitName("$tchA~\xe3_"), "$TCHA~\xe3_");
}

// ---- .wav data chunks ------------------------------------------------------

std::uint32_t dataChunkOf(const Bytes& content, int* nextByte = nullptr) {
    std::FILE* file = std::tmpfile();
    if (!content.empty()) std::fwrite(content.data(), 1, content.size(), file);
    std::rewind(file);
    std::uint32_t size = findDataChunk(file);
    if (nextByte) *nextByte = std::fgetc(file);
    std::fclose(file);
    return size;
}

TEST(WaveChunks, FindsTheDataChunkOrNothing) {
    Bytes riff = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    auto file = [&riff](std::initializer_list<Bytes> chunks) {
        Bytes b = riff;
        for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
        return b;
    };
    auto chunk = [](const char* id, std::uint32_t size, Bytes body) {
        Bytes b;
        putChunk(b, id, size, body);
        return b;
    };
    Bytes fmt = chunk("fmt ", 16, formatBody(1, 8, 1));
    struct Case {
        const char* what;
        Bytes content;
        std::uint32_t size;
        int next;
    } cases[] = {
        {"plain", file({fmt, chunk("data", 3, {7, 8, 9})}), 3, 7},
        {"case ignored", [&] { Bytes b = file({chunk("FMT ", 16, formatBody(2, 16, 4)), chunk("DaTa", 2, {5, 6})}); b[0] = 'r'; return b; }(), 2, 5},
        {"0 channels", file({chunk("fmt ", 16, formatBody(0, 8, 0)), chunk("data", 1, {1})}), 0, -2},
        {"0 bits", file({chunk("fmt ", 16, formatBody(1, 0, 0)), chunk("data", 1, {1})}), 0, -2},
        {"block align not a frame", file({chunk("fmt ", 16, formatBody(1, 16, 1)), chunk("data", 1, {1})}), 0, -2},
        {"chunk before data", file({fmt, chunk("LIST", 4, {1, 2, 3, 4}), chunk("data", 1, {42})}), 1, 42},
        {"odd chunk, no pad", file({fmt, chunk("odd ", 3, {1, 2, 3}), chunk("data", 1, {43})}), 1, 43},
        {"empty data", file({fmt, chunk("data", 0, {})}), 0, EOF},
        {"not RIFF", [&] { Bytes b = file({fmt, chunk("data", 1, {1})}); b[0] = 'X'; return b; }(), 0, -2},
        {"fmt not first", file({chunk("data", 1, {1}), fmt}), 0, -2},
        {"no data", file({fmt, chunk("LIST", 2, {1, 2})}), 0, -2},
        {"short fmt body", file({chunk("fmt ", 16, filled(10, 0))}), 0, -2},
        {"short chunk header", file({fmt, Bytes{'d', 'a', 't'}}), 0, -2},
        {"short header", Bytes{'R', 'I', 'F', 'F', 1}, 0, -2},
        {"empty file", Bytes{}, 0, -2},
        {"huge skipped chunk", file({fmt, chunk("junk", 0xFFFFFFF0u, {1, 2})}), 0, -2},
    };
    for (const Case& c : cases) {
        int next = 0;
        EXPECT_EQ(dataChunkOf(c.content, &next), c.size) << c.what;
        if (c.next != -2) {
            EXPECT_EQ(next, c.next) << c.what;
        }
    }
}

// ---- start and close ---------------------------------------------------------

class DiphoneStart : public Synthesizer {};

TEST_F(DiphoneStart, ResultCodesAndDirectoryRestored) {
    struct Case {
        const char* what;
        std::function<void(DiphoneStart&)> breakIt;
        int result;
    } cases[] = {
        {"complete", [](DiphoneStart&) {}, 0},
        {"letters directory missing", [](DiphoneStart& t) { t.writeSettings(t.root + "/none", t.diphones); }, 1},
        {"diphone directory missing", [](DiphoneStart& t) { t.writeSettings(t.letters, t.root + "/none"); }, 1},
        {"index missing", [](DiphoneStart& t) { fake::removeFile(t.diphones + "/DIFONES2.IND"); }, 1},
        {"data missing", [](DiphoneStart& t) { fake::removeFile(t.diphones + "/DIFONES2.DIF"); }, 1},
        {"rules missing", [](DiphoneStart& t) { fake::removeFile(t.diphones + "/regras.rgr"); }, 2},
        {"exceptions missing", [](DiphoneStart& t) { fake::removeFile(t.diphones + "/portug.exc"); }, 2},
        {"empty diphone folder", [](DiphoneStart& t) { t.writeSettings(t.letters, ""); }, 1},
        // Found from the letters folder, rules and exceptions too.
        {"relative diphone folder", [](DiphoneStart& t) { t.writeSettings(t.letters, "..\\difones"); }, 0},
        {"backslashes", [](DiphoneStart& t) {
             std::string l = t.letters, d = t.diphones;
             std::replace(l.begin(), l.end(), '/', '\\');
             std::replace(d.begin(), d.end(), '/', '\\');
             t.writeSettings(l + "\\", d);
         }, 0},
    };
    std::string here = platform::currentDirectory();
    for (const Case& c : cases) {
        SetUp();
        writeDatabase(diphones, "DIFONES2", {{"$A", filled(5, 1)}});
        c.breakIt(*this);
        EXPECT_EQ(diphoneStart(), c.result) << c.what;
        EXPECT_EQ(platform::currentDirectory(), here) << c.what;
        if (c.result == 0) {
            EXPECT_EQ(diphoneLettersDirectory().back(), '\\') << c.what;
            EXPECT_EQ(diphoneLettersDirectory().find("\\\\"), std::string::npos) << c.what;
        }
        diphoneClose();
        diphoneClose();  // twice is harmless
        // Speaking after close plays nothing.
        fake::resetWaveDevice();
        speakPhonemes("[a]", false);
        EXPECT_TRUE(fake::allPlayedBytes().empty()) << c.what;
    }
}

TEST_F(DiphoneStart, DatabaseNameIsCutToEightAndUsedForBothFiles) {
    writeDatabase(diphones, "VOZRAPID", {{"$A", filled(5, 1)}});
    setDiphoneTuning({"VOZRAPIDA", 0, 0, 0});
    EXPECT_EQ(diphoneDatabaseName(), "VOZRAPID");
    EXPECT_EQ(diphoneStart(), 0);
    EXPECT_EQ(speak("[a]"), (Events{"T a", "D $a 1 1.00 5", "F 5"}));
}

TEST_F(DiphoneStart, ModuleStartRestoresTheDefaults) {
    setDiphoneTuning({"X", 1, 2, 3});
    diphoneModuleStart();
    EXPECT_EQ(diphoneDatabaseName(), "DIFONES2");
    writeDatabase(diphones, "DIFONES2", {{"$PA", filled(1000, 1)}, {"$A", filled(10, 1)}});
    ASSERT_EQ(diphoneStart(), 0);
    // Cut 400, minimum 0, pause 100.
    EXPECT_EQ(speak("[pa][a]"), (Events{"T pa", "D $pa 1 1.00 600", "S 100 100", "T a", "D $a 1 1.00 10", "F 710"}));
}

}  // namespace
