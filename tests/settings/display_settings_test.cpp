#include "settings/sections.h"
#include "settings/setting_values.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace {

using Table = std::array<std::uint8_t, 16>;

constexpr Table identity{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

TEST(SettingInteger, DecimalHexSignsAndWhereReadingStops) {
    const struct {
        const char* text;
        std::int32_t value;
        bool whole;
    } cases[] = {
        {"15", 15, true},          {"  7", 7, true},           {"-3", -3, true},
        {"+12", 12, true},         {"$1F", 31, true},          {"x10", 16, true},
        {"X10", 16, true},         {"0x1f", 31, true},         {"0X20", 32, true},
        {"-$10", -16, true},       {"12abc", 12, false},       {"1,", 1, false},
        {"", 0, false},            {"   ", 0, false},          {"-", 0, false},
        {"$", 0, false},           {"0x", 0, false},           {"abc", 0, false},
        {"$G", 0, false},          {"7 ", 7, false},           {"0", 0, true},
        {"2147483647", 2147483647, true},
        {"99999999999999999999", 2147483647, true},
        {"-2147483648", -2147483647 - 1, true},
        {"-99999999999999999999", -2147483647 - 1, true},
        {"$FFFFFFFFFFFF", 2147483647, true},
    };
    for (const auto& c : cases) {
        std::int32_t value = -99;
        EXPECT_EQ(parseWholeInteger(c.text, value), c.whole) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
}

TEST(ColorTable, EntriesFromTheListAndWhereItStops) {
    const struct {
        const char* value;
        Table expected;
    } cases[] = {
        {"0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15", identity},
        {"4,1", {4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        // A blank after a comma spoils the entry that follows: it is read as "1,".
        {"0, 1,2", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"9, 7,2", {9, 7, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"5, 14,3", {5, 14, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        // Only the low 8 bits are kept; 16 and above are legal (drawn black).
        {"16,257,-1", {16, 1, 255, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"$F,x0E,0x0D", {15, 14, 13, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        // Garbage stops the list at the entry that fails (it keeps what was read).
        {"3,zz,5", {3, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"3,7q,5", {3, 7, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"8,,5", {8, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {",,,,", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        Table table = identity;
        parseColorTable(c.value, table);
        EXPECT_EQ(table, c.expected) << '"' << c.value << '"';
    }
}

TEST(ColorTable, ListsOfAnyLength) {
    Table table = identity;
    parseColorTable(std::string(100000, ','), table);
    EXPECT_EQ(table, identity);
    std::string numbers;
    for (int i = 0; i < 3000; ++i) numbers += "999999999999,";
    parseColorTable(numbers, table);
    EXPECT_EQ(table, (Table{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255}));
}

class DisplaySettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = fake::makeTempDirectory();
        fake::setWindowsDirectory(directory_);
    }
    void TearDown() override { fake::removeFile(directory_ + "/ORAVIX.INI"); }
    DisplaySettings read(const std::string& content, int width = 1024, int height = 734) {
        fake::writeFile(directory_ + "/ORAVIX.INI", content);
        return readDisplaySettings(width, height);
    }
    std::string directory_;
};

TEST_F(DisplaySettingsFile, NoFileGivesEveryDefault) {
    DisplaySettings s = readDisplaySettings(1024, 734);
    EXPECT_EQ(s.colorTable, identity);
    EXPECT_FALSE(s.scrollByCopy);
    EXPECT_EQ(s.textAttribute, 0x0F);
    EXPECT_EQ(s.brailleMode, 0);
    EXPECT_EQ(s.magnifyFactor, 2);
    EXPECT_EQ(s.fontFace, "Lucida Console");
    EXPECT_EQ(s.fontWidth, 13);
    EXPECT_EQ(s.fontHeight, 28);
    EXPECT_FALSE(s.startMaximized);
}

TEST_F(DisplaySettingsFile, EachKeyAndItsEmptyValue) {
    const struct {
        const char* lines;
        void (*check)(const DisplaySettings&);
    } cases[] = {
        {"[VIDEO]\nCORLETRA=\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x07); }},
        {"[VIDEO]\nCORFUNDO=\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x0F); }},
        {"[VIDEO]\nCORFUNDO=1\nCORLETRA=14\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x1E); }},
        {"[VIDEO]\nCORFUNDO=$10\nCORLETRA=3\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x03); }},
        {"[VIDEO]\nCORFUNDO=2x\nCORLETRA=4 azul\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x24); }},
        {"[VIDEO]\nCORFUNDO=-1\nCORLETRA=-1\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0xEF); }},
        {"[VIDEO]\nCORFUNDO=99999999999999\nCORLETRA=99999999999\n",
         [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0xEF); }},
        {"[VIDEO]\nTABCORES=4,1\n",
         [](const DisplaySettings& s) { EXPECT_EQ(s.colorTable, (Table{4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})); }},
        {"[VIDEO]\nTABCORES=\n", [](const DisplaySettings& s) { EXPECT_EQ(s.colorTable, identity); }},
        {"[VIDEO]\nLENTO=sim\n", [](const DisplaySettings& s) { EXPECT_TRUE(s.scrollByCopy); }},
        {"[VIDEO]\nLENTO=N\n", [](const DisplaySettings& s) { EXPECT_FALSE(s.scrollByCopy); }},
        {"[VIDEO]\nLENTO=\n", [](const DisplaySettings& s) { EXPECT_FALSE(s.scrollByCopy); }},
        {"[BRAILLE]\nMODO=1\n", [](const DisplaySettings& s) { EXPECT_EQ(s.brailleMode, 1); }},
        {"[BRAILLE]\nMODO=2\n", [](const DisplaySettings& s) { EXPECT_EQ(s.brailleMode, 2); }},
        {"[BRAILLE]\nMODO=3\n", [](const DisplaySettings& s) { EXPECT_EQ(s.brailleMode, 3); }},
        {"[BRAILLE]\nMODO=6\n", [](const DisplaySettings& s) { EXPECT_EQ(s.brailleMode, 2); }},
        {"[BRAILLE]\nMODO=\n", [](const DisplaySettings& s) { EXPECT_EQ(s.brailleMode, 0); }},
        {"[VIDEO]\nAMPLIF=9\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 1); }},
        {"[VIDEO]\nAMPLIF=12\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 1); }},
        {"[VIDEO]\nAMPLIF=7\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 7); }},
        {"[VIDEO]\nAMPLIF=8\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 0); }},
        {"[VIDEO]\nAMPLIF=0\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 0); }},
        {"[VIDEO]\nAMPLIF=\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 2); }},
        {"[VIDEO]\nFONTE=Courier New\n", [](const DisplaySettings& s) { EXPECT_EQ(s.fontFace, "Courier New"); }},
        {"[VIDEO]\nFONTE=\n", [](const DisplaySettings& s) { EXPECT_EQ(s.fontFace, ""); }},
        {"[VIDEO]\nLARGURALETRA=9\nALTURALETRA=17\n", [](const DisplaySettings& s) {
             EXPECT_EQ(s.fontWidth, 9);
             EXPECT_EQ(s.fontHeight, 17);
         }},
        {"[VIDEO]\nLARGURALETRA=\nALTURALETRA=\n", [](const DisplaySettings& s) {
             EXPECT_EQ(s.fontWidth, 13);
             EXPECT_EQ(s.fontHeight, 28);
         }},
        {"[VIDEO]\nLARGURALETRA=-8\nALTURALETRA=$20\n", [](const DisplaySettings& s) {
             EXPECT_EQ(s.fontWidth, -8);
             EXPECT_EQ(s.fontHeight, 32);
         }},
        {"[VIDEO]\nLARGURALETRA=grande\nALTURALETRA=12pt\n", [](const DisplaySettings& s) {
             EXPECT_EQ(s.fontWidth, 0);
             EXPECT_EQ(s.fontHeight, 12);
         }},
        {"[VIDEO]\nCANTOTELA=N\xC3O\n", [](const DisplaySettings& s) { EXPECT_TRUE(s.startMaximized); }},
        {"[VIDEO]\nCANTOTELA=S\n", [](const DisplaySettings& s) { EXPECT_FALSE(s.startMaximized); }},
        {"[VIDEO]\nCANTOTELA=sim\n", [](const DisplaySettings& s) { EXPECT_FALSE(s.startMaximized); }},
        {"[VIDEO]\nCANTOTELA=\n", [](const DisplaySettings& s) { EXPECT_FALSE(s.startMaximized); }},
        {"[VIDEO]\nCANTOTELA=1\n", [](const DisplaySettings& s) { EXPECT_TRUE(s.startMaximized); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        c.check(read(c.lines));
    }
}

TEST_F(DisplaySettingsFile, DefaultFontSizeFollowsTheWorkArea) {
    const struct {
        int width, height, fontWidth, fontHeight;
    } cases[] = {
        {1024, 734, 13, 28}, {1280, 738, 16, 28}, {1024, 994, 13, 37}, {1023, 733, 12, 27},
        {0, 0, 0, 0},        {78, 26, 0, 0},      {79, 27, 1, 1},      {1920, 1040, 24, 39},
    };
    for (const auto& c : cases) {
        DisplaySettings s = read("[VIDEO]\nCORLETRA=15\n", c.width, c.height);
        EXPECT_EQ(s.fontWidth, c.fontWidth) << c.width;
        EXPECT_EQ(s.fontHeight, c.fontHeight) << c.height;
    }
}

TEST_F(DisplaySettingsFile, ValuesOfAnyLengthAreCutByTheLookupBuffer) {
    std::string longValue(20000, '7');
    DisplaySettings s = read("[VIDEO]\nTABCORES=" + longValue + "\nCORLETRA=" + longValue + "\nFONTE=" + longValue +
                             "\nAMPLIF=" + longValue + "\nLARGURALETRA=" + longValue + "\nALTURALETRA=-" +
                             longValue + "\n[BRAILLE]\nMODO=" + longValue + "\n");
    // 79 sevens saturate; the low 8 bits of 2147483647 are 255.
    EXPECT_EQ(s.colorTable[0], 255);
    EXPECT_EQ(s.colorTable[1], 1);
    EXPECT_EQ(s.textAttribute, 0xFF);
    EXPECT_EQ(s.fontFace, std::string(79, '7'));
    EXPECT_EQ(s.magnifyFactor, 7);
    EXPECT_EQ(s.fontWidth, 2147483647);
    EXPECT_EQ(s.fontHeight, -2147483647 - 1);
    EXPECT_EQ(s.brailleMode, '7' & 3);
}

}  // namespace
