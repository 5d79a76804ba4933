// The engine's own data files: the choices they make for the br1 voice.
#include <gtest/gtest.h>

#include "tts/normalization.h"
#include "tts/pronunciation.h"

namespace {

const std::string dataDirectory = VOLTANOR_SOURCE_DIR "/data/tts/";

std::string phonemesOf(const std::vector<std::string>& words) {
    std::vector<std::string> items;
    for (const std::string& w : words) items.push_back("abc|" + w);
    std::string joined;
    for (const std::string& line : tts::wordsToPhonemeLines(items))
        if (!line.empty() && line[0] != ';' && line != "__") joined += (joined.empty() ? "" : " ") + line;
    return joined;
}

TEST(TtsData, BrazilianPronunciationForBr1) {
    ASSERT_TRUE(tts::loadPronunciationFiles(dataDirectory + "portug.nrl", dataDirectory + "portug.exc"));
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"tia", "dia"}, "t >i a d >i a"},         // no affricates in br1
        {{"leite", "novo"}, "l >e y t i n >o v u"}, // final unstressed e and o
        {{"sol", "calça"}, "s >o w k >a w s a"},    // l closing a syllable
        {{"campo", "bem", "mãe"}, "k >am p u b >em i m >am i"},
        {{"café", "avô", "bola"}, "k a f >ee a v >o b >oo l a"},
        {{"filho", "ninho"}, "f >i l y u n >i nh u"},  // br1 has no lh pairs
        {{"ritmo", "táxi"}, "rr >i t i m u t >a k i s i"},
        {{"carro", "rato", "honra"}, "k >a rr u rr >a t u >om rr a"},
        {{"mar", "azul", "mar", "calmo"}, "m >a r a z >u w m >a r2 k >a w m u"},
        {{"casas", "amarelas"}, "k >a z a z a m a r >ee l a s2"},
        {{"quero", "água", "guerra"}, "k >e r u >a g w a g >e rr a"},
    };
    for (const auto& [words, phonemes] : cases) EXPECT_EQ(phonemesOf(words), phonemes) << words[0];
}

TEST(TtsData, Abbreviations) {
    ASSERT_TRUE(tts::loadAbbreviations(dataDirectory + "portug.abr"));
    EXPECT_EQ(tts::normalizeText("A Sra. Lima mora na Av. Brasil, a 3 km."),
              "A senhora Lima mora na avenida Brasil, a três  quilômetros");
    EXPECT_EQ(tts::normalizeText("Dr. Rui e Dra. Ana: 15 min."), "doutor Rui e doutora Ana: quinze  minutos");
}

}  // namespace
