// Wave output through the real wave device, checked in the sound capture: the
// bytes each open of the device received, in order.  Under Wine the device
// keeps playing silence while it is open and idle, so a capture may end with
// more silence than was sent; the bytes sent are compared exactly, and what
// follows them must be silence.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "audio/speech_trim.h"
#include "audio/wave_output.h"
#include "audio/wave_test_support.h"
#include "console/console.h"
#include "console/console_playback.h"
#include "support/sound_capture.h"

namespace {

using Bytes = std::vector<unsigned char>;

class WaveOutputWine : public ::testing::Test {
protected:
    void SetUp() override {
        if (capture::folder().empty()) GTEST_SKIP() << "no sound capture (VOLTANOR_CAPTURE_DIR)";
        ensureConsoleWindow();
        while (keyPending()) readKey();
        waveOutputStart(consolePlaybackHost());
        setPlaybackStopQuestion(keyPending);  // a key in the window stops the sound
        first = capture::nextNumber();
    }
    void TearDown() override {
        setQuickPlayback(false);
        setTrimSpeech(false);
    }

    std::string writeWave(const std::string& name, const std::string& image) {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        std::string path = std::string(dir) + "voltanor-" + name;
        std::ofstream(path, std::ios::binary) << image;
        return path;
    }

    static void waitUntilIdle() {
        while (isPlaying()) waitForMessage();
    }

    // The records made since the test started.  The device stays open after
    // a sound; it is closed first, so that every file is complete.
    std::vector<capture::Record> played() {
        stopPlayback();
        return capture::since(first);
    }

    // Plays a .wav image from a file; the one capture record it made.
    capture::Record playFileOnce(const std::string& name, const std::string& image) {
        EXPECT_EQ(playWaveFile(writeWave(name, image)), 0);
        auto records = played();
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? capture::Record{} : records[0];
    }

    int first = 0;
};

// Wine's device plays silence whenever the next block comes late, anywhere in
// a stream, so the capture may hold silence the program never sent.  The
// capture matches `sounds` in order when each byte sent is there in turn, a
// sent silence as silence and a sent sample as that sample, with nothing but
// silence between them or after the last.  A sample that should have become
// silence, or silence that was never played, still shows.
void expectSoundsInOrder(const capture::Record& record, const std::vector<Bytes>& sounds, unsigned char silence) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < sounds.size(); ++n) {
        const Bytes& sound = sounds[n];
        for (std::size_t i = 0; i < sound.size(); ++i, ++at) {
            if (sound[i] != silence)
                while (at < record.bytes.size() && record.bytes[at] == silence) ++at;
            ASSERT_LT(at, record.bytes.size()) << "record " << record.number << " ends in sound " << n << " byte " << i;
            ASSERT_EQ(record.bytes[at], sound[i]) << "record " << record.number << " sound " << n << " byte " << i;
        }
    }
    for (; at < record.bytes.size(); ++at) ASSERT_EQ(record.bytes[at], silence) << "after the sounds, byte " << at;
}

// The capture holds `sent` and, apart from silence, nothing else.
void expectSentThenSilence(const capture::Record& record, const Bytes& sent, unsigned char silence) {
    expectSoundsInOrder(record, {sent}, silence);
}

void expectFormat(const capture::Record& record, std::uint32_t rate, int channels, const std::string& format) {
    EXPECT_EQ(record.rate, rate) << record.number;
    EXPECT_EQ(record.channels, channels) << record.number;
    EXPECT_EQ(record.format, format) << record.number;
}

Bytes waveBuffer(const Bytes& samples, std::uint32_t rate, std::uint16_t channels, std::uint16_t bits) {
    Bytes buffer(44 + samples.size());
    makeWaveHeader(buffer.data(), static_cast<std::uint32_t>(samples.size()), rate, channels, bits);
    std::copy(samples.begin(), samples.end(), buffer.begin() + 44);
    return buffer;
}

TEST_F(WaveOutputWine, AMono8BitFilePlaysExactlyItsDataChunk) {
    Bytes samples = wavetest::rampSamples(20000, 1);
    samples.back() = 128;  // a whole sound ends on silence anyway
    const auto record = playFileOnce("plain.wav", wavetest::waveFile(11025, 1, 8, samples, wavetest::chunk("LIST", "abcd")));
    EXPECT_FALSE(isPlaying());
    expectFormat(record, 11025u, 1, "U8");
    expectSentThenSilence(record, samples, 128);
}

// A short buffer is sent as a whole 256-byte block: the next buffer starts
// only after those 256 bytes.  A long sound goes first so that the device is
// still busy with it while the other two are queued.
TEST_F(WaveOutputWine, AShortBufferGoesOutAs256BytesEndingInSilence) {
    const Bytes lead = wavetest::rampSamples(20000, 14);
    const Bytes shortSamples = wavetest::rampSamples(100, 2);
    const Bytes next = wavetest::rampSamples(3000, 3);
    Bytes a = waveBuffer(lead, 11025, 1, 8), b = waveBuffer(shortSamples, 11025, 1, 8), c = waveBuffer(next, 11025, 1, 8);
    playWaveBuffer(a.data());
    playWaveBuffer(b.data());
    playWaveBuffer(c.data());
    waitUntilIdle();
    Bytes expectedLead = lead, expectedShort(256, 128), expectedNext = next;
    expectedLead.back() = 128;
    std::copy(shortSamples.begin(), shortSamples.begin() + 99, expectedShort.begin());
    expectedNext.back() = 128;
    const auto records = played();
    ASSERT_EQ(records.size(), 1u);
    expectSoundsInOrder(records[0], {expectedLead, expectedShort, expectedNext}, 128);
}

