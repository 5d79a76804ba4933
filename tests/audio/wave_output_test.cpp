#include "audio/wave_output.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "audio/wave_test_support.h"
#include "console/console.h"
#include "console/console_playback.h"
#include "fakes/fake_console.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"

namespace {

using Bytes = std::vector<unsigned char>;

class WaveOutput : public ::testing::Test {
protected:
    void SetUp() override {
        fake::resetConsole();
        fake::resetWaveDevice();
        setPlaybackStopQuestion(keyPending);  // a key stops the sound, as in the program
        folder = fake::makeTempDirectory();
    }
    void TearDown() override {
        // Whatever a test left, the blocks are unlocked once the device is stopped.
        stopPlayback();
        EXPECT_EQ(fake::lockedBlocks(), 0);
        EXPECT_FALSE(fake::waveDeviceIsOpen());
    }

    std::string writeWave(const std::string& name, const std::string& image) {
        std::string path = folder + "/" + name;
        fake::writeFile(path, image);
        return path;
    }

    // Plays a WaveBuffer holding these samples and waits until it is done.
    void playBuffer(const Bytes& samples, std::uint32_t rate, std::uint16_t channels, std::uint16_t bits) {
        Bytes buffer(44 + samples.size());
        makeWaveHeader(buffer.data(), static_cast<std::uint32_t>(samples.size()), rate, channels, bits);
        std::copy(samples.begin(), samples.end(), buffer.begin() + 44);
        playWaveBuffer(buffer.data());
        while (isPlaying()) waitForMessage();
    }

