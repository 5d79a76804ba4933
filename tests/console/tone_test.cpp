// The looped tone's memory image: header and square-wave samples.
#include "console/tone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

std::uint32_t read32(const std::vector<unsigned char>& w, std::size_t at) {
    return w[at] | w[at + 1] << 8 | w[at + 2] << 16 | static_cast<std::uint32_t>(w[at + 3]) << 24;
}

// The wave described sample by sample: sample i belongs to the last cycle
// that starts at or before it; the first half period of a cycle is low, the
// rest high; the sample before the end is the middle level.
struct Model {
    std::uint32_t count;
    std::vector<unsigned char> samples;
};

Model model(unsigned f) {
    const unsigned p = 11025 / f;
    auto cycleStart = [f](std::uint64_t k) { return static_cast<unsigned>(k * 11025 / f); };
    std::uint64_t cycles = 0;
    while (44 + cycleStart(cycles) <= 11025 - p) ++cycles;
    Model m{cycleStart(cycles), {}};
    for (unsigned i = 0; i < m.count; ++i) {
        std::uint64_t k = static_cast<std::uint64_t>(i) * f / 11025;  // a first guess, then adjust
        while (k + 1 < cycles && cycleStart(k + 1) <= i) ++k;
        while (cycleStart(k) > i) --k;
        m.samples.push_back(i - cycleStart(k) < p / 2 ? 96 : 160);
    }
    if (m.count > 0) m.samples.back() = 128;
    return m;
}

TEST(ToneWave, Header800Hz) {
    std::vector<unsigned char> w = makeToneWave(800);
    // 11025 div 800 = 13 samples a period; cycle 796 starts at 10969 and no
    // longer fits (44 + 10969 > 11025 - 13), so the wave has 10969 samples.
    ASSERT_EQ(w.size(), 44u + 10969u);
    const unsigned char header[44] = {
        'R', 'I', 'F', 'F', 0xFD, 0x2A, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
        16, 0, 0, 0, 1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0,
        1, 0, 8, 0, 'd', 'a', 't', 'a', 0xD9, 0x2A, 0, 0};
    EXPECT_EQ(std::vector<unsigned char>(w.begin(), w.begin() + 44),
              std::vector<unsigned char>(header, header + 44));
}

TEST(ToneWave, FirstCyclesOf800HzByHand) {
    std::vector<unsigned char> w = makeToneWave(800);
    // Cycles start at 0, 13 (13.78), 27 (27.56), 41 (41.34): six low samples each,
    // then high until the next start.
    std::vector<unsigned char> expected;
    for (int start : {0, 13, 27}) {
        int next = start == 0 ? 13 : start == 13 ? 27 : 41;
        for (int i = start; i < next; ++i) expected.push_back(i - start < 6 ? 96 : 160);
    }
    EXPECT_EQ(std::vector<unsigned char>(w.begin() + 44, w.begin() + 44 + 41), expected);
    // The end: the last cycle started at 10956 and its high part reaches 10969,
    // past the end; the last sample played is the middle level.
    std::vector<unsigned char> tail(w.end() - 14, w.end());
    std::vector<unsigned char> expectedTail = {160, 96, 96, 96, 96, 96, 96, 160, 160, 160, 160, 160, 160, 128};
    EXPECT_EQ(tail, expectedTail);
}

TEST(ToneWave, MatchesTheSampleModel) {
    for (unsigned f : {2u, 3u, 100u, 400u, 440u, 800u, 1600u, 3000u, 5512u, 5513u, 7000u, 11025u,
                       11026u, 20000u, 65535u}) {
        SCOPED_TRACE(f);
        std::vector<unsigned char> w = makeToneWave(static_cast<std::uint16_t>(f));
        Model m = model(f);
        ASSERT_EQ(w.size(), 44u + m.count);
        EXPECT_LE(w.size(), 11071u);
        EXPECT_EQ(read32(w, 4), m.count + 36);
        EXPECT_EQ(read32(w, 40), m.count);
        EXPECT_TRUE(std::equal(w.begin() + 44, w.end(), m.samples.begin()));
    }
}

TEST(ToneWave, Edges) {
    // 1 Hz: a whole period does not fit after the header, so no samples at all.
    std::vector<unsigned char> one = makeToneWave(1);
    ASSERT_EQ(one.size(), 44u);
    EXPECT_EQ(read32(one, 40), 0u);
    EXPECT_EQ(read32(one, 4), 36u);
    // 2 Hz: one cycle of 5512 samples, half low, half high, the last one middle.
    std::vector<unsigned char> two = makeToneWave(2);
    ASSERT_EQ(two.size(), 44u + 5512u);
    EXPECT_EQ(two[44], 96);
    EXPECT_EQ(two[44 + 2755], 96);
    EXPECT_EQ(two[44 + 2756], 160);
    EXPECT_EQ(two[44 + 5510], 160);
    EXPECT_EQ(two[44 + 5511], 128);
    // Above 11025 Hz a period has no whole sample: a constant level, no tone.
    std::vector<unsigned char> high = makeToneWave(30000);
    ASSERT_EQ(high.size(), 44u + 10982u);
    EXPECT_EQ(std::count(high.begin() + 44, high.end() - 1, 160), 10981);
    EXPECT_EQ(high.back(), 128);
    // Frequency 0 has no period at all.
    EXPECT_TRUE(makeToneWave(0).empty());
}

}  // namespace
