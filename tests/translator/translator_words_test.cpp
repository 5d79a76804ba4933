// The default voice's rules and exceptions (data/difones) on common words,
// on every word of the battery report and on the numbers said as words.
#include <gtest/gtest.h>

#include <string>

#include "translator/letter_rules.h"
#include "translator/translator.h"

namespace {

struct WordCase {
    const char* text;  // code page 1252
    const char* phonemes;
};

class DefaultVoiceRules : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dir = std::string(VOLTANOR_SOURCE_DIR) + "/data/difones/";
        ASSERT_TRUE(loadRules(dir + "regras.rgr"));
        ASSERT_TRUE(loadExceptions(dir + "portug.exc"));
    }
    void TearDown() override { freeRules(); }

    static void expectAll(const WordCase* cases, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(translateToPhonemes(cases[i].text), cases[i].phonemes) << cases[i].text;
    }
};

// Open and closed vowels, nasals and their diphthongs, lh nh ch, qu gu, soft
// c and g, s between vowels, ss and c-cedilla, rr and the strong r, the
// values of x, final l, t and d before an i sound, final e and o, hiatus,
// and a vowel put between consonants that cannot close a syllable.
TEST_F(DefaultVoiceRules, CommonWords) {
    const WordCase cases[] = {
        {"casa", "[k/A/ z/a]"},
        {"carro", "[k/A/ rr/u]"},
        {"rato", "[rr/A/ t/u]"},
        {"porta", "[p/O/rr/ t/a]"},
        {"filho", "[f/I/ ly/u]"},
        {"banho", "[b/A~/ nh/u]"},
        {"chave", "[x/A/ v/i]"},
        {"queijo", "[k/E^/y/ j/u]"},
        {"guerra", "[g/E/ rr/a]"},
        {"gente", "[j/E~/ tch/i]"},
        {"cidade", "[s/i/ d/A/ dj/i]"},
        {"noite", "[n/O^/y/ tch/i]"},
        {"tia", "[tch/I/ a]"},
        {"sol", "[s/O/w]"},
        {"papel", "[p/a/ p/E/w]"},
        {"m\xE3o", "[m/A~w]"},
        {"m\xE3" "e", "[m/A~y]"},
        {"p\xE3" "es", "[p/A~y/s]"},
        {"p\xF5" "e", "[p/O~y]"},
        {"bem", "[b/e~y]"},
        {"tempo", "[t/E~/ p/u]"},
        {"campo", "[k/A~/ p/u]"},
        {"falam", "[f/A/ l/a~w]"},
        {"exame", "[e^/ z/A~/ m/i]"},
        {"t\xE1xi", "[t/A/ ks/i]"},
        {"texto", "[t/E^/s/ t/u]"},
        {"nascer", "[n/a/ s/E^/rr]"},
        {"assim", "[a/ s/I~]"},
        {"bra\xE7o", "[br/A/ s/u]"},
        {"pneu", "[pi/ n/E^/w]"},
        {"pacto", "[p/A/ ki/ t/u]"},
        {"\xE1gua", "[A/ gw/a]"},
        {"quando", "[kw/A~/ d/u]"},
        {"sa\xFA" "de", "[s/a/ U/ dj/i]"},
        {"rainha", "[rr/a/ I/ nh/a]"},
        {"juiz", "[j/u/ I/s]"},
        {"ideia", "[i/ d/E^/y/ a]"},
        {"caiu", "[k/a/ I/w]"},
        {"lhe", "[ly/i]"},
        {"x\xED" "cara", "[x/I/ k/a/ r/a]"},
        {"honra", "[/O~/ rr/a]"},
        {"livro", "[l/I/ vr/u]"},
        {"c\xE9u", "[s/E/w]"},
        {"an\xE9is", "[a/ n/E/y/s]"},
        {"far\xF3is", "[f/a/ r/O/y/s]"},
        {"voc\xEA", "[v/o^/ s/E^]"},
        {"est\xE1", "[e^/s/ t/A]"},
    };
    expectAll(cases, std::size(cases));
}

TEST_F(DefaultVoiceRules, EveryWordOfTheBatteryReport) {
    const WordCase cases[] = {
        {"hora", "[/O/ r/a]"},
        {"horas", "[/O/ r/a/s]"},
        {"minuto", "[m/i/ n/U/ t/u]"},
        {"minutos", "[m/i/ n/U/ t/u/s]"},
        {"segundos", "[s/e^/ g/U~/ d/u/s]"},
        {"e", "[i]"},
        {"por", "[p/O^/rr]"},
        {"cento", "[s/E~/ t/u]"},
        {"restante", "[rr/e^/s/ t/A~/ tch/i]"},
        {"n\xEDvel", "[n/I/ v/e/w]"},
        {"da", "[d/a]"},
        {"bateria", "[b/a/ t/e^/ r/I/ a]"},
        {"alto", "[A/w/ t/u]"},
        {"baixo", "[b/A/y/ x/u]"},
        {"cr\xEDtico", "[kr/I/ tch/i/ k/u]"},
        {"carregando", "[k/a/ rr/e^/ g/A~/ d/u]"},
        {"n\xE3o", "[n/A~w]"},
        {"h\xE1", "[A]"},
        {"dura\xE7\xE3o", "[d/u/ r/a/ s/A~w]"},
        {"m\xE1xima", "[m/A/ s/i/ m/a]"},
        {"energia", "[e^/ n/e^/rr/ j/I/ a]"},
        {"externa", "[e^/s/ t/E^/rr/ n/a]"},
        {"ligada", "[l/i/ g/A/ d/a]"},
        {"desligada", "[d/e^/z/ l/i/ g/A/ d/a]"},
        {"indeterminado", "[i~/ d/e^/ t/e^/rr/ m/i/ n/A/ d/u]"},
        {"indeterminada", "[i~/ d/e^/ t/e^/rr/ m/i/ n/A/ d/a]"},
    };
    expectAll(cases, std::size(cases));
}