    std::string folder;
};

TEST_F(WaveOutput, AShortMono8BitBufferGoesOutAsOne256ByteBlockEndingInSilence) {
    const Bytes samples = wavetest::rampSamples(100, 1);
    playBuffer(samples, 11025, 1, 8);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    const auto& open = fake::deviceOpens()[0];
    EXPECT_EQ(open.rate, 11025u);
    EXPECT_EQ(open.bits, 8u);
    EXPECT_EQ(open.channels, 1u);
    ASSERT_EQ(open.blocks.size(), 1u);
    Bytes expected(256, 128);
    std::copy(samples.begin(), samples.begin() + 99, expected.begin());
    EXPECT_EQ(open.blocks[0], expected);
    EXPECT_TRUE(fake::waveDeviceIsOpen());  // kept for the next sound
}

TEST_F(WaveOutput, LastSampleOfAPieceIsSilencedUnlessThePieceIsFull) {
    struct Case {
        std::uint32_t length;
        std::size_t blockLength;
        bool lastKept;
    };
    const Case cases[] = {
        {65534, 65534, true}, {65533, 65533, false}, {300, 300, false},
        {256, 256, false},    {255, 256, false},     {1, 256, false},
    };
    for (const Case& c : cases) {
        fake::resetWaveDevice();
        const Bytes samples = wavetest::rampSamples(c.length, 3);
        playBuffer(samples, 11025, 1, 8);
        ASSERT_EQ(fake::deviceOpens().size(), 1u) << c.length;
        ASSERT_EQ(fake::deviceOpens()[0].blocks.size(), 1u) << c.length;
        const Bytes& block = fake::deviceOpens()[0].blocks[0];
        ASSERT_EQ(block.size(), c.blockLength) << c.length;
        EXPECT_TRUE(std::equal(samples.begin(), samples.end() - 1, block.begin())) << c.length;
        EXPECT_EQ(block[c.length - 1], c.lastKept ? samples.back() : 128) << c.length;
        for (std::size_t i = c.length; i < block.size(); ++i) ASSERT_EQ(block[i], 128) << c.length << " at " << i;
    }
}

TEST_F(WaveOutput, ABufferMadeWithTheHeaderOf256BytesQueuesOneBlock) {
    Bytes buffer(44 + 256, 90);
    makeWaveHeader(buffer.data(), 256, 11025, 1, 8);
    fake::holdCompletions(true);
    playWaveBuffer(buffer.data());
    EXPECT_TRUE(isPlaying());
    fake::holdCompletions(false);
    while (isPlaying()) waitForMessage();
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    ASSERT_EQ(fake::deviceOpens()[0].blocks.size(), 1u);
    EXPECT_EQ(fake::deviceOpens()[0].blocks[0].size(), 256u);
}

TEST_F(WaveOutput, ShortBlocksOfOtherFormatsArePaddedWithTheirSilence) {
    struct Case {
        std::uint16_t channels, bits;
        unsigned char silence;
    };
    const Case cases[] = {{2, 8, 128}, {1, 16, 0}, {2, 16, 0}};
    for (const Case& c : cases) {
        fake::resetWaveDevice();
        const Bytes samples = wavetest::rampSamples(100, 5);
        playBuffer(samples, 16000, c.channels, c.bits);
        ASSERT_EQ(fake::deviceOpens().size(), 1u);
        const Bytes& block = fake::deviceOpens()[0].blocks.at(0);
        Bytes expected(256, c.silence);
        std::copy(samples.begin(), samples.end(), expected.begin());  // last sample kept
        EXPECT_EQ(block, expected) << c.channels << "ch " << c.bits << "bit";
    }
}

TEST_F(WaveOutput, AFileIsPlayedInPiecesThatNeverLeaveAShortLastOne) {
    const Bytes samples = wavetest::rampSamples(65600, 7);
    const auto path = writeWave("long.wav", wavetest::waveFile(11025, 1, 8, samples));
    EXPECT_EQ(playWaveFile(path), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    const auto& blocks = fake::deviceOpens()[0].blocks;
    ASSERT_EQ(blocks.size(), 2u);
    Bytes first(samples.begin(), samples.begin() + 65278), second(samples.begin() + 65278, samples.end());
    first.back() = 128;
    second.back() = 128;
    EXPECT_EQ(blocks[0], first);
    EXPECT_EQ(blocks[1], second);
    EXPECT_FALSE(isPlaying());
}

// Every block but the last holds whole frames, so no byte is lost and the
// channels never swap; frames of one or two bytes keep the usual pieces.  (A
// last block shorter than 256 bytes still goes out as 256.)
TEST_F(WaveOutput, PiecesOfLongSoundEndOnWholeFrames) {
    struct Case {
        std::uint16_t channels, bits;
        std::uint32_t length;
        std::vector<std::size_t> fileBlocks, sampleBlocks;
    };
    const Case cases[] = {
        {2, 16, 3 * 65534, {65532, 65532, 65276, 262}, {65532, 65532, 65532, 256}},
        {2, 16, 65600, {65276, 324}, {65532, 256}},
        {1, 16, 65600, {65278, 322}, {65534, 256}},
        {2, 8, 131068, {65534, 65534}, {65534, 65534}},
        {2, 16, 65534, {65534}, {65534}},  // a last piece is all that remains
    };
    for (const Case& c : cases) {
        for (bool fromFile : {true, false}) {
            fake::resetWaveDevice();
            const Bytes samples = wavetest::rampSamples(c.length, 12);
            if (fromFile) {
                EXPECT_EQ(playWaveFile(writeWave("frames.wav", wavetest::waveFile(16000, c.channels, c.bits, samples))), 0);
            } else {
                Bytes copy = samples;
                EXPECT_EQ(playSamples(copy.data(), c.length, 16000, c.channels, c.bits), 0);
                while (isPlaying()) waitForMessage();
            }
            ASSERT_EQ(fake::deviceOpens().size(), 1u);
            std::vector<std::size_t> blocks;
            for (const auto& block : fake::deviceOpens()[0].blocks) blocks.push_back(block.size());
            EXPECT_EQ(blocks, fromFile ? c.fileBlocks : c.sampleBlocks) << c.channels << "x" << c.bits << " " << c.length;
            Bytes played = fake::allPlayedBytes();
            ASSERT_GE(played.size(), samples.size());
            played.resize(samples.size());
            EXPECT_EQ(played, samples) << c.channels << "x" << c.bits << " " << c.length;
        }
    }
}

TEST_F(WaveOutput, QuickPlaybackRaisesTheRateByHalf) {
    struct Case {
        std::uint32_t rate, opened;
    };
    const Case cases[] = {{11025, 16537}, {16000, 24000}, {1001, 1501}, {1003, 1504}};
    for (const Case& c : cases) {
        fake::resetWaveDevice();
        setQuickPlayback(true);
        const auto path = writeWave("q.wav", wavetest::waveFile(c.rate, 1, 8, wavetest::rampSamples(500)));
        EXPECT_EQ(playWaveFile(path), 0);
        ASSERT_EQ(fake::deviceOpens().size(), 1u);
        EXPECT_EQ(fake::deviceOpens()[0].rate, c.opened) << c.rate;
    }
}

std::vector<unsigned char> sixteenBit(const Bytes& eightBit) {
    Bytes out;
    for (unsigned char b : eightBit) {
        out.push_back(0x5A);
        out.push_back(static_cast<unsigned char>(b ^ 0x80));
    }
    return out;
}

TEST_F(WaveOutput, TrimmedSixteenBitMonoGoesOutAsEightBitAboutHalfAsLong) {
    setTrimSpeech(true);
    const Bytes voiced = wavetest::voicedSamples(30000, 100);
    const auto path = writeWave("speech.wav", wavetest::waveFile(11025, 1, 16, sixteenBit(voiced)));
    EXPECT_EQ(playWaveFile(path), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    EXPECT_EQ(fake::deviceOpens()[0].bits, 8u);
    EXPECT_EQ(fake::deviceOpens()[0].channels, 1u);
    const Bytes played = fake::allPlayedBytes();
    EXPECT_GT(played.size(), 30000u * 45 / 100);
    EXPECT_LT(played.size(), 30000u * 55 / 100);
    // The start of the sound before the first pitch peak is the converted sound itself.
    EXPECT_TRUE(std::equal(voiced.begin(), voiced.begin() + 200, played.begin()));
}

TEST_F(WaveOutput, TrimLeavesStereoAndUntrimmedSoundAlone) {
    struct Case {
        std::uint16_t channels, bits;
        bool trim;
    };
    const Case cases[] = {{2, 16, true}, {2, 8, true}, {1, 16, false}};
    for (const Case& c : cases) {
        fake::resetWaveDevice();
        setTrimSpeech(c.trim);
        const Bytes samples = wavetest::rampSamples(40000, 11);
        const auto path = writeWave("s.wav", wavetest::waveFile(16000, c.channels, c.bits, samples));
        EXPECT_EQ(playWaveFile(path), 0);
        ASSERT_EQ(fake::deviceOpens().size(), 1u);
        EXPECT_EQ(fake::deviceOpens()[0].bits, c.bits);
        EXPECT_EQ(fake::deviceOpens()[0].channels, c.channels);
        Bytes expected = samples;
        if (c.channels == 1 && c.bits == 8) expected.back() = 128;
        EXPECT_EQ(fake::allPlayedBytes(), expected) << c.channels << " " << c.bits;
    }
}

TEST_F(WaveOutput, AFormatChangeDrainsAndReopensTheDevice) {
    const auto first = writeWave("a.wav", wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(3000, 1)));
    Bytes buffer(44 + 1000);
    makeWaveHeader(buffer.data(), 1000, 16000, 1, 16);
    fake::holdCompletions(true);
    playWaveBuffer(buffer.data());  // still queued when the next sound comes
    EXPECT_EQ(fake::blocksOnDevice(), 1);
    fake::holdCompletions(false);
    EXPECT_EQ(playWaveFile(first), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 2u);
    EXPECT_EQ(fake::deviceOpens()[0].rate, 16000u);
    EXPECT_EQ(fake::deviceOpens()[0].bits, 16u);
    EXPECT_EQ(fake::deviceOpens()[1].rate, 11025u);
    EXPECT_EQ(fake::deviceOpens()[1].bits, 8u);
    EXPECT_EQ(fake::deviceOpens()[0].blocks.size(), 1u);
    EXPECT_EQ(fake::waveDeviceResets(), 0);  // drained, not cut off
    EXPECT_EQ(fake::waveDeviceClosesWithBlocksOut(), 0);
}

TEST_F(WaveOutput, TheSameFormatKeepsTheDeviceOpen) {
    Bytes buffer(44 + 500);
    makeWaveHeader(buffer.data(), 500, 11025, 1, 8);
    fake::holdCompletions(true);
    playWaveBuffer(buffer.data());
    playWaveBuffer(buffer.data());
    EXPECT_EQ(fake::deviceOpens().size(), 1u);
    EXPECT_EQ(fake::blocksOnDevice(), 2);
    fake::holdCompletions(false);
    while (isPlaying()) waitForMessage();
    EXPECT_EQ(fake::deviceOpens()[0].blocks.size(), 2u);
}

TEST_F(WaveOutput, SoundsOfOneFormatShareOneOpenUntilTheDeviceIdlesFor400Milliseconds) {
    const auto file = writeWave("w.wav", wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(700, 3)));
    EXPECT_EQ(playWaveFile(file), 0);  // each sound ends before the next, as in speech
    sleepPumping(250);
    playBuffer(wavetest::rampSamples(900, 5), 11025, 1, 8);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    EXPECT_EQ(fake::deviceOpens()[0].blocks.size(), 2u);
    EXPECT_EQ(fake::timerSetFor(), 400u);
    EXPECT_TRUE(fake::fireTimer());
    EXPECT_EQ(std::make_pair(fake::waveDeviceCloses(), fake::waveDeviceResets()), std::make_pair(1, 0));
}

TEST_F(WaveOutput, TheDeviceReopensOnlyWhenTheFormatChanges) {
    const WaveFormat sounds[] = {{11025, 1, 8}, {11025, 1, 8}, {16000, 1, 16}, {16000, 1, 16}, {11025, 1, 8}};
    for (const WaveFormat& f : sounds) playBuffer(wavetest::rampSamples(600), f.rate, f.channels, f.bits);
    std::vector<std::pair<int, std::size_t>> opens;  // bits and blocks of each open
    for (const auto& open : fake::deviceOpens()) opens.emplace_back(open.bits, open.blocks.size());
    EXPECT_EQ(opens, (std::vector<std::pair<int, std::size_t>>{{8, 2}, {16, 2}, {8, 1}}));
}

TEST_F(WaveOutput, AKeyStopsTheDeviceKeptOpenAtTheNextBusyTest) {
    playBuffer(wavetest::rampSamples(600), 11025, 1, 8);  // idle, still open
    fake::holdCompletions(true);
    Bytes buffer(44 + 3000, 7);
    makeWaveHeader(buffer.data(), 3000, 11025, 1, 8);
    playWaveBuffer(buffer.data());
    fake::queueKey('x');
    EXPECT_FALSE(isPlaying());
    EXPECT_TRUE(fake::sleepCalls().empty());  // at once, without waiting
    EXPECT_EQ(std::make_tuple(fake::waveDeviceResets(), fake::timerSetFor(), fake::waveDeviceIsOpen()),
              std::make_tuple(1, 0u, false));
}

TEST_F(WaveOutput, ABusyDeviceIsTriedAgainEvery100MillisecondsUpToAHundredTimes) {
    struct Case {
        const char* name;
        std::vector<int> results;
        int expected;
        int attempts;
        bool opened;
    };
    std::vector<int> hundredBusy(100, 4);
    std::vector<int> busyThenFree(99, 4);
    busyThenFree.push_back(0);
    const Case cases[] = {
        {"busy twice", {4, 4, 0}, 0, 3, true},
        {"always busy", hundredBusy, 4, 100, false},
        {"free on the last attempt", busyThenFree, 0, 100, true},
        {"other error at once", {2}, 2, 1, false},
        {"busy then another error", {4, 32}, 32, 2, false},
    };
    for (const Case& c : cases) {
        fake::resetConsole();
        fake::resetWaveDevice();
        fake::setDeviceOpenResults(c.results);
        Bytes samples = wavetest::rampSamples(400);
        EXPECT_EQ(playSamples(samples.data(), 400, 11025, 1, 8), c.expected) << c.name;
        EXPECT_EQ(fake::deviceOpenAttempts(), c.attempts) << c.name;
        EXPECT_EQ(fake::sleepCalls(), std::vector<unsigned>(c.attempts - 1, 100)) << c.name;
        EXPECT_EQ(fake::deviceOpens().size(), c.opened ? 1u : 0u) << c.name;
        EXPECT_EQ(deviceOpenFailed(), !c.opened) << c.name;  // the program's exit code tells
        if (c.opened) {
            EXPECT_EQ(fake::deviceOpens()[0].blocks.size(), 1u) << c.name;
        }
        while (isPlaying()) waitForMessage();
    }
}

TEST_F(WaveOutput, AnOpenErrorFromAFileIsReturnedAndNothingPlays) {
    fake::setDeviceOpenResults({32});
    const auto path = writeWave("x.wav", wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(70000)));
    EXPECT_EQ(playWaveFile(path), 32);
    EXPECT_EQ(fake::deviceOpenAttempts(), 1);
    EXPECT_TRUE(fake::deviceOpens().empty());
}

