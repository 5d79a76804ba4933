#include "menu/manual_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// A manual in the installed one's shape: a title, the contents, sections
// whose numbered steps are not sections, and mixed line ends.
const std::string sample =
    "Manual\r\n\r\nConteúdo:\r\n1. Um\r\n2. Dois\r\n\r\n1. Um\r\n\r\nPrimeiro\r\nparágrafo.\n\n"
    "1. Tecle Tab.\r\n\r\n2. Dois\r\r  Último.  \r\n";

TEST(ManualReader, ParagraphsSectionsAndWhereEachKeyGoes) {
    const manual::Manual m = manual::manualFrom(sample);
    ASSERT_EQ(m.paragraphs.size(), 7u);
    EXPECT_EQ(m.sectionStarts, (std::vector<std::size_t>{2, 5}));
    EXPECT_EQ(m.paragraphs[3].text, "Primeiro parágrafo.");
    EXPECT_FALSE(m.paragraphs[4].heading) << "a numbered step inside a section";
    using manual::Key;
    const struct {
        Key key;
        std::size_t at;
        const char* say;
    } steps[] = {
        {Key::up, 0, "Início do manual."},
        {Key::pageUp, 0, "Início do manual."},
        {Key::pageDown, 2, "Seção 1. Um"},
        {Key::down, 3, "Primeiro parágrafo."},
        {Key::pageUp, 2, "Seção 1. Um"},
        {Key::pageUp, 2, "Primeira seção."},
        {Key::end, 6, "Seção 2. Dois Último."},
        {Key::down, 6, "Fim do manual."},
        {Key::up, 5, "Seção 2. Dois"},
        {Key::up, 4, "Seção 1. Um 1. Tecle Tab."},
        {Key::pageDown, 5, "Seção 2. Dois"},
        {Key::pageDown, 5, "Última seção."},
        {Key::other, 5, ""},
        {Key::home, 0, "Manual"},
    };
    manual::Reader reader;
    for (const auto& step : steps) {
        manual::Reaction r = manual::react(m, reader, step.key);
        EXPECT_EQ(reader.at, step.at) << step.say;
        EXPECT_EQ(r.say, step.say);
        EXPECT_EQ(r.outcome, manual::Outcome::stay);
    }
    EXPECT_EQ(manual::react(m, reader, Key::escape).outcome, manual::Outcome::leave);
}

TEST(ManualReader, ReadingWithoutStopsGoesToTheEndAndAnEmptyManualSaysSo) {
    const manual::Manual m = manual::manualFrom(sample);
    manual::Reader reader{4, false};
    EXPECT_EQ(manual::react(m, reader, manual::Key::enter).say, "Seção 1. Um 1. Tecle Tab.");
    EXPECT_EQ(manual::continueReading(m, reader), "Seção 2. Dois");
    EXPECT_EQ(manual::continueReading(m, reader), "Último.");
    EXPECT_EQ(manual::continueReading(m, reader), "");
    EXPECT_FALSE(reader.readingOn);

    const manual::Manual none = manual::manualFrom("\r\n \r\n");
    manual::Reader nowhere;
    EXPECT_EQ(manual::greeting(none), manual::missingText);
    EXPECT_EQ(manual::react(none, nowhere, manual::Key::down).say, manual::missingText);
}

TEST(ManualReader, TheInstalledManualHasEverySectionOfItsContentsAndDigitsReachThem) {
    std::ifstream in(VOLTANOR_SOURCE_DIR "/data/manual.txt", std::ios::binary);
    const manual::Manual m = manual::manualFrom(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_GE(m.sectionStarts.size(), 8u);
    for (std::size_t i = 0; i < m.sectionStarts.size(); ++i)
        EXPECT_EQ(m.paragraphs[m.sectionStarts[i]].text.rfind(std::to_string(i + 1) + ". ", 0), 0u) << i;
    ASSERT_EQ(m.sectionStarts.size(), 12u) << "the digits below reach two-digit sections";
    const struct {
        const char* typed;
        const char* said;  // how the last key's answer starts
    } cases[] = {{"1", "Seção 1."}, {"12", "Seção 12."}, {"123", "Seção 3."}, {"0", "Não há seção 0."},
                 {"010", "Seção 10."}, {"19", "Seção 9."}};
    for (const auto& c : cases) {
        manual::Reader reader;
        manual::Reaction r;
        for (const char* d = c.typed; *d; ++d) r = manual::react(m, reader, manual::Key::digit, *d);
        EXPECT_EQ(r.say.rfind(c.said, 0), 0u) << c.typed << ": " << r.say;
    }
}

}  // namespace