TEST_F(DefaultVoiceRules, NumbersSaidAsWords) {
    const WordCase cases[] = {
        {"zero", "[z/E/ r/u]"},
        {"um", "[U~]"},
        {"uma", "[U/ m/a]"},
        {"dois", "[d/O^/y/s]"},
        {"duas", "[d/U/ a/s]"},
        {"tr\xEAs", "[tr/E^/s]"},
        {"quatro", "[kw/A/ tr/u]"},
        {"cinco", "[s/I~/ k/u]"},
        {"seis", "[s/E^/y/s]"},
        {"sete", "[s/E/ tch/i]"},
        {"oito", "[O^/y/ t/u]"},
        {"nove", "[n/O/ v/i]"},
        {"dez", "[d/E/s]"},
        {"onze", "[O~/ z/i]"},
        {"doze", "[d/O^/ z/i]"},
        {"treze", "[tr/E^/ z/i]"},
        {"quatorze", "[kw/a/ t/O^/rr/ z/i]"},
        {"quinze", "[k/I~/ z/i]"},
        {"dezesseis", "[d/e^/ z/e^/ s/E^/y/s]"},
        {"dezessete", "[d/e^/ z/e^/ s/E/ tch/i]"},
        {"dezoito", "[d/e^/ z/O^/y/ t/u]"},
        {"dezenove", "[d/e^/ z/e^/ n/O/ v/i]"},
        {"vinte", "[v/I~/ tch/i]"},
        {"trinta", "[tr/I~/ t/a]"},
        {"quarenta", "[kw/a/ r/E~/ t/a]"},
        {"cinquenta", "[s/i~/ kw/E~/ t/a]"},
        {"sessenta", "[s/e^/ s/E~/ t/a]"},
        {"setenta", "[s/e^/ t/E~/ t/a]"},
        {"oitenta", "[o^/y/ t/E~/ t/a]"},
        {"noventa", "[n/o^/ v/E~/ t/a]"},
        {"cem", "[s/e~y]"},
        {"cento", "[s/E~/ t/u]"},
        {"duzentos", "[d/u/ z/E~/ t/u/s]"},
        {"trezentos", "[tr/e^/ z/E~/ t/u/s]"},
        {"quatrocentos", "[kw/a/ tr/o^/ s/E~/ t/u/s]"},
        {"quinhentos", "[k/i/ nh/E~/ t/u/s]"},
        {"seiscentos", "[s/e^/y/ s/E~/ t/u/s]"},
        {"setecentos", "[s/e^/ t/e^/ s/E~/ t/u/s]"},
        {"oitocentos", "[o^/y/ t/o^/ s/E~/ t/u/s]"},
        {"novecentos", "[n/o^/ v/e^/ s/E~/ t/u/s]"},
        {"mil", "[m/I/w]"},
    };
    expectAll(cases, std::size(cases));
}

// Every output of the rules file is made of the voice's phoneme symbols, so
// that the synthesizer finds units for it: consonants (and the pairs it keeps
// whole), vowels in either case each with at most one marker, semivowels and
// the spaces that cut syllables.
bool writesOnlyPhonemeSymbols(const std::string& output) {
    static const char* const symbols[] = {"tch", "dj", "nh", "ly", "rr", "ks", "kw", "gw", "b", "d", "f", "g", "j",
                                          "k", "l", "m", "n", "p", "r", "s", "t", "v", "x", "z", "w", "y", " "};
    std::size_t at = 0;
    while (at < output.size()) {
        const char c = output[at];
        if (std::string("aeiouAEIOU").find(c) != std::string::npos) {
            ++at;
            if (at < output.size() && (output[at] == '^' || output[at] == '~')) ++at;
            continue;
        }
        bool known = false;
        for (const char* symbol : symbols) {
            if (output.compare(at, std::string(symbol).size(), symbol) == 0) {
                at += std::string(symbol).size();
                known = true;
                break;
            }
        }
        if (!known) return false;
    }
    return true;
}

TEST_F(DefaultVoiceRules, OutputsUseOnlyThePhonemeSymbols) {
    int rules = 0;
    for (int key = letter_rules::firstKey; key <= letter_rules::lastKey; ++key) {
        const unsigned char k = static_cast<unsigned char>(key);
        for (int i = 0; i < letter_rules::count(k); ++i, ++rules) {
            const LetterRule& rule = letter_rules::rule(k, i);
            EXPECT_TRUE(writesOnlyPhonemeSymbols(rule.output))
                << rule.left << "(" << rule.match << ")" << rule.right << "=" << rule.output;
        }
    }
    EXPECT_GT(rules, 400);
    EXPECT_FALSE(writesOnlyPhonemeSymbols("a_"));
    EXPECT_FALSE(writesOnlyPhonemeSymbols("~a"));
    EXPECT_FALSE(writesOnlyPhonemeSymbols("h"));
}

TEST_F(DefaultVoiceRules, ReportSentencesKeepOneGroupPerWord) {
    EXPECT_EQ(translateToPhonemes("N\xE3o h\xE1 bateria"), "[n/A~w][A][b/a/ t/e^/ r/I/ a]");
    EXPECT_EQ(translateToPhonemes("N\xCDVEL DA BATERIA"), "[n/I/ v/e/w][d/a][b/a/ t/e^/ r/I/ a]");
    EXPECT_EQ(translateToPhonemes("  por cento restante  "), "[p/O^/rr][s/E~/ t/u][rr/e^/s/ t/A~/ tch/i]");
}

}  // namespace