TEST_F(WaveOutput, ABlockComingBackWithAnErrorIsReportedAndAcknowledgedWithEnter) {
    struct Case {
        int code;
        std::string text;
    };
    const Case cases[] = {
        {5, "Specified device handle is invalid."},
        {6, "No device driver is present."},
        {7, "Unable to allocate or lock memory."},
        {33, "The data block pointed to by the pwh parameter is still in queue"},
        {11, ""},  // no text, but the user still acknowledges
    };
    for (const Case& c : cases) {
        fake::resetConsole();
        fake::resetWaveDevice();
        fake::holdCompletions(true);
        Bytes samples = wavetest::rampSamples(300);
        ASSERT_EQ(playSamples(samples.data(), 300, 11025, 1, 8), 0);
        fake::setUnprepareResult(c.code);
        fake::queueKeys("ab\r");
        stopPlayback();  // the reset hands the block back through the done handler
        EXPECT_EQ(fake::consoleOutput(), c.text + "ab\r\n") << c.code;
        EXPECT_EQ(fake::queuedKeyCount(), 0) << c.code;
        EXPECT_FALSE(isPlaying());
        EXPECT_EQ(fake::lockedBlocks(), 0);
    }
}

TEST_F(WaveOutput, ABlockComingBackWithoutErrorWritesNothingAndReadsNoKey) {
    Bytes samples = wavetest::rampSamples(300);
    fake::holdCompletions(true);
    ASSERT_EQ(playSamples(samples.data(), 300, 11025, 1, 8), 0);
    fake::queueKey('\r');
    stopPlayback();
    EXPECT_EQ(fake::consoleOutput(), "");
    EXPECT_EQ(fake::queuedKeyCount(), 1);
    EXPECT_EQ(fake::waveDeviceResets(), 1);
    EXPECT_EQ(fake::waveDeviceClosesWithBlocksOut(), 0);
}

