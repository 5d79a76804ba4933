#include "tts/prosody.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/fake_message_box.h"

namespace {

using namespace tts;
namespace fs = std::filesystem;

class Prosody : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() / ("voltanor-prosody-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& content) {
        std::ofstream((dir / name).string(), std::ios::binary) << content;
        return (dir / name).string();
    }
    bool loadBoth(const std::string& pro, const std::string& dfn) {
        fake::shownMessages().clear();
        return loadProsody(write("p.pro", pro)) && loadDiphoneList(write("p.dfn", dfn));
    }
};

const std::string minimal = "[DURAÇÃO]\n[CHAVES]\n[PROSÓDIA]\n";
const std::string badKey = "Configuração da prosódia: chave errada: ";

TEST_F(Prosody, LoadFailsCleanlyWithTheMessageOfWhatIsWrong) {
    const std::string longLine(100000, '\xE9');
    const struct {
        std::string file;
        bool loads;
        std::vector<std::string> messages;
    } cases[] = {
        {"[CHAVES]\n[PROSÓDIA]\n", false, {"Duração dos difones errada ou ausente"}},
        {"[DURAÇÃO]\n[PROSÓDIA]\n", false, {"Prosódia: palavras chaves ausentes"}},
        {"  [DURAÇÃO]  \r\n[CHAVES]\r\n", false, {"Prosódia: especificações ausentes"}},
        {"[DURAÇÃO]\na80\n" + minimal, false, {"Configuração da prosódia: fonema errado: a80"}},
        {"[DURAÇÃO]\na=8o\nb=-3\n[CHAVES]\n[PROSÓDIA]\n", true,
         {"Configuração da prosódia: fonema errado: a=8o", "Configuração da prosódia: fonema errado: b=-3"}},
        {"[DURAÇÃO]\n[CHAVES]\nDE PR\n[PROSÓDIA]\n", false, {badKey + "DE PR"}},
        {"[DURAÇÃO]\n[CHAVES]\nDE=P\n[PROSÓDIA]\n", false, {badKey + "DE=P"}},
        {minimal + "|XX|\n", false, {badKey + "|XX|"}},
        {minimal + "Hertz=1e2\n", false, {badKey + "Hertz=1e2"}},
        {minimal + "HERTZ=99999999999\n", false, {badKey + "HERTZ=99999999999"}},
        {minimal + "TABHERTZ=1,2,3,4,5,6,7,8,9\n", false, {badKey + "TABHERTZ=1,2,3,4,5,6,7,8,9"}},
        {minimal + "TABHERTZ=1,2,3,4,5,6,7,8,9,10,11\n", false, {badKey + "TABHERTZ=1,2,3,4,5,6,7,8,9,10,11"}},
        {minimal + "|XX|=12\n", false, {badKey + "|XX|=12"}},
        {minimal + "|XX|=1?2\n", false, {badKey + "|XX|=1?2"}},
        {"[PROSÓDIA]\n;" + longLine + "\n|\xE9\xFF|=?12\n[CHAVES]\n\xE0\xFF=\x80\x81\n" + longLine +
             "=PR\n[DURAÇÃO]\n\xE9=" + longLine + "\n*" + longLine + "\n",
         true, {"Configuração da prosódia: fonema errado: \xE9=" + longLine}},
    };
    for (const auto& c : cases) {
        fake::shownMessages().clear();
        EXPECT_EQ(loadProsody(write("bad.pro", c.file)), c.loads) << c.file.substr(0, 60);
        EXPECT_EQ(fake::shownMessages(), c.messages) << c.file.substr(0, 60);
    }
    fake::shownMessages().clear();
    EXPECT_FALSE(loadProsody((dir / "none.pro").string()));
    EXPECT_EQ(fake::shownMessages(), std::vector<std::string>{"Configuração da prosódia não foi achada"});
    EXPECT_FALSE(loadDiphoneList((dir / "none.dfn").string()));
}

