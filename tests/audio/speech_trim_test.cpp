#include "audio/speech_trim.h"

#include <gtest/gtest.h>

#include <vector>

#include "audio/wave_test_support.h"

namespace {

std::uint32_t trim(std::vector<unsigned char>& s, std::uint16_t bits, std::uint32_t rate) {
    return trimSpeechPiece(s.data(), static_cast<std::uint32_t>(s.size()), bits, rate);
}

TEST(SpeechTrim, SixteenBitSamplesBecomeTheirHighByteUnsigned) {
    struct Case {
        std::uint16_t sample;
        unsigned char expected;
    };
    const Case cases[] = {
        {0x0000, 0x80}, {0x7FFF, 0xFF}, {0x8000, 0x00}, {0xFFFF, 0x7F}, {0x1234, 0x92}, {0xC0FF, 0x40},
    };
    std::vector<unsigned char> s;
    for (const Case& c : cases) {
        s.push_back(static_cast<unsigned char>(c.sample & 0xFF));
        s.push_back(static_cast<unsigned char>(c.sample >> 8));
    }
    ASSERT_EQ(trim(s, 16, 11025), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(s[i], cases[i].expected) << i;
}

TEST(SpeechTrim, PiecesBelowAThousandBytesAreLeftAlone) {
    struct Case {
        std::size_t bytes;
        std::uint16_t bits;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {999, 8, 999}, {1, 8, 1}, {0, 8, 0}, {1999, 16, 999}, {1998, 16, 999}, {1, 16, 0},
    };
    for (const Case& c : cases) {
        auto s = wavetest::voicedSamples(c.bytes, 100);
        const auto before = s;
        EXPECT_EQ(trim(s, c.bits, 11025), c.expected) << c.bytes;
        if (c.bits == 8) {
            EXPECT_EQ(s, before) << c.bytes;
        }
    }
}

// Voiced sound loses every other pitch period: what is left is whole periods,
// peak to peak, so the pitch stays while the length halves.
TEST(SpeechTrim, VoicedSoundKeepsItsPeriodsAndHalvesItsLength) {
    struct Case {
        std::uint32_t rate;
        std::size_t period;
        std::size_t firstPeak;  // the first pulse at or after the search start
    };
    const Case cases[] = {{11025, 100, 200}, {16000, 400, 800}, {22050, 400, 800}};
    for (const Case& c : cases) {
        const std::size_t n = 40000;
        const auto original = wavetest::voicedSamples(n, c.period);
        auto s = original;
        const std::uint32_t length = trim(s, 8, c.rate);
        EXPECT_GT(length, n * 45 / 100) << c.rate;
        EXPECT_LT(length, n * 55 / 100) << c.rate;
        // Everything before the first peak stays.
        for (std::size_t i = 0; i < c.firstPeak; ++i) ASSERT_EQ(s[i], original[i]) << c.rate << " at " << i;
        // Then copies of one period including both of its peaks.
        const std::size_t segment = c.period + 1;
        const std::size_t whole = (length - c.firstPeak) / segment - 1;
        ASSERT_GT(whole, 10u);
        for (std::size_t m = 0; m < whole * segment; ++m)
            ASSERT_EQ(s[c.firstPeak + m], original[(m % segment) % c.period]) << c.rate << " at " << m;
    }
}

std::vector<unsigned char> filled(std::size_t n, unsigned char value) { return std::vector<unsigned char>(n, value); }

std::vector<unsigned char> noise(std::size_t n, unsigned seed) {
    std::vector<unsigned char> s(n);
    for (auto& b : s) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<unsigned char>(seed >> 16);
    }
    return s;
}

// Input that stalls the peak search or lies at the edges of the windows: the
// trim must end, stay inside the piece and never grow it.
TEST(SpeechTrim, HostileInputEndsInsideThePiece) {
    struct Case {
        const char* name;
        std::vector<unsigned char> samples;
        std::uint32_t rate;
        std::uint32_t expected;  // 0: only the bounds are checked
    };
    const Case cases[] = {
        // Silence of zeros: no peak is ever found, nothing is dropped.
        {"zeros", filled(1000, 0), 11025, 1000},
        {"zeros long", filled(65534, 0), 11025, 65534},
        {"zeros other rate", filled(65534, 0), 16000, 65534},
        // Every byte equal: each window's first byte is its peak.  Four periods
        // of 81 bytes kept from 200, then the tail copies the loud rest.
        {"all 255", filled(1000, 255), 11025, 684},
        // Same periods, but the tail stops at once on silence (128).
        {"all 128", filled(1000, 128), 11025, 524},
        {"all 1", filled(1000, 1), 11025, 684},
        // Too short for the first search window at other rates.
        {"1000 at 16000", filled(1000, 255), 16000, 1000},
        {"1319 at 16000", filled(1319, 255), 16000, 1319},
        {"1320 at 16000", filled(1320, 255), 16000, 1320},
        {"1321 at 16000", noise(1321, 1), 16000, 0},
        {"1840 at 16000", filled(1840, 255), 16000, 0},
        {"1841 at 16000", filled(1841, 255), 16000, 0},
        {"rate 0", noise(5000, 2), 0, 0},
        {"noise", noise(65534, 3), 11025, 0},
        {"noise other rate", noise(65534, 4), 44100, 0},
        {"zeros after a pulse", [] {
             auto s = filled(4000, 0);
             s[300] = 200;
             return s;
         }(), 11025, 0},
    };
    for (const Case& c : cases) {
        // An exact-size heap copy: any access outside it is caught by the sanitizer.
        auto s = c.samples;
        const std::uint32_t length = trim(s, 8, c.rate);
        EXPECT_LE(length, c.samples.size()) << c.name;
        if (c.expected != 0) {
            EXPECT_EQ(length, c.expected) << c.name;
        }
    }
}

TEST(SpeechTrim, SixteenBitHostileInputEnds) {
    for (std::size_t n : {2000u, 2001u, 2640u, 2641u, 65534u}) {
        for (unsigned char v : {0x00, 0x80, 0xFF}) {
            std::vector<unsigned char> s(n, v);
            EXPECT_LE(trim(s, 16, 16000), n / 2) << n;
        }
    }
}

}  // namespace