TEST_F(WaveOutput, AKeyPendingBeforeAFilePlaysNothing) {
    const auto path = writeWave("k.wav", wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(1000)));
    fake::queueKey('x');
    EXPECT_EQ(playWaveFile(path), 0);
    EXPECT_EQ(fake::deviceOpenAttempts(), 0);
    EXPECT_EQ(fake::queuedKeyCount(), 1);  // the key stays for the caller
}

TEST_F(WaveOutput, AKeyDuringALongFileStopsTheDeviceAndLaterPlaysWork) {
    const Bytes samples = wavetest::rampSamples(10 * 65534, 9);
    const auto path = writeWave("long.wav", wavetest::waveFile(11025, 1, 8, samples));
    fake::holdCompletions(true);  // the device is slower than the program
    fake::queueKeyAfterPumps(6, 'x');
    EXPECT_EQ(playWaveFile(path), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    const auto played = fake::deviceOpens()[0].blocks.size();
    EXPECT_GE(played, 1u);
    EXPECT_LE(played, 4u);  // never more than four blocks in flight
    EXPECT_EQ(fake::waveDeviceResets(), 1);
    EXPECT_FALSE(fake::waveDeviceIsOpen());
    EXPECT_EQ(fake::queuedKeyCount(), 1);

    // While the key waits, every play ends at once.
    EXPECT_EQ(playWaveFile(path), 0);
    EXPECT_EQ(fake::deviceOpens().size(), 1u);

    readKey();
    fake::holdCompletions(false);
    const auto shortPath = writeWave("short.wav", wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(2000, 4)));
    EXPECT_EQ(playWaveFile(shortPath), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 2u);
    EXPECT_EQ(fake::deviceOpens()[1].bytes().size(), 2000u);
}

