// The default voice's unit inventory against what the synthesizer asks for,
// and the generator's signal steps.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "../../tools/make_diphones_signal.h"
#include "../../tools/make_diphones_units.h"
#include "diphone/phoneme_walker.h"

namespace {

// Walks phoneme strings against the inventory's names, collecting every unit
// that would end in noise or be left out.
class InventorySink : public UnitSink {
public:
    explicit InventorySink(const std::set<std::string>& names) : names_(names) {}
    bool appendDiphone(const std::string& name, int, double) override {
        std::string upper = diphones::upper(name);
        if (names_.count(upper)) return true;
        last_ = upper;
        return false;
    }
    bool appendRecording(const std::string&) override { return true; }
    void appendSilence(int) override {}
    void appendNoise() override { missing.insert(last_); }
    void unitOmitted(const std::string& name) override { missing.insert(name); }
    std::set<std::string> missing;

private:
    const std::set<std::string>& names_;
    std::string last_;
};

std::set<std::string> inventoryNames() {
    std::set<std::string> names;
    for (const auto& unit : diphones::unitInventory()) names.insert(unit.name);
    return names;
}

TEST(DiphoneInventory, NamesAreShortUpperCaseAndUnique) {
    std::vector<diphones::UnitSpec> units = diphones::unitInventory();
    std::set<std::string> names;
    for (const auto& unit : units) {
        EXPECT_LE(unit.name.size(), 8u) << unit.name;
        EXPECT_EQ(unit.name[0], '$') << unit.name;
        EXPECT_EQ(unit.name, diphones::upper(unit.name)) << unit.name;
        EXPECT_TRUE(names.insert(unit.name).second) << "twice: " << unit.name;
        EXPECT_FALSE(unit.target.empty()) << unit.name;
    }
    for (const char* expected : {"$KA", "$TCHA", "$KECIRC", "$KATIL", "$A", "$ECIRC", "$ATIL", "$S", "$P", "$RR",
                                 "$AW", "$AY", "$OYTIL", "$AWTIL", "$NN", "$NHA", "$LYA", "$DJI", "$KSI", "$RRATIL"})
        EXPECT_TRUE(names.count(expected)) << expected;
}

TEST(DiphoneInventory, EverySyllableOfThePhonemeTableIsSaidWithoutNoise) {
    std::set<std::string> names = inventoryNames();
    const char* onsets[] = {"", "p", "b", "t", "d", "k", "g", "f", "v", "s", "z", "x", "j", "m", "n", "l", "r",
                            "rr", "nh", "ly", "tch", "dj", "ks", "pr", "bl", "tr", "fl", "gr", "kw", "gw"};
    const char* vowels[] = {"a", "e", "i", "o", "u", "a^", "e^", "o^", "a~", "e~", "i~", "o~", "u~",
                            "A", "E", "I", "O", "U", "A^", "E^", "O^", "A~", "E~", "I~", "O~", "U~"};
    const char* codas[] = {"", "s", "r", "rr", "l", "w", "y", "m", "n", "ws", "ys", "x", "z", "ks"};
    InventorySink sink(names);
    int syllables = 0;
    for (const char* onset : onsets)
        for (const char* vowel : vowels)
            for (const char* coda : codas) {
                std::string syllable = std::string(onset) + vowel + coda;
                walkPhonemes("[ta " + syllable + "]", false, 0, sink);
                walkPhonemes("[" + syllable + "]", false, 0, sink);
                ++syllables;
            }
    EXPECT_GT(syllables, 10000);
    std::string missing;
    for (const std::string& name : sink.missing) missing += name + " ";
    EXPECT_EQ(missing, "");
}

std::vector<float> sine(double frequency, std::size_t count) {
    std::vector<float> s(count);
    for (std::size_t i = 0; i < count; ++i)
        s[i] = static_cast<float>(0.5 * std::sin(2 * 3.14159265358979 * frequency * i / 22050.0));
    return s;
}

double rms(const std::vector<float>& s, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += s[i] * s[i];
    return std::sqrt(sum / (to - from));
}

// Where units are cut: a vowel's fading end is left out, a stop's closure
// silence is taken in front of its burst, both within their limits.
TEST(DiphoneSignal, UnitsEndBeforeTheFadeAndStopsKeepTheirClosure) {
    std::vector<float> fading(1000, 0.0f), burst(1000, 0.5f);
    std::fill(fading.begin(), fading.begin() + 600, 0.5f);
    std::fill(fading.begin() + 600, fading.begin() + 800, 0.1f);
    std::fill(burst.begin(), burst.begin() + 300, 0.0f);
    struct Case {
        bool closure;
        std::size_t at, most, expected;
    } cases[] = {
        {false, 800, 330, 605},  // three quiet frames of 55 go, with the rest after the last whole frame
        {false, 800, 110, 660},  // no more than `most`
        {false, 600, 330, 600},  // nothing quiet: the end stays
        {true, 300, 660, 25},    // back over the silence, whole frames only
        {true, 300, 110, 190},
        {true, 500, 660, 500},   // sound right before: the start stays
    };
    for (const Case& c : cases) {
        std::size_t got = c.closure ? diphones::closureStart(burst, c.at, diphones::unitLoudness(burst, 55), 55, c.most)
                                    : diphones::endBeforeFade(fading, 0, c.at, 55, c.most);
        EXPECT_EQ(got, c.expected) << c.closure << " " << c.at << " " << c.most;
    }
    EXPECT_FLOAT_EQ(diphones::unitLoudness(fading, 55), 0.5f);
    EXPECT_EQ(diphones::unitLoudness({0.3f}, 55), 0.0f);  // shorter than a frame
}

TEST(DiphoneSignal, HalvingTheRateKeepsSpeechAndRemovesWhatCannotBeHeld) {
    struct Case {
        double frequency;
        double minimumGain, maximumGain;
    } cases[] = {{300, 0.97, 1.03}, {1000, 0.97, 1.03}, {3000, 0.95, 1.03}, {7000, 0, 0.01}, {9000, 0, 0.01}};
    for (const Case& c : cases) {
        std::vector<float> in = sine(c.frequency, 22050);
        std::vector<float> out = diphones::halveRate(in);
        ASSERT_EQ(out.size(), 11025u);
        double gain = rms(out, 500, 10500) / rms(in, 1000, 21000);
        EXPECT_GE(gain, c.minimumGain) << c.frequency;
        EXPECT_LE(gain, c.maximumGain) << c.frequency;
    }
    EXPECT_TRUE(diphones::halveRate({}).empty());
    EXPECT_EQ(diphones::halveRate({1.0f}).size(), 0u);
}

TEST(DiphoneSignal, CutPointsMoveToTheNearestSignChange) {
    std::vector<float> s = {0.5f, 0.4f, 0.3f, -0.1f, -0.2f, -0.3f, -0.4f, 0.2f, 0.3f};
    struct Case {
        std::size_t at, reach, expected;
    } cases[] = {{3, 2, 3}, {4, 2, 3}, {5, 1, 5}, {5, 2, 3}, {6, 3, 7}, {0, 0, 0}, {20, 2, 9}, {1, 5, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(diphones::nearestZeroCrossing(s, c.at, c.reach), c.expected) << c.at << " " << c.reach;
}

TEST(DiphoneSignal, EightBitSamplesAreCentredClampedAndFaded) {
    std::vector<float> flat(40, 0.5f);
    std::vector<unsigned char> out = diphones::toUnsigned8(flat, 100.0f, 4);
    EXPECT_EQ(out[0], 128);
    EXPECT_EQ(out[2], 153);  // half of the fade: 128 + 50 * 0.5
    EXPECT_EQ(out[20], 178);
    EXPECT_EQ(out[39], 128);
    std::vector<unsigned char> loud = diphones::toUnsigned8({2.0f, -2.0f, 0.0f}, 100.0f, 0);
    EXPECT_EQ(loud, (std::vector<unsigned char>{255, 0, 128}));
    EXPECT_TRUE(diphones::toUnsigned8({}, 1.0f, 16).empty());
    EXPECT_FLOAT_EQ(diphones::magnitudePercentile({{0.1f, -0.9f}, {0.3f, 0.2f}}, 0.5), 0.3f);
    EXPECT_FLOAT_EQ(diphones::magnitudePercentile({}, 0.5), 0.0f);
}

}  // namespace
