#include "translator/translator.h"

#include <gtest/gtest.h>

#include <string>

#include "translator/stress.h"
#include "translator/transliteration.h"
#include "translator/translator_test_files.h"

namespace {

using translator_test::identityRules;
using translator_test::writeTempFile;

class TranslatorWithoutRules : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loadRules(writeTempFile("none.rgr", ""))); }
    void TearDown() override { freeRules(); }
};

class TranslatorWithLetterRules : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loadRules(writeTempFile("letters.rgr", identityRules())));
        ASSERT_TRUE(loadExceptions(writeTempFile("empty.exc", "")));
    }
    void TearDown() override { freeRules(); }
};

TEST(Transliteration, BytesOfBothCodePages) {
    const struct {
        unsigned char byte;
        const char* spelling;
    } cases[] = {
        {0x80, "ss"},  {0x87, "ss"},  {0xC7, "ss"},   {0xE7, "ss"},  {0x81, "u\""}, {0x9A, "u\""},
        {0x82, "e'"},  {0xE9, "e'"},  {0x83, "a^"},   {0xE2, "a^"},  {0x84, "a~"},  {0xC4, "a~"},
        {0xE3, "a~"},  {0x85, "a`"},  {0xE0, "a`"},   {0xA0, "a'"},  {0xE1, "a'"},  {0x88, "e^"},
        {0xEA, "e^"},  {0xEB, "e\""}, {0x8A, "e`"},   {0xEF, "i\""}, {0xEE, "i^"},  {0xEC, "i`"},
        {0x91, "ae"},  {0xE6, "ae"},  {0x92, "-"},    {0xF4, "o^"},  {0x94, "o~"},  {0x99, "o~"},
        {0xF5, "o~"},  {0x95, "o`"},  {0xF6, "o`"},   {0xFB, "u^"},  {0xF9, "u`"},  {0x98, "y-"},
        {0xA1, "i'"},  {0xED, "i'"},  {0xF3, "o'"},   {0xFA, "u'"},  {0xA4, "nh"},  {0xA5, "nh"},
        {0xF1, "nh"},  {0xA7, "\xA7"}, {0xA8, "?"},   {0xBF, "?"},   {0xAB, "\xAA"}, {0xAD, "!"},
        {0xAE, "\""},  {0xAF, "\""},  {0xBB, "\xBA"}, {0xE5, "a"},   {0xD7, "x"},   {0xF7, "x"},
        {0xD8, "0"},   {0xF8, "0"},   {0xDC, "u"},    {0xFC, "u"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(transliterate(std::string(1, static_cast<char>(c.byte))), c.spelling) << std::hex << int(c.byte);
    }
}

TEST(Transliteration, UnknownBytesAreExactlyTheEmptyEntries) {
    std::string unknown;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (transliterationOf(static_cast<unsigned char>(b)) == nullptr) unknown += static_cast<char>(b);
    const std::string expected =
        "\x9B\x9C\x9D\x9E\x9F\xA6\xA9\xAA\xAC\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBC\xBD\xBE"
        "\xD0\xDD\xDE\xDF\xF0\xFD\xFE\xFF";
    EXPECT_EQ(unknown, expected);
    EXPECT_EQ(transliterate("a\xB0z"), "a \x01 z");
    EXPECT_EQ(transliterate(std::string("\x00\x1F\x20\x7F", 4)), std::string(" \x01  \x01  \x7F"));
}

TEST(Transliteration, LettersWandYAndTheApostrophe) {
    const struct {
        const char* text;
        const char* spelling;
    } cases[] = {
        {"w", "w"},           {"W", "W"},          {"wa", "ua"},         {"aW", "au"},
        {"w,", "w,"},         {"\xE7w", "ssu"},     {"y", "i"},           {"Y", "i"},
        {" y ", " i "},       {"a y b", "a i b"},  {"y,", "y,"},         {",y", ",y"},
        {"yes", "ies"},       {"bY", "bi"},        {"d'agua", "dagua"},  {"D'x", "Dx"},
        {"l'a", "l'a"},       {"'d", "'d"},        {"d\xE1", "da'"},     {"d'\xE1gua", "da'gua"},
        {"d''", "d"},  // "before" is the last character written, so both go
        {"\x98", "y-"},
    };
    for (const auto& c : cases) EXPECT_EQ(transliterate(c.text), c.spelling) << c.text;
}

TEST_F(TranslatorWithoutRules, WordsWithoutRulesAreSpelledOrGetDefaultPieces) {
    const struct {
        std::string text;
        std::string phonemes;
    } cases[] = {
        {"", ""},
        {"    ", ""},
        {"rs", "[ /_r][ /_s]"},
        {"RS", "[ /_r][ /_s]"},
        {",", "[ /_,]"},
        {"w", "[ /_w]"},
        {"5", "[ /_5]"},
        {"a", "[ /_A]"},
        {"ab", "[ /_A/ /_B]"},
        {std::string("a\x02") + "b", "[ /_A][ /_\x01][ /_b]"},
        {"\xB0", "[ /_\x01]"},
        {"\xE7", "[ /_s][ /_s]"},
        {"d'", "[ /_d]"},
        {"a,b", "[ /_A][ /_,][ /_b]"},
        {"\xA7", "[ /_\xA7]"},
        {"'", "[ /_']"},
    };
    for (const auto& c : cases) EXPECT_EQ(translateToPhonemes(c.text), c.phonemes) << c.text;
}

TEST_F(TranslatorWithLetterRules, StressMarksOneVowelOfUnaccentedWords) {
    const struct {
        const char* text;
        const char* phonemes;
    } cases[] = {
        {"casas", "[c/A/s/a/s]"},
        {"aqui", "[a/q/u/I]"},
        {"papai", "[p/a/p/A/i]"},
        {"dia", "[d/I/a]"},
        {"muito", "[m/U/i/t/o]"},
        {"rainha", "[r/a/I/n/h/a]"},
        {"ave", "[A/v/e]"},
        {"sol", "[s/O/l]"},
        {"mar", "[m/a/r]"},       // one vowel, not ending in l
        {"caf\xE9", "[c/a/f/e/ /_']"},  // an acute keeps the word out
        {"m\xE3o", "[m/a/ /_~/o]"},      // so does a tilde
        {"ag\x81" "entar", "[a/g/u/ /_\"/e/n/t/A/r]"},  // a diaeresis does not
        {"CASAS", "[c/A/s/a/s]"},
        {"guia", "[g/u/I/a]"},
        {"saia", "[s/A/i/a]"},
        {"cairro", "[c/a/I/r/r/o]"},
        {"ainda", "[a/I/n/d/a]"},
        {"bom", "[b/o/m]"},
        {"batom", "[b/a/t/O/m]"},
        {"item", "[i/t/e/m]"},     // reaches the first letter undecided
        {"falam", "[f/A/l/a/m]"},
        {"juiz", "[j/u/I/z]"},
        {"quis", "[q/u/I/s]"},
        {"\xE7" "a", "[s/s/a]"},
        {"\xC7" "a", "[s/s/a]"},
        {"\x80" "a", "[s/s/a]"},
        {"\x87" "a", "[s/s/a]"},
        {"caqui", "[c/a/q/u/I]"},
        {"tatu", "[t/a/t/U]"},
        {"lapis", "[l/a/p/I/s]"},  // final i/u after a consonant takes the stress
    };
    for (const auto& c : cases) EXPECT_EQ(translateToPhonemes(c.text), c.phonemes) << c.text;
}

TEST(Stress, AliasVowelCountAndAccentComeFromTheExtractedWord) {
    WordBuffer w;
    const std::string text = "casa";
    for (char c : text) w.at[++w.length] = static_cast<unsigned char>(c);
    markStress(w, 1, false);  // as extracted the word had one vowel: nothing marked
    EXPECT_EQ(std::string(reinterpret_cast<char*>(w.at + 1), 4), "casa");
    markStress(w, 2, true);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(w.at + 1), 4), "casa");
    markStress(w, 2, false);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(w.at + 1), 4), "cAsa");
}

