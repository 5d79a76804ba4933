// The value conventions of the settings file and the "@" program-directory marker.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/setting_values.h"
#include "settings/settings_file.h"

namespace {

TEST(SettingValues, Booleans) {
    struct Case {
        const char* value;
        bool expected;
    } cases[] = {{"", false},   {"N", false},  {"n", false},   {"Nao", false}, {"n\xE3o", false},
                 {"S", true},   {"SIM", true}, {"1", true},    {"0", true},    {"x", true},
                 {" N", true},  {"yes", true}, {"false", true}};
    for (const Case& c : cases) EXPECT_EQ(settingBoolean(c.value), c.expected) << '"' << c.value << '"';
}

TEST(SettingValues, LeadingIntegers) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"", 0},         {"abc", 0},     {"12", 12},      {"12x", 12},         {"4x", 4},
                 {"  7", 7},      {"\t-3", -3},   {"+5", 5},       {"- 5", 0},          {"$1F", 31},
                 {"x10", 16},     {"0x10", 16},   {"0X1f", 31},    {"-$10", -16},       {"0xZ", 0},
                 {"$", 0},        {"3.9", 3},     {"300ms", 300},  {"99999999999", INT_MAX},
                 {"-99999999999", INT_MIN},       {"2147483647", INT_MAX},              {"-2147483648", INT_MIN}};
    for (const Case& c : cases) EXPECT_EQ(leadingInteger(c.value), c.expected) << '"' << c.value << '"';
}

TEST(SettingValues, WholeIntegersFallBackToTheDefault) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"", 250},    {"abc", 250},  {"300ms", 250}, {"12x", 250}, {"0", 0},     {"120", 120},
                 {"-40", -40}, {" 40", 40},   {"40 ", 250},   {"$10", 16},  {"+", 250},   {"-", 250}};
    for (const Case& c : cases) EXPECT_EQ(wholeInteger(c.value, 250), c.expected) << '"' << c.value << '"';
}

TEST(ProgramMarker, Expansion) {
    struct Case {
        const char* value;
        const char* program;
        const char* expected;
    } cases[] = {
        {"@\\som", "d:\\ov", "d:\\ov\\som"},
        {"x;@\\dados", "d:\\ov", "x;d:\\ov\\dados"},
        {"@", "d:\\ov", "d:\\ov"},
        {"@", "", "C:\\inicio"},
        {"@", "@d:\\ov", "C:\\inicio"},
        {"@\\a;@\\b", "d:\\ov", "d:\\ov\\a;d:\\ov\\b"},
        {"@@\\x", "P", "PP\\x"},          // leading marker, then the "@\" it left behind
        {"@@x", "P", "P@x"},              // "@x" is no marker
        {"a@b", "P", "a@b"},
        {"", "P", ""},
        {"sem marca", "P", "sem marca"},
        {"@@\\x", "\\\\srv", "\\\\srv\\\\srv\\x"},
        {"a@@\\x", "\\d", "a\\d\\d\\x"},  // the "@" before an inserted "\" becomes a marker too
        {"@\\x", "", "C:\\inicio\\x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expandProgramMarker(c.value, c.program, "C:\\inicio"), c.expected) << c.value << " / " << c.program;
}

TEST(ProgramMarker, DirectoryHoldingTheMarkerStillEnds) {
    // Rescanning the inserted text would insert the directory without end.
    EXPECT_EQ(expandProgramMarker("@\\som", "d:\\a@\\b", "C:"), "d:\\a@\\b\\som");
    EXPECT_EQ(expandProgramMarker("x@\\y", "q@", "C:"), "xq@\\y");
    EXPECT_EQ(expandProgramMarker("@", "", "@dir"), "@dir");
    EXPECT_EQ(expandProgramMarker("@\\1@\\2", "@\\", "s@\\"), "s@\\\\1s@\\\\2");
}

}  // namespace
