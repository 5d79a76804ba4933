#include "settings/settings_writer.h"

#include <gtest/gtest.h>

#include "settings/profile_cases.h"

namespace {

TEST(ProfileText, ReadsAsWindowsProfileFunctions) {
    for (const ProfileCase& c : profileCases) {
        const std::optional<std::string> expected = c.windows ? std::optional<std::string>(c.windows) : std::nullopt;
        EXPECT_EQ(settingValueIn(c.text, c.section, c.key), expected) << c.text;
    }
}

TEST(ProfileText, LinesWindowsAndWineMayReadApartAreDoubtful) {
    const struct {
        const char* text;
        bool doubtful;
    } cases[] = {{"\xef\xbb\xbf[A]\n", true}, {"\xef\xbb\xbfK=1\n[A]\n", false}, {"[A\n", true}, {"[A]]\n", true},
                 {"[ A ]\n", true},           {"[A]\nK=1\xa0\n", true},          {"[A]\n\x0bK=1\n", true},
                 {"[A]\nK\x1a=1\n", true},    {"[A] x\n;\xa0\n", false},         {"[A]\nK=a\xa0" "b\n", false}};
    for (const auto& c : cases) {
        bool doubtful = false;
        for (const ProfileLine& line : profileLines(c.text)) doubtful = doubtful || line.doubtful;
        EXPECT_EQ(doubtful, c.doubtful) << c.text;
    }
}

TEST(SettingsWriter, ChangesOnlyWhatIsReadAndKeepsEveryOtherByte) {
    const struct {
        const char* before;
        std::vector<SettingChange> changes;
        const char* after;  // nullptr: refused
        TextProblem problem = TextProblem::none;
        std::size_t line = 0;
    } cases[] = {
        // The value alone changes: comments, blanks, odd spacing, case and each line's end stay.
        {"; nota\r\n\r\n[Tradutor]\r\n  velocidade =  3  \r\nSAPI=SIM\n[X]\r\nVELOCIDADE=1\r\n",
         {{"TRADUTOR", "VELOCIDADE", "4"}},
         "; nota\r\n\r\n[Tradutor]\r\n  velocidade =  4  \r\nSAPI=SIM\n[X]\r\nVELOCIDADE=1\r\n"},
        // A quoted value is replaced whole; a line naming the key without "=" gets one; an empty value is filled.
        {"[A]\nK=\"5\"\nL\nL=7\nM=\n", {{"A", "K", "4"}, {"a", "l", "5"}, {"A", "M", "6"}}, "[A]\nK=4\nL=5\nL=7\nM=6\n"},
        // A missing key goes after its section's last key, with that line's end, before blank lines and
        // the next section's comment; a commented-out key is not the key.
        {"[A]\r\n;K=1\r\nJ=2\n\r\n; sobre B\r\n[B]\r\n", {{"A", "K", "9"}},
         "[A]\r\n;K=1\r\nJ=2\nK=9\n\r\n; sobre B\r\n[B]\r\n"},
        {"[A]\r\n", {{"A", "K", "9"}}, "[A]\r\nK=9\r\n"},
        // A last line without its end gets the file's usual one; the new line ends like the file did.
        {"[A]\r\nJ=2\r\n[B]\nJ=1", {{"B", "K", "9"}}, "[A]\r\nJ=2\r\n[B]\nJ=1\r\nK=9"},
        // A missing section is added at the end after a blank line, once for two keys.
        {"[A]\nJ=2\n\n[B]\nJ=1\n", {{"C", "K", "9"}, {"C", "L", "8"}}, "[A]\nJ=2\n\n[B]\nJ=1\n\n[C]\nK=9\nL=8\n"},
        {"[A]\r\nJ=2", {{"C", "K", "9"}}, "[A]\r\nJ=2\r\n\r\n[C]\r\nK=9\r\n"},
        {"", {{"C", "K", "9"}}, "[C]\r\nK=9\r\n"},
        // The first section of a name and the first key in it; keys before any section belong to none.
        {"K=0\n[A]\nK=1\nK=2\n[A]\nK=3\n", {{"A", "K", "7"}}, "K=0\n[A]\nK=7\nK=2\n[A]\nK=3\n"},
        // Code page 1252 bytes in comments and values pass through.
        {"; configura\xe7\xe3o\r\n[V]\r\nA=n\xe3o\r\n", {{"V", "A", "SIM"}}, "; configura\xe7\xe3o\r\n[V]\r\nA=SIM\r\n"},
        // Files as people and other programs write them: a lone CR between keys, before the key, CR only,
        // a line of the key's name without "=" before the real key.
        {"[TRADUTOR]\r\nVELOCIDADE=3\rDIRLETRAS=C:\\L\r\n", {{"TRADUTOR", "VELOCIDADE", "4"}},
         "[TRADUTOR]\r\nVELOCIDADE=4\rDIRLETRAS=C:\\L\r\n"},
        {"[TRADUTOR]\rVELOCIDADE=3\r\n", {{"TRADUTOR", "VELOCIDADE", "4"}}, "[TRADUTOR]\rVELOCIDADE=4\r\n"},
        {"[TRADUTOR]\rSAPI=NAO\r[X]\rA=1\r", {{"TRADUTOR", "VELOCIDADE", "4"}, {"NOVA", "K", "1"}},
         "[TRADUTOR]\rSAPI=NAO\rVELOCIDADE=4\r[X]\rA=1\r\r[NOVA]\rK=1\r"},
        {"[TRADUTOR]\r\nVELOCIDADE\r\nVELOCIDADE=3\r\n", {{"TRADUTOR", "VELOCIDADE", "4"}},
         "[TRADUTOR]\r\nVELOCIDADE=4\r\nVELOCIDADE=3\r\n"},
        // Refused: a heading Windows does not see behind a byte-order mark, other doubtful lines (by
        // their number), changes no line can hold as read, binary or UTF-16 text.
        {"\xef\xbb\xbf[TRADUTOR]\r\nVELOCIDADE=3\r\n", {{"TRADUTOR", "VELOCIDADE", "4"}}, nullptr,
         TextProblem::doubtfulLine, 1},
        {"[A]\r\nK=1\r\rL=2\n[B]]\n", {{"A", "K", "4"}}, nullptr, TextProblem::doubtfulLine, 5},
        {"[A]\n", {{"A]", "K", "1"}}, nullptr, TextProblem::notWritable},
        {"[A]\n", {{"A", "K=L", "1"}}, nullptr, TextProblem::notWritable},
        {"[A]\n", {{"A", ";K", "1"}}, nullptr, TextProblem::notWritable},
        {"[A]\n", {{"A", "K", " 1"}}, nullptr, TextProblem::notWritable},
        {"[A]\n", {{"A", "K", "1\r\nL=2"}}, nullptr, TextProblem::notWritable},
        {"[A]\0K=1", {{"A", "K", "2"}}, nullptr, TextProblem::notText},
    };
    for (const auto& c : cases) {
        const std::string before = c.problem == TextProblem::notText ? std::string(c.before, 7) : c.before;
        const ChangedText after = withSettingsChanged(before, c.changes);
        EXPECT_EQ(after.problem, c.problem) << c.before;
        EXPECT_EQ(after.line, c.line) << c.before;
        EXPECT_EQ(after.text, c.after ? c.after : "") << c.before;
        EXPECT_TRUE(!c.after || readsAsChanged(before, after.text, c.changes)) << c.before;
    }
    // The check itself: another key read differently, or the change not made, fails it.
    EXPECT_FALSE(readsAsChanged("[A]\nK=1\nL=2\n", "[A]\nK=3\nL=3\n", {{"A", "K", "3"}}));
    EXPECT_FALSE(readsAsChanged("[A]\nK=1\n", "[A]\nK=1\n", {{"A", "K", "3"}}));
    EXPECT_FALSE(readsAsChanged("[A]\nK=1\n", "[A]\nK=3\n[B]\nK=1\n", {{"A", "K", "3"}}));
}

TEST(SettingsWriter, ChangesGoToAnotherProcessAndBackOrNotAtAll) {
    const std::vector<SettingChange> changes{{"TRADUTOR", "SAPI", "SIM"}, {"VOLTANOR", "AVISOS", "20,10,5"}, {"A", "K", ""}};
    const std::optional<std::string> encoded = encodeSettingChanges(changes);
    ASSERT_EQ(encoded, "[TRADUTOR]SAPI=SIM[VOLTANOR]AVISOS=20,10,5[A]K=");
    auto back = decodeSettingChanges(*encoded);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 3u);
    EXPECT_EQ((*back)[1].value, "20,10,5");
    EXPECT_EQ((*back)[2].value, "");
    for (const char* bad : {"A]K=V", "[A]K", "[A]K]L=V", "[]K=V", "[A]=V", "[A]K=V\x01", "[A]K=\"V", "x[A]K=V"})
        EXPECT_FALSE(decodeSettingChanges(bad)) << bad;
    EXPECT_FALSE(encodeSettingChanges({{"A]", "K", "V"}}));
    EXPECT_FALSE(encodeSettingChanges({{"A", "K", "V\" /x"}}));
}

}  // namespace
