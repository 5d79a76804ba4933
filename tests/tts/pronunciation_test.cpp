#include "tts/pronunciation.h"

#include <gtest/gtest.h>

#include "translator/translator_test_files.h"

namespace {

using translator_test::writeTempFile;
using Lines = std::vector<std::string>;

// The special rules first, then one rule per letter writing it in lower case.
std::string rulesWith(const std::string& special) {
    std::string rules = special;
    for (char c = 'A'; c <= 'Z'; ++c) rules += std::string("(") + c + ")=" + char(c - 'A' + 'a') + "\n";
    return rules;
}

void load(const std::string& rules, const std::string& exceptions = "") {
    ASSERT_TRUE(tts::loadPronunciationFiles(writeTempFile("r.nrl", rules), writeTempFile("e.exc", exceptions)));
}

// The phoneme lines of the words, joined by spaces (boundaries dropped).
std::string phonemesOf(const Lines& words) {
    Lines items;
    for (const std::string& w : words) items.push_back("abc|" + w);
    std::string joined;
    for (const std::string& line : tts::wordsToPhonemeLines(items))
        if (!line.empty() && line[0] != ';' && line != "__") joined += (joined.empty() ? "" : " ") + line;
    return joined;
}

TEST(Pronunciation, ContextSymbols) {
    struct Case {
        const char* rule;
        const char* word;
        const char* phonemes;
    } cases[] = {
        {"%#(T)=X", "AT", "a X"},     {"%#(T)=X", "AAT", "a >a t"},  // exactly one vowel
        {"](T)=X", "OT", "o X"},      {"](T)=X", "ET", "e t"},
        {"_(T)=X", "T", "X"},         {"_(T)=X", "AT", "a X"},       {"_(T)=X", "ST", "s t"},
        {"|(T)=X", "NT", "n X"},      {"|(T)=X", "LT", "l t"},
        {"%(T)=X", "TA", "X a"},      {"%(T)=X", "AT", "a t"},
        {"(T)#%=X", "TA", "X a"},     {"(T)#%=X", "TAA", "t >a a"},
        {"(T)&=X", "TZ", "X z"},      {"(T)&=X", "TS", "t s"},
        {"(T)*P=X", "TP", "X p"},     {"(T)*=X", "TL", "t l"},       {"(T)*=X", "TA", "t a"},
        {"(T)+%=X", "TE", "X e"},     {"(T)+=X", "TA", "t a"},
        {"(T)[=X", "T", "X"},         {"(T)[=X", "TP", "X p"},       {"(T)[=X", "TH", "t h"},
        {"(T)\\%=X", "TS", "X s"},    {"(T)\\%=X", "T", "X"},         {"(T)\\%=X", "TA", "t a"},
        {"A(T)=X", "AT", "a X"},      {"(\xD7)=x", "\xD7" "A", "x a"},  // a key above 0x7F
    };
    for (const Case& c : cases) {
        load(rulesWith(std::string(c.rule) + "\n"));
        EXPECT_EQ(phonemesOf({c.word}), c.phonemes) << c.rule << " " << c.word;
    }
}

TEST(Pronunciation, StressPositions) {
    const std::pair<const char*, int> cases[] = {
        {"CASA", 2}, {"CASAS", 2}, {"AQUI", 4}, {"PAPAI", 4}, {"RUA", 2},   {"AGUA", 1},   {"MUITO", 2},
        {"QUERO", 3}, {"FALAM", 2}, {"JARDIM", 5}, {"ANIMAL", 5}, {"CAFÉ", 4}, {"TÁXI", 2}, {"ÁRVORE", 1},
        {"QUEIJO", 3}, {"PSST", 0}, {"", 0},
    };
    for (const auto& [word, position] : cases) EXPECT_EQ(tts::stressPosition(word), position) << word;
}

TEST(Pronunciation, ItemLines) {
    load(rulesWith("(QUE)=ke\n(X)=k&s\n(Y)=y&\n(\xC3)=&am\n(J)=abcdefghijklmnopqrst\n"
                   "(W)=abcdefghijklmnopqrstu\n(R)%=r2\n(S)%=s2\n(\xC4)=\xA8" "a\n;(A)=comment\n"),
         "casa=kaza\nPão=PAUM\n");
    const struct {
        Lines items;
        Lines lines;
    } cases[] = {
        {{}, {"__"}},
        {{"abc|"}, {";abc|", "__", "", "__"}},
        {{"ab"}, {";ab", "__", "", "__"}},
        {{"abc| "}, {";abc| ", "__"}},
        {{"abc|,", "abc|?x"}, {";abc|,", "_,", ";abc|?x", "_?", "__"}},
        {{"abc|casas"}, {";abc|casas", "k", ">a", "z", "a", "s2", "", "__"}},   // exception, s put back
        {{"abc|pão"}, {";abc|pão", "p", "a", ">u", "m", "", "__"}},             // lower case entry matches
        {{"abc|por", "abc|nÃo"}, {";abc|por", "p", "o", "r2", "", ";abc|nÃo", "n", "", "am", "o", "", "__"}},
        {{"abc|quero"}, {";abc|quero", "ke", ">r", "o", "", "__"}},
        {{"abc|xa"}, {";abc|xa", "k", "s", "a", "", "__"}},
        {{"abc|ya"}, {";abc|ya", "y", "", "a", "", "__"}},
        {{"abc|camã"}, {";abc|camã", "c", "a", "m", ">", "am", "", "__"}},
        {{"abc|jw"}, {";abc|jw", "abcdefghijklmnopqrst", "abcdefghijklmnopqrst", "", "__"}},
        // liaison: r2 and s2 before a vowel, not before a stressed vowel or a pause
        {{"abc|as", "abc|ar", "abc|um"}, {";abc|as", "a", "z", "", ";abc|ar", "a", "r", "", ";abc|um", "u", "m", "",
                                          "__"}},
        {{"abc|mar", "abc|ama"}, {";abc|mar", "m", ">a", "r2", "", ";abc|ama", ">a", "m", "a", "", "__"}},
        {{"abc|as", "abc|,", "abc|as"}, {";abc|as", "a", "s2", "", ";abc|,", "_,", ";abc|as", "a", "s2", "", "__"}},
        {{"abc|as", "abc|Äb"}, {";abc|as", "a", "z", "", ";abc|Äb", "\xA8" "a", "b", "", "__"}},
    };
    for (const auto& c : cases) EXPECT_EQ(tts::wordsToPhonemeLines(c.items), c.lines) << c.items.size();
}

TEST(Pronunciation, BadData) {
    const std::string huge(100000, '\xE9');
    std::string exceptions = "\n" + std::string(300, 'a') + "=b\n\x80\xFF=\xFF\x80\n" + huge + "\n";
    for (int i = 0; i < 15010; ++i) exceptions += "w" + std::to_string(i) + "=t\n";
    const std::string capitals(100000, '\xC9');
    load("no rule here\n(T)no equals\n()=empty\n(\t)=tab\n" + huge + "\n(" + capitals + ")=" + capitals + "\n(T)=t\n",
         exceptions);
    EXPECT_EQ(phonemesOf({"t"}), "t");
    EXPECT_EQ(phonemesOf({"\xE9\xE9\xE9\xE9\xE9"}), std::string(20, '\xC9'));  // the 100 KB rule kept 5 and 20
    EXPECT_EQ(phonemesOf({"w14996"}), "t");  // not after the 15000th entry
    EXPECT_EQ(phonemesOf({"w14997"}), "");
    EXPECT_FALSE(tts::loadPronunciationFiles(writeTempFile("r", "(T)=t\n"), "/nonexistent/e.exc"));
    EXPECT_FALSE(tts::loadPronunciationFiles("/nonexistent/r.nrl", writeTempFile("e", "")));
    tts::freePronunciationRules();
    EXPECT_EQ(phonemesOf({"t"}), "");
}

TEST(Pronunciation, InstalledRulesForBr1) {
    const std::string data = VOLTANOR_SOURCE_DIR "/data/tts/";
    ASSERT_TRUE(tts::loadPronunciationFiles(data + "portug.nrl", data + "portug.exc"));
    const std::pair<Lines, const char*> cases[] = {
        {{"tia", "dia"}, "t >i a d >i a"},           // no affricates in br1
        {{"leite", "novo"}, "l >e y t i n >o v u"},  // final unstressed e and o
        {{"sol", "calça"}, "s >oo w k >a w s a"},    // l closing a syllable
        {{"campo", "bem", "mãe"}, "k >am p u b >em i m >am i"},
        {{"café", "avô", "bola", "janelas"}, "k a f >ee a v >o b >oo l a j a n >ee l a s2"},
        {{"filho", "ninho"}, "f >i l y u n >i nh u"},  // br1 has no lh pairs
        {{"ritmo", "táxi"}, "rr >i t i m u t >a k i s i"},
        {{"carro", "rato", "honra"}, "k >a rr u rr >a t u >om rr a"},
        {{"mar", "azul", "mar", "calmo"}, "m >a r a z >u w m >a r2 k >a w m u"},
        {{"quero", "água", "guerra"}, "k >ee r u >a g w a g >ee rr a"},
    };
    for (const auto& [words, phonemes] : cases) EXPECT_EQ(phonemesOf(words), phonemes) << words[0];
}

// Words the engine used to say wrongly, with phonemes whose every pair br1 can join.
TEST(Pronunciation, InstalledRulesSayHardWords) {
    const std::string data = VOLTANOR_SOURCE_DIR "/data/tts/";
    ASSERT_TRUE(tts::loadPronunciationFiles(data + "portug.nrl", data + "portug.exc"));
    const std::pair<Lines, const char*> cases[] = {
        {{"aquilo", "guitarra"}, "a k >i l u g i t >a rr a"},  // qu and gu keep the i
        {{"lâmpada", "importância"}, "l >am p a d a im p o r2 t >am s i a"},
        {{"elaboramos"}, "e l a b o r >@ m u s2"},
        {{"próxima", "juiz"}, "p r >oo s i m a j u >i s2"},
        {{"pede", "borde", "foque", "choco", "roia"}, "p >ee d i b >oo r2 d i f >oo k i x >oo k u rr >oo y a"},
        {{"sair", "reconstruir", "instituir"},  // no y-r2 pair in br1
         "s a >i r2 rr e k om s2 t r u >i r im s2 t i t u >i r2"},
        {{"meio", "saiu", "Raul", "argüi"}, "m >e y u s a >i w rr a >u w a r2 g w >i"},
        {{"fixo", "exame", "peixe", "toda"}, "f >i k i s u e z >@ m i p >e y x i t >o d a"},
        {{"perspectiva", "compõem"}, "p e s2 p e k i t >i v a k om p >om em i"},  // no r2-s2, m-_
    };
    for (const auto& [words, phonemes] : cases) EXPECT_EQ(phonemesOf(words), phonemes) << words[0];
}

}  // namespace