TEST_F(Prosody, TablesKeepTheirLimitsAndOrder) {
    std::string file = "[PROSÓDIA]\nTABHERTZ= 1, 2,3,4,5,6,7,8,9, 10 \n[DURAÇÃO]\na=1\na=2\nabc=3\n";
    for (int i = 0; i < 101; ++i) file += "d=9\n";
    file += "[CHAVES]\n";
    for (int i = 1100; i > 0; --i) file += "k" + std::to_string(i) + "=c" + std::to_string(i % 10) + "\n";
    file += "ver=vb\nà = pr\n";
    ASSERT_TRUE(loadBoth(file, ""));
    const ProsodyTables& t = prosodyTables();
    EXPECT_EQ(t.durations.size(), maxDurations);
    EXPECT_EQ(t.keywords.size(), maxKeywords);
    EXPECT_EQ(t.basePitch, 230);
    EXPECT_EQ(phonemeDuration("a"), 1);
    EXPECT_EQ(phonemeDuration("ab"), 3);
    EXPECT_EQ(phonemeDuration("A"), 100);
    EXPECT_EQ(keywordClass("k1000"), "C0");
    EXPECT_EQ(keywordClass("k901"), "C1");
    EXPECT_EQ(keywordClass("k100"), "");  // beyond the table's 1000 entries
    for (std::size_t i = 1; i < t.keywords.size(); ++i) EXPECT_LE(t.keywords[i - 1].key, t.keywords[i].key);
    std::string patterns = "[PROSÓDIA]\nHERTZ=120\n";
    for (int i = 0; i < 301; ++i) patterns += "|A" + std::to_string(i) + "|=123\n";
    ASSERT_TRUE(loadBoth(patterns + "[DURAÇÃO]\n[CHAVES]\nà = pr\n", ""));
    EXPECT_EQ(t.patterns.size(), maxPatterns);
    EXPECT_EQ(t.basePitch, 120);
    EXPECT_EQ(t.pitchTable[9], 10);  // a load without TABHERTZ keeps the table
    EXPECT_EQ(keywordClass("À"), "PR");
}

TEST_F(Prosody, WordsGetClassesAndPatterns) {
    ASSERT_TRUE(loadBoth("[DURAÇÃO]\n[CHAVES]\nDE=PR\nNÃO=NG\n[PROSÓDIA]\nXX|XX|=?45\n|XX|=123\n|NG|..=?01\n", ""));
    const struct {
        std::string text;
        std::vector<std::string> words, patterns;
    } cases[] = {
        {"Sim. Fim", {"[--]", "[XX]Sim", "[..].", "[--]", "[XX]Fim"}, {"555|", "123|Sim", "555|.", "555|", "123|Fim"}},
        {"a...b", {"[--]", "[XX]a", "[.-].", "[--]", "[XX]b"}, {"555|", "123|a", "555|.", "555|", "123|b"}},
        {"casa de\r\npedra", {"[--]", "[XX]casa", "[PR]de", "[XX]pedra"}, {"555|", "123|casa", "555|de", "123|pedra"}},
        {"um dois", {"[--]", "[XX]um", "[XX]dois"}, {"555|", "123|um", "345|dois"}},
        {"ÁGUA não.", {"[--]", "[XX]ÁGUA", "[NG]não", "[..].", "[--]"}, {"555|", "123|ÁGUA", "301|não", "555|.", "555|"}},
        {"x1-?\xFF", {"[--]", "[XX]x", "[11]1", "[--]-", "[??]?", "[--]", "[\xFF\xFF]\xFF"},
         {"555|", "123|x", "555|1", "555|-", "555|?", "555|", "555|\xFF"}},
        {"  ", {"[--]"}, {"555|"}},
    };
    for (const auto& c : cases) {
        const auto words = classifyWords(c.text);
        EXPECT_EQ(words, c.words) << c.text;
        EXPECT_EQ(choosePatterns(words, true), c.patterns) << c.text;
        for (const std::string& line : choosePatterns(words, false)) EXPECT_EQ(line.substr(0, 4), "555|");
    }
    ASSERT_TRUE(loadBoth("[DURAÇÃO]\n[CHAVES]\n[PROSÓDIA]\n|XX|=123\nXX|XX|=?45\n", ""));
    EXPECT_EQ(choosePatterns(classifyWords("um dois"), true), (std::vector<std::string>{"555|", "123|um", "123|dois"}));
}