TEST_F(TranslatorWithLetterRules, ExceptionsReplaceWordsAndStemsWithoutFinalSAndM) {
    ASSERT_TRUE(loadExceptions(writeTempFile("stems.exc",
                                             "casa=kaza\n"
                                             "ok=oke'i|comment\n"
                                             "nada=nAda\n"
                                             "sm=x\n"
                                             "vazio=\n")));
    const struct {
        const char* text;
        const char* phonemes;
    } cases[] = {
        {"casa", "[k/A/z/a]"},
        {"casas", "[k/A/z/a/s]"},
        {"casam", "[k/A/z/a/m]"},
        {"casams", "[k/A/z/a/m/s]"},  // stress is found again on the new word
        {"casax", "[c/a/s/A/x]"},
        {"ok", "[o/k/e/ /_'/i]"},     // one vowel as extracted: unmarked
        {"nadas", "[n/A/d/a/s]"},
        {"ss", "[ /_s][ /_s]"},       // only s letters, not in the table: unchanged
        {"smm", "[ /_x][ /_m]"},      // "sm" is in the table, one m put back
        {"vazio", ""},                // an empty alias leaves nothing
    };
    for (const auto& c : cases) EXPECT_EQ(translateToPhonemes(c.text), c.phonemes) << c.text;
}

TEST_F(TranslatorWithLetterRules, LongWordsNeverOutgrowTheBuffer) {
    const std::string longRun(300, 'b');
    std::string expected300;
    for (int i = 0; i < 300; ++i) expected300 += "[ /_b]";
    // 300 consonants: the first 256 are one word and the other 44 the next;
    // both are spelled, one group per letter.
    EXPECT_EQ(translateToPhonemes(longRun), expected300);

    const std::string vowels(257, 'a');
    const std::string phonemes = translateToPhonemes(vowels);
    // "[" a/.../a "]" for 256 letters, then "[a]" for the last one.
    EXPECT_EQ(phonemes.size(), 1 + 256 + 255 + 1 + 3u);
    EXPECT_EQ(phonemes.substr(phonemes.size() - 3), "[a]");

    // A line of exactly 255 characters: "ba=" and 252 letters.
    const std::string alias(252, 'e');
    ASSERT_TRUE(loadExceptions(writeTempFile("long.exc", "ba=" + alias + "\n")));
    const std::string grown = translateToPhonemes("bassssss");
    // 252 + 6 letters are cut to 256: the alias and four s.
    std::string expected = "[";
    for (int i = 0; i < 252; ++i) expected += "e/";
    expected += "s/s/s/s]";
    EXPECT_EQ(grown, expected);
}

}  // namespace
