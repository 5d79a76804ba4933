#include "settings/settings_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsWriter, ChangesOnlyTheValuesAndKeepsEveryOtherByte) {
    const struct {
        const char* before;
        std::vector<SettingChange> changes;
        const char* after;
    } cases[] = {
        // The value alone changes: comments, blanks, odd spacing, case and each line's end stay.
        {"; nota\r\n\r\n[Tradutor]\r\n  velocidade =  3  \r\nSAPI=SIM\n[X]\r\nVELOCIDADE=1\r\n",
         {{"TRADUTOR", "VELOCIDADE", "4"}},
         "; nota\r\n\r\n[Tradutor]\r\n  velocidade =  4  \r\nSAPI=SIM\n[X]\r\nVELOCIDADE=1\r\n"},
        // A value already equal is left as written; an empty value is filled in.
        {"[A]\nK=sim\nL=\n", {{"A", "K", "sim"}, {"a", "l", "5"}}, "[A]\nK=sim\nL=5\n"},
        // A missing key goes after its section's last key, with that line's end, before blank lines and
        // the next section's comment; a commented-out key is not the key.
        {"[A]\r\n;K=1\r\nJ=2\n\r\n; sobre B\r\n[B]\r\n", {{"A", "K", "9"}},
         "[A]\r\n;K=1\r\nJ=2\nK=9\n\r\n; sobre B\r\n[B]\r\n"},
        {"[ A ]\r\n", {{"A", "K", "9"}}, "[ A ]\r\nK=9\r\n"},
        // A last line without its end gets the file's usual one; the new line ends like the file did.
        {"[A]\r\nJ=2\r\n[B]\nJ=1", {{"B", "K", "9"}}, "[A]\r\nJ=2\r\n[B]\nJ=1\r\nK=9"},
        // A missing section is added at the end after a blank line, once for two keys.
        {"[A]\nJ=2\n\n[B]\nJ=1\n", {{"C", "K", "9"}, {"C", "L", "8"}}, "[A]\nJ=2\n\n[B]\nJ=1\n\n[C]\nK=9\nL=8\n"},
        {"[A]\r\nJ=2", {{"C", "K", "9"}}, "[A]\r\nJ=2\r\n\r\n[C]\r\nK=9\r\n"},
        {"", {{"C", "K", "9"}}, "[C]\r\nK=9\r\n"},
        // The first section of a name and the first key in it, as the profile functions read them;
        // keys before any section belong to none.
        {"K=0\n[A]\nK=1\nK=2\n[A]\nK=3\n", {{"A", "K", "7"}}, "K=0\n[A]\nK=7\nK=2\n[A]\nK=3\n"},
        // Code page 1252 bytes in comments and values pass through.
        {"; configura\xe7\xe3o\r\n[V]\r\nA=n\xe3o\r\n", {{"V", "A", "SIM"}}, "; configura\xe7\xe3o\r\n[V]\r\nA=SIM\r\n"},
    };
    for (const auto& c : cases) {
        auto after = withSettingsChanged(c.before, c.changes);
        ASSERT_TRUE(after) << c.before;
        EXPECT_EQ(*after, c.after) << c.before;
    }
    EXPECT_FALSE(withSettingsChanged(std::string("[A]\0K=1", 7), {{"A", "K", "2"}}));
    EXPECT_FALSE(withSettingsChanged(std::string("\xff\xfe[\0A\0]\0", 8), {{"A", "K", "2"}}));
}

TEST(SettingsWriter, ReadsAValueAsTheProfileFunctionsDo) {
    const std::string text = "[A]\r\n k = um valor \r\n;Z=1\r\nE=\r\n[B]\r\nK=2\r\n";
    EXPECT_EQ(settingValueIn(text, "a", "K"), "um valor");
    EXPECT_EQ(settingValueIn(text, "A", "E"), "");
    EXPECT_EQ(settingValueIn(text, "A", "Z"), std::nullopt);
    EXPECT_EQ(settingValueIn(text, "C", "K"), std::nullopt);
}

TEST(SettingsWriter, ChangesGoToAnotherProcessAndBackOrNotAtAll) {
    const std::vector<SettingChange> changes{{"TRADUTOR", "SAPI", "SIM"}, {"VOLTANOR", "AVISOS", "20,10,5"}};
    auto back = decodeSettingChanges(encodeSettingChanges(changes));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[1].value, "20,10,5");
    for (const char* bad : {"A\tK\r\n", "A\tK\tV\tW\x01\r\n", "\tK\tV\r\n", "A\t\tV\r\n", "A K V\r\n"})
        EXPECT_FALSE(decodeSettingChanges(bad)) << bad;
}

}  // namespace
