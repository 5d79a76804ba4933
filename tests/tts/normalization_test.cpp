#include "tts/normalization.h"

#include <gtest/gtest.h>

#include "translator/translator_test_files.h"

namespace {

using translator_test::writeTempFile;

struct Rewrite {
    const char* text;
    const char* normalized;
};

TEST(Normalization, RewritesNumbersSignsAbbreviationsAndSymbols) {
    ASSERT_TRUE(tts::loadAbbreviations(writeTempFile("a.abr", "  sr =  senhor \nKM=quilômetros\n")));
    const Rewrite cases[] = {
        {"sim - não", "sim , não"}, {"-5", "menos cinco "}, {"3,5", "três vírgula cinco "},
        {"1.5", "um ponto cinco "}, {"1.000 reais", "mil   reais"}, {"1.5000", "um ponto cinco mil  "},
        {"1.000.000", "um milhão  "}, {"007", "zero zero sete "}, {"50 53", "cinqüenta  cinqüenta e três "},
        {"1º", "primeiro "}, {"2ª", "segunda "}, {"3o.", "terceiro "}, {"4as.", "quartas "},
        {"2000º", "dois mil  "}, {"70ª", "septuagésima "}, {"Sr. Silva", "senhor Silva"}, {"Sr.", "senhor"},
        {"Dr. Silva", " dêérre. Silva"}, {"10 km.", "dez  quilômetros"}, {"pdf.txt", "pê dêéfe ponto têxistê"},
        {"R$ 5", "érre cifrão  cinco "}, {"BH e CPF", "bêagá e  sêpêéfe"}, {"guarda-chuva", "guarda-chuva"},
        {"10-20", " um zero traço dois zero "}, {"sim...", "sim... "}, {"sim\tnão\r\n", "sim não "},
        {"minutos\r\n80", "minutos oitenta "},
        {"?", "interrogação"}, {"7", "séte"}, {"\x01", ""},
        {"1234567890123456", "cento e vinte e três trilhões quatrocentos e cinqüenta e seis bilhões "
             "setecentos e oitenta e nove milhões doze mil e trezentos e quarenta e cinco seis "},
        {"a\x80\xFC\xFF", "a  \xFC  "},
    };
    for (const Rewrite& c : cases) EXPECT_EQ(tts::normalizeText(c.text), c.normalized) << c.text;
}

TEST(Normalization, OrdinalsCardinalsAndNames) {
    EXPECT_EQ(tts::ordinalWords(21, tts::Gender::masculine), "vigésimo primeiro");
    EXPECT_EQ(tts::ordinalWords(21, tts::Gender::feminine), "vigésima primeira");
    EXPECT_EQ(tts::ordinalWords(1999, tts::Gender::masculine), "milésimo nongentésimo nonagésimo nono");
    EXPECT_EQ(tts::ordinalWords(0, tts::Gender::feminine), "zero");
    EXPECT_EQ(tts::numberToWords(0), "zero");
    EXPECT_EQ(tts::numberToWords(50000000000003ULL), "cinqüenta trilhões e três");
    std::size_t p = 0;
    EXPECT_EQ(tts::expandNumber("0", p), "zero");
    EXPECT_EQ(p, 1u);
    const std::pair<unsigned char, const char*> names[] = {{'C', " sê"}, {'J', "jóta"}, {'j', "jota"},
        {'N', "êne"}, {'n', "ene"}, {0xE0, "A grave"}, {0xFC, "U com trema"}, {0xD7, "vezes"}, {0xF7, "vezes"},
        {253, ""}, {127, ""}, {0xDD, ""}, {0x1F, ""}};
    for (const auto& [c, name] : names) EXPECT_EQ(tts::symbolName(c), name) << int(c);
}

TEST(Normalization, AbbreviationsFileEdges) {
    std::string file = "; comment=no\n\n   \nsem igual\nPç=praça\n\x80\xFF=\xE9\xFF\nlong=" +
                       std::string(100000, 'x') + "\n";
    for (int i = 0; i < 2100; ++i) file += "k" + std::to_string(i) + "=v\n";
    ASSERT_TRUE(tts::loadAbbreviations(writeTempFile("b.abr", file)));
    EXPECT_EQ(tts::findAbbreviation("pç"), "praça");
    EXPECT_EQ(tts::findAbbreviation("\xA0\xFF"), "");  // 0xA0 has no capital
    EXPECT_EQ(tts::findAbbreviation("\x80\xFF"), "\xE9\xFF");
    EXPECT_EQ(tts::findAbbreviation("LONG").size(), tts::maximumExpansionLength);
    EXPECT_EQ(tts::findAbbreviation("comment"), "");
    EXPECT_EQ(tts::findAbbreviation(""), "sem igual");  // a line without "=" has an empty key
    EXPECT_EQ(tts::findAbbreviation("k1995"), "v");   // entry 2000
    EXPECT_EQ(tts::findAbbreviation("k1996"), "");    // entry 2001
    EXPECT_FALSE(tts::loadAbbreviations(writeTempFile("c", "") + ".missing"));
    EXPECT_EQ(tts::findAbbreviation("pç"), "");  // a failed load leaves the table empty
}

// A number agrees with the feminine noun it counts, in its units and thousands.
TEST(Normalization, NumbersBeforeFeminineNouns) {
    const Rewrite cases[] = {
        {"1 hora e 40 minutos", "uma  hora e quarenta  minutos"}, {"2 horas", "duas  horas"},
        {"21 horas", "vinte e uma  horas"}, {"22 Horas", "vinte e duas  Horas"},
        {"200 horas", "duzentas  horas"}, {"101 vezes", "cento e uma  vezes"},
        {"2001 semanas", "duas mil e uma  semanas"}, {"1001 horas", "mil e uma  horas"},
        {"2000000 horas", "dois milhões   horas"}, {"1 horario", "um  horario"}, {"1 horário", "um  horário"},
        {"2 minutos", "dois  minutos"}, {"1 hora.", "uma  hora."},
        {"3 horas", "três  horas"}, {"1horas", "um horas"},
    };
    for (const Rewrite& c : cases) EXPECT_EQ(tts::normalizeText(c.text), c.normalized) << c.text;
}

TEST(Normalization, InstalledAbbreviations) {
    ASSERT_TRUE(tts::loadAbbreviations(VOLTANOR_SOURCE_DIR "/data/tts/portug.abr"));
    EXPECT_EQ(tts::normalizeText("A Sra. Lima, Av. Brasil: 15 min. e 3 km"),  // no point: spelled
              "A senhora Lima, avenida Brasil: quinze  minutos e três  cáême");
}

}  // namespace