TEST_F(Prosody, MbrolaLinesTimeAndPitchEveryPhoneme) {
    const std::string pro = "[DURAÇÃO]\nk=70\na=80\nz=90\nr=50\nr2=40\n_,=200\nt=100\n[CHAVES]\n[PROSÓDIA]\n"
                            "HERTZ=230\nTABHERTZ=0,1,2,3,4,100,6,7,8,9\n";
    const std::string all = "k a\na a\na z\nz a\na _\n_ k\n_ _\n_ a\nk r\nr a\na k\n_ t\nt a\na t\n";
    const struct {
        std::string pro, dfn;
        std::vector<std::string> in;
        double duration, pitch;
        std::vector<std::string> out;
    } cases[] = {
        {pro, all, {";555|CASA", "k", ">a", "z", "a", ""}, 1, 1,
         {";CASA", "k 70 50 230", "a 116 80 230", "z 130", "a 116 50 230", ""}},
        {pro + "HERTZ=200\nTABHERTZ=0,0,0,0,0,110,0,0,0,0\n", all, {";555|A", "a"}, 1, 1, {";A", "a 80 50 220"}},
        {pro, all, {";505|KA", "k", ">\xA8" "a", "\xA8" "a", "_"}, 0.8, 9.0 / 11, {";KA", "k 56 50 188", "a 92", "a 64", "_ 80 50 188"}},
        {pro, all, {";555|tatatatat", "t", ">a", "t"}, 1, 1, {";tatatatat", "t 90 50 230", "a 116 80 230", "t 145 50 230"}},
        {pro, all, {";555|tatatatatatat", "t", "a", "t", "a"}, 1, 1, {";tatatatatatat", "t 80 50 230", "a 64", "t 80", "a 64"}},
        {pro, all, {";000|,", "_,", "_ 30", "_ x", ">", "k"}, 1, 1, {";,", "_ 200", "_ 30", "_ 100", "k 101"}},
        {pro, "_ k\nk y\nr a\n", {"k", "r", "a"}, 1, 1, {"k 70 50 230", "y 50", "r 50", "a 80"}},
        {pro, "_ r2\nr2 _\nr2 y\n_ a\n", {"r2", "a", "", ";555|A", "a"}, 1, 1,
         {"r2 40 50 230", "_ 50", "a 80", "", ";A", "_ 50", "a 80 50 230"}},
        {pro, "", {"k", "", "a"}, -1, -1, {"_ 50", "k 0", "", "_ 50", "a 0"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(loadBoth(c.pro, c.dfn));
        mbrolaLines({""}, 1, 1);  // no phoneme carried over from the case before
        EXPECT_EQ(mbrolaLines(c.in, c.duration, c.pitch), c.out) << c.in[0];
    }
    // The last phoneme of one speech is joined to the first of the next.
    ASSERT_TRUE(loadBoth(pro, "k k\n"));
    EXPECT_EQ(mbrolaLines({"k", "k"}, 1, 1), (std::vector<std::string>{"_ 50", "k 70 50 230", "k 70"}));
    EXPECT_EQ(mbrolaLines({";555|K"}, 1, 1), (std::vector<std::string>{"_ 50", ";K"}));
}

TEST_F(Prosody, DiphoneListReadsTwoPhonesALine) {
    ASSERT_TRUE(loadBoth(minimal, "; comment\n!a b\n*c d\n  R2 \t _ 120\n@-am\n\r\nnh lh x\n\xE9 e\n"));
    EXPECT_EQ(diphoneCount(), 4u);
    const struct {
        std::string pair;
        bool present;
    } cases[] = {{"r2-_", true}, {"R2-_", true}, {"@-AM", true}, {"nh-lh", true}, {"-e", true},
                 {"a-b", false}, {"c-d", false}, {"lh-x", false}, {"comment-", false}};
    for (const auto& c : cases) EXPECT_EQ(hasDiphone(c.pair), c.present) << c.pair;
    freeDiphoneList();
    EXPECT_FALSE(hasDiphone("r2-_"));
}

}  // namespace