TEST_F(WaveOutput, AFullRingWaitsForAFreeBlockInTenMillisecondSteps) {
    const Bytes samples = wavetest::rampSamples(6 * 65534, 2);
    Bytes copy = samples;
    fake::holdCompletions(true);
    fake::queueKeyAfterPumps(20, 'x');
    EXPECT_EQ(playSamples(copy.data(), static_cast<std::uint32_t>(copy.size()), 11025, 1, 8), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    EXPECT_EQ(fake::deviceOpens()[0].blocks.size(), 4u);
    ASSERT_FALSE(fake::sleepCalls().empty());
    for (unsigned ms : fake::sleepCalls()) EXPECT_EQ(ms, 10u);
    EXPECT_EQ(fake::waveDeviceResets(), 1);
    // The four blocks went out in order, each a whole piece.
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(std::equal(samples.begin() + i * 65534, samples.begin() + (i + 1) * 65534,
                               fake::deviceOpens()[0].blocks[i].begin()));
}

TEST_F(WaveOutput, ARefusedBlockIsNotCountedAndItsBlockIsUsedNext) {
    Bytes samples = wavetest::rampSamples(1000, 6);
    fake::setWritesAccepted(false);
    EXPECT_EQ(playSamples(samples.data(), 1000, 11025, 1, 8), 0);
    EXPECT_EQ(fake::lockedBlocks(), 0);
    EXPECT_FALSE(isPlaying());

    // Three blocks out, one refused: the refused block is the next one used,
    // not the oldest block still on the device.
    fake::setWritesAccepted(true);
    fake::holdCompletions(true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(playSamples(samples.data(), 1000, 11025, 1, 8), 0);
    fake::setWritesAccepted(false);
    EXPECT_EQ(playSamples(samples.data(), 1000, 11025, 1, 8), 0);
    EXPECT_EQ(fake::lockedBlocks(), 3);
    fake::setWritesAccepted(true);
    EXPECT_EQ(playSamples(samples.data(), 1000, 11025, 1, 8), 0);
    EXPECT_EQ(fake::lockedBlocks(), 4);  // four different blocks, none used twice
    EXPECT_EQ(fake::blocksOnDevice(), 4);
    fake::holdCompletions(false);
    while (isPlaying()) waitForMessage();
    EXPECT_EQ(fake::allPlayedBytes().size(), 4000u);
}

TEST_F(WaveOutput, MissingOrMalformedFilesGiveMinusOneAndPlayNothing) {
    const std::string fmt = wavetest::chunk("fmt ", wavetest::formatBody(11025, 1, 8));
    struct Case {
        const char* name;
        std::string image;
    };
    const Case cases[] = {
        {"zero length", ""},
        {"not RIFF", "RIFX" + wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(10)).substr(4)},
        {"no format", "RIFF\x04\x01\x02\x03WAVE" + wavetest::chunk("data", "abc")},
        {"format cut short", std::string("RIFF\x04\x01\x02\x03WAVEfmt \x10\x00\x00\x00", 20) + "abcd"},
        {"no data", "RIFF\x04\x01\x02\x03WAVE" + fmt + wavetest::chunk("LIST", "abcd")},
        {"0 channels", wavetest::waveFile(11025, 0, 8, {1, 2})}, {"0 bits", wavetest::waveFile(11025, 1, 0, {1, 2})},
        {"rate 999", wavetest::waveFile(999, 1, 8, {1, 2})},     {"rate 192001", wavetest::waveFile(192001, 1, 8, {1, 2})},
    };
    for (const Case& c : cases) {
        const auto path = writeWave("bad.wav", c.image);
        EXPECT_EQ(playWaveFile(path), -1) << c.name;
        EXPECT_EQ(fake::deviceOpenAttempts(), 0) << c.name;
    }
    Bytes samples(300, 100);  // nor are samples in a format no device takes
    EXPECT_EQ(playSamples(samples.data(), 300, 11025, 3, 8) + playSamples(samples.data(), 300, 11025, 1, 24), 64);
    EXPECT_EQ(playWaveFile(folder + "/missing.wav"), -1);
    EXPECT_EQ(fake::deviceOpenAttempts(), 0);
    EXPECT_EQ(fake::consoleOutput(), "");
}

TEST_F(WaveOutput, TruncatedAndEmptyDataPlayWhatIsThere) {
    // Announces 100000 bytes, holds 70000: both pieces that exist are played.
    std::string image = wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(70000, 8));
    image[40] = static_cast<char>(0xA0);
    image[41] = static_cast<char>(0x86);
    image[42] = 0x01;  // 100000
    const auto path = writeWave("cut.wav", image);
    EXPECT_EQ(playWaveFile(path), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    ASSERT_EQ(fake::deviceOpens()[0].blocks.size(), 2u);
    EXPECT_EQ(fake::deviceOpens()[0].blocks[0].size(), 65534u);
    EXPECT_EQ(fake::deviceOpens()[0].blocks[1].size(), 70000u - 65534u);

    fake::resetWaveDevice();
    const auto empty = writeWave("empty.wav", wavetest::waveFile(11025, 1, 8, {}));
    EXPECT_EQ(playWaveFile(empty), 0);
    EXPECT_EQ(fake::deviceOpenAttempts(), 0);
}

// A host of its own (an installer's hidden window, say): the device reports to
// its window, playback sleeps through its waits and stops on the question
// handed in, and a block's error is the host's to show.
TEST_F(WaveOutput, PlaysThroughTheHostItWasStartedWith) {
    static int window;  // its address stands for the host's window
    static std::vector<unsigned> sleeps;
    static std::vector<std::string> errors;
    sleeps.clear(), errors.clear();  // the lambdas need them static; a repeated run starts empty
    PlaybackHost host = consolePlaybackHost();  // its pumps bring the fake device's blocks back
    host.deviceWindow = [] { return consolePlaybackHost().deviceWindow(), static_cast<void*>(&window); };
    host.sleepPumping = [](std::uint16_t milliseconds) { sleeps.push_back(milliseconds), pumpMessages(); };
    host.showDeviceError = [](const char* text) { errors.emplace_back(text); };
    waveOutputStart(host);
    setPlaybackStopQuestion([] { return sleeps.size() == 3; });

    Bytes samples = wavetest::rampSamples(6 * 65534, 2);
    fake::holdCompletions(true);  // the ring fills and playback waits for a free block
    fake::setUnprepareResult(7);
    EXPECT_EQ(playSamples(samples.data(), static_cast<std::uint32_t>(samples.size()), 11025, 1, 8), 0);
    ASSERT_EQ(fake::deviceOpens().size(), 1u);
    EXPECT_EQ(fake::deviceOpens()[0].window, &window);
    EXPECT_EQ(sleeps, std::vector<unsigned>({10, 10, 10}));
    EXPECT_TRUE(fake::sleepCalls().empty());
    // The stop's reset handed the four blocks back, each with the device's error.
    EXPECT_EQ(errors, std::vector<std::string>(4, "Unable to allocate or lock memory."));
    EXPECT_EQ(fake::consoleOutput(), "");
    onBlockDone(1);  // a late notice from the closed device
    EXPECT_EQ(errors.size(), 4u);
}

}  // namespace