TEST_F(WaveOutputWine, AFullPieceKeepsItsLastSampleAShorterOneDoesNot) {
    const Bytes full = wavetest::rampSamples(65534, 4);
    const Bytes shorter = wavetest::rampSamples(65533, 5);
    const Bytes marker = wavetest::rampSamples(500, 6);
    Bytes a = waveBuffer(full, 11025, 1, 8), b = waveBuffer(shorter, 11025, 1, 8), c = waveBuffer(marker, 11025, 1, 8);
    playWaveBuffer(a.data());
    playWaveBuffer(b.data());
    playWaveBuffer(c.data());
    waitUntilIdle();
    Bytes expectedShorter = shorter, expectedMarker = marker;
    expectedShorter.back() = 128;
    expectedMarker.back() = 128;
    ASSERT_NE(full.back(), 128);
    const auto records = played();
    ASSERT_EQ(records.size(), 1u);
    expectSoundsInOrder(records[0], {full, expectedShorter, expectedMarker}, 128);
}

TEST_F(WaveOutputWine, A65600ByteDataChunkIsSplitIntoPiecesOf65278And322) {
    const Bytes samples = wavetest::rampSamples(65600, 7);
    const auto path = writeWave("split.wav", wavetest::waveFile(11025, 1, 8, samples));
    ASSERT_EQ(playWaveFile(path), 0);
    Bytes expected = samples;
    expected[65277] = 128;  // end of the first piece
    expected[65599] = 128;  // end of the second
    const auto records = played();
    ASSERT_EQ(records.size(), 1u);
    expectSentThenSilence(records[0], expected, 128);
}

TEST_F(WaveOutputWine, QuickPlaybackOpensTheDeviceAtOneAndAHalfTimesTheRate) {
    setQuickPlayback(true);
    Bytes samples = wavetest::rampSamples(4000, 8);
    samples.back() = 128;
    const auto record = playFileOnce("quick.wav", wavetest::waveFile(11025, 1, 8, samples));
    expectFormat(record, 16537u, 1, "U8");
    expectSentThenSilence(record, samples, 128);
}

TEST_F(WaveOutputWine, TrimmedSixteenBitMonoGoesOutAsEightBitAboutHalfAsLong) {
    setTrimSpeech(true);
    const Bytes voiced = wavetest::voicedSamples(30000, 100);
    Bytes sixteen;
    for (unsigned char b : voiced) {
        sixteen.push_back(0x33);
        sixteen.push_back(static_cast<unsigned char>(b ^ 0x80));
    }
    const auto record = playFileOnce("speech.wav", wavetest::waveFile(11025, 1, 16, sixteen));
    expectFormat(record, 11025u, 1, "U8");
    // The sound is one piece: what the trim keeps of it is what must go out.
    Bytes kept = sixteen;
    kept.resize(trimSpeechPiece(kept.data(), static_cast<std::uint32_t>(kept.size()), 16, 11025));
    kept.back() = 128;
    EXPECT_GT(kept.size(), 30000u * 45 / 100);
    EXPECT_LT(kept.size(), 30000u * 55 / 100);
    EXPECT_TRUE(std::equal(voiced.begin(), voiced.begin() + 200, kept.begin()));
    expectSentThenSilence(record, kept, 128);
}

TEST_F(WaveOutputWine, SixteenBitStereoGoesOutUnchangedEvenWithTrimOn) {
    setTrimSpeech(true);
    // Long enough for three blocks: every block boundary falls between frames.
    Bytes samples = wavetest::rampSamples(140000, 9);
    const auto record = playFileOnce("stereo.wav", wavetest::waveFile(16000, 2, 16, samples));
    expectFormat(record, 16000u, 2, "S16_LE");
    expectSentThenSilence(record, samples, 0);
}

TEST_F(WaveOutputWine, AFormatChangeGivesTwoOpensInOrder) {
    Bytes first8 = wavetest::rampSamples(3000, 10);
    first8.back() = 128;
    const Bytes then16 = wavetest::rampSamples(6000, 11);
    Bytes a = waveBuffer(first8, 11025, 1, 8), b = waveBuffer(then16, 16000, 1, 16);
    playWaveBuffer(a.data());
    playWaveBuffer(b.data());  // waits for the first sound to drain, then reopens
    waitUntilIdle();
    const auto records = played();
    ASSERT_EQ(records.size(), 2u);
    expectFormat(records[0], 11025u, 1, "U8");
    expectSentThenSilence(records[0], first8, 128);
    expectFormat(records[1], 16000u, 1, "S16_LE");
    expectSentThenSilence(records[1], then16, 0);
}

TEST_F(WaveOutputWine, AKeyWaitingInTheWindowStopsPlayingAtOnce) {
    const auto path = writeWave("key.wav", wavetest::waveFile(11025, 1, 8, wavetest::rampSamples(30000, 12)));
    PostMessageA(static_cast<HWND>(consoleWindowHandle()), WM_CHAR, 'x', 0);
    EXPECT_EQ(playWaveFile(path), 0);
    EXPECT_TRUE(keyPending());
    EXPECT_EQ(readKey(), 'x');
    EXPECT_TRUE(played().empty());
    // With the key read, sound plays again.
    Bytes samples = wavetest::rampSamples(1000, 13);
    samples.back() = 128;
    const auto again = writeWave("again.wav", wavetest::waveFile(11025, 1, 8, samples));
    ASSERT_EQ(playWaveFile(again), 0);
    const auto records = played();
    ASSERT_EQ(records.size(), 1u);
    expectSentThenSilence(records[0], samples, 128);
}

}  // namespace
