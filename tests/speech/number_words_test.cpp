// Number words as text, and the player that joins their recorded files.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "fakes/fake_wave_device.h"
#include "speech/speech_fixture.h"
#include "speech/test_sounds.h"

namespace {

TEST(NumberWords, AsText) {
    struct Case {
        unsigned long long n;
        const char* words;
    } cases[] = {
        {0, "zero"},
        {1, "um"},
        {3, "tres"},
        {10, "dez"},
        {14, "quatorze"},
        {16, "dezesseis"},
        {17, "dezessete"},
        {20, "vinte"},
        {21, "vinte e um"},
        {50, "cinquenta"},
        {100, "cem"},
        {101, "cento e um"},
        {110, "cento e dez"},
        {115, "cento e quinze"},
        {120, "cento e vinte"},
        {200, "duzentos"},
        {400, "quatrocentos"},
        {999, "novecentos e noventa e nove"},
        {1000, "mil "},
        {1001, "mil e um"},
        {1100, "mil e cem"},
        {1234, "mil e duzentos e trinta e quatro"},
        {2000, "dois mil "},
        {2500, "dois mil e quinhentos"},
        {21000, "vinte e um mil "},
        {100000, "cem mil "},
        {101000, "cento e um mil "},
        {999999, "novecentos e noventa e nove mil e novecentos e noventa e nove"},
        {1000000, "um milh\xE3o "},
        {1000001, "um milh\xE3o e um"},
        {1001000, "um milh\xE3o e um mil "},
        {2000000, "dois milh\xF5" "es "},
        {1000000000, "um bilh\xE3o "},
        {3000000000ULL, "tres bilh\xF5" "es "},
        {1000000000000ULL, "um trilh\xE3o "},
        {7000000000005ULL, "sete trilh\xF5" "es e cinco"},
        {999999999999999ULL,
         "novecentos e noventa e nove trilh\xF5" "es novecentos e noventa e nove bilh\xF5" "es novecentos e noventa e "
         "nove milh\xF5" "es novecentos e noventa e nove mil e novecentos e noventa e nove"},
        // Only the lowest fifteen digits have words.
        {1000000000000001ULL, "um"},
    };
    for (const Case& c : cases) EXPECT_EQ(numberToWords(c.n), c.words) << c.n;
}

TEST(NumberWords, Triples) {
    struct Case {
        const char* digits;
        const char* words;
    } cases[] = {{"000", ""},           {"100", "cem"},          {"001", "um"},
                 {"010", "dez"},        {"019", "dezenove"},     {"090", "noventa"},
                 {"091", "noventa e um"}, {"300", "trezentos"},  {"305", "trezentos e cinco"},
                 {"310", "trezentos e dez"}, {"340", "trezentos e quarenta"},
                 {"111", "cento e onze"}, {"199", "cento e noventa e nove"}};
    for (const Case& c : cases) EXPECT_EQ(tripleWords(c.digits[0], c.digits[1], c.digits[2]), c.words) << c.digits;
}

class NumberWordPlayer : public SpeechInstallation {
protected:
    void SetUp() override {
        SpeechInstallation::SetUp();
        fake::resetWaveDevice();
        installSettings("");
        startSpeech(3, "");
        platform::setCurrentDirectory(letters_);
    }
    void TearDown() override {
        finishSpeech();
        SpeechInstallation::TearDown();
    }
    std::vector<unsigned char> word(const std::string& base, std::size_t samples) {
        return writeTestSound(letters_ + "/" + base + ".wav", samples, nextValue_++);
    }
    unsigned char nextValue_ = 1;
};

std::vector<unsigned char> joined(std::initializer_list<std::vector<unsigned char>> parts) {
    std::vector<unsigned char> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(NumberWordPlayer, PlaysTheFilesOfTheWords) {
    auto um = word("_um", 300), mil = word("_mil", 300), milhao = word("_milhao", 300),
         dezeset = word("_dezeset", 300), dezesse = word("_dezesse", 300), quatorz = word("_quatorz", 300),
         quatroc = word("_quatroc", 300), e = word("_e", 300), cento = word("_cento", 300);
    struct Case {
        unsigned long long n;
        std::vector<unsigned char> sound;
    } cases[] = {{17, dezeset},     {16, dezesse},        {14, quatorz},
                 {400, quatroc},    {1000, mil},          {1000000, joined({um, milhao})},
                 {101, joined({cento, e, um})}};
    for (const Case& c : cases) {
        fake::resetWaveDevice();
        playNumberWords(numberToWords(c.n));
        EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), withoutSilence(c.sound)) << c.n;
        EXPECT_EQ(fake::deviceOpens().size(), 1u) << c.n;  // one joined buffer
    }
}

TEST_F(NumberWordPlayer, MissingOrMalformedWordFileIsSkipped) {
    auto cento = word("_cento", 300), um = word("_um", 300);
    writeTestSound(letters_ + "/_e.wav", 300, 7);
    std::fstream(letters_ + "/_e.wav", std::ios::in | std::ios::out | std::ios::binary).seekp(22).put(0);  // 0 channels
    playNumberWords(numberToWords(121));  // cento e vinte e um: "_e" malformed, no "_vinte"
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), withoutSilence(joined({cento, um})));
}

TEST_F(NumberWordPlayer, BuffersAreSplitBetweenWordsNeverInside) {
    // 12000 + 12000 fit (24000); the third word would pass 30000.
    auto novecen = word("_novecen", 12000), e = word("_e", 12000), noventa = word("_noventa", 12000),
         nove = word("_nove", 4000);
    playNumberWords(numberToWords(999));  // novecentos e noventa e nove
    std::vector<std::vector<unsigned char>> pieces = playedPieces();
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(withoutSilence(pieces[0]), withoutSilence(joined({novecen, e})));
    EXPECT_EQ(withoutSilence(pieces[1]), withoutSilence(joined({noventa, e, nove})));
}

TEST_F(NumberWordPlayer, ExactlyFullBufferIsOnePiece) {
    auto vinte = word("_vinte", 15000), e = word("_e", 10000), um = word("_um", 5000);
    playNumberWords(numberToWords(21));
    ASSERT_EQ(playedPieces().size(), 1u);
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), withoutSilence(joined({vinte, e, um})));
}

TEST_F(NumberWordPlayer, WordLongerThanTheBufferIsPlayedWholeOnItsOwn) {
    // 70000 samples: more than the buffer and more than a 16-bit count.
    auto cem = word("_cem", 700), mil = word("_mil", 70000);
    playNumberWords(numberToWords(100000));  // cem mil
    std::vector<std::vector<unsigned char>> pieces = playedPieces();
    ASSERT_GE(pieces.size(), 2u);
    EXPECT_EQ(withoutSilence(pieces[0]), withoutSilence(cem));
    EXPECT_EQ(withoutSilence(fake::allPlayedBytes()), withoutSilence(joined({cem, mil})));
}

TEST_F(NumberWordPlayer, NothingPlaysForAnEmptyText) {
    playNumberWords("");
    playNumberWords("   ");
    EXPECT_TRUE(fake::deviceOpens().empty());
}

TEST_F(NumberWordPlayer, KeyStopsTheSoundButEveryFileIsStillRead) {
    word("_vinte", 20000);
    word("_e", 20000);
    word("_um", 20000);
    fake::queueKey('x');
    playNumberWords(numberToWords(21));
    EXPECT_TRUE(fake::allPlayedBytes().empty());
    EXPECT_EQ(fake::queuedKeyCount(), 1);  // the key stays for the caller
}

}  // namespace
