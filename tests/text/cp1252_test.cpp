// Letter case in code page 1252.
#include <gtest/gtest.h>

#include "text/cp1252.h"

namespace {

TEST(Cp1252, LetterCase) {
    struct Case {
        unsigned char lower, upper;
    } letters[] = {{'a', 'A'},   {'z', 'Z'},   {0xE0, 0xC0}, {0xE3, 0xC3}, {0xE7, 0xC7},
                   {0xEA, 0xCA}, {0xF5, 0xD5}, {0xFA, 0xDA}, {0xFC, 0xDC}, {0xFE, 0xDE},
                   {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
    for (const Case& c : letters) {
        EXPECT_EQ(cp1252::upper(c.lower), c.upper) << int(c.lower);
        EXPECT_EQ(cp1252::lower(c.upper), c.lower) << int(c.upper);
        EXPECT_EQ(cp1252::upper(c.upper), c.upper) << int(c.upper);
        EXPECT_EQ(cp1252::lower(c.lower), c.lower) << int(c.lower);
    }
    // One case only: digits, signs, ß, µ, ×, ÷, the C1 controls and the bytes around the letters.
    for (int c : {0x30, 0x40, 0x5B, 0x60, 0x7B, 0x80, 0xB5, 0xBF, 0xD7, 0xDF, 0xF7}) {
        EXPECT_EQ(cp1252::upper(static_cast<unsigned char>(c)), c) << c;
        EXPECT_EQ(cp1252::lower(static_cast<unsigned char>(c)), c) << c;
    }
    EXPECT_EQ(cp1252::upper(std::string_view("a\xE7\xE3o \xF7 \xDF")), "A\xC7\xC3O \xF7 \xDF");
    EXPECT_EQ(cp1252::lower(std::string_view("N\xC3O \xD7")), "n\xE3o \xD7");
}

}  // namespace
