// The screen's text as assistive technology reads it.
#include "console/screen_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class NoView : public console::ScreenView {
public:
    void paintSpan(int, int, int) override {}
    void scrolledUp() override {}
    void beep() override {}
};

TEST(ScreenText, LinesWithoutTrailingBlanksJoinedWithCrLf) {
    struct Case {
        const char* what;
        int columns, rows;
        std::string written;
        std::u16string text;
    } cases[] = {
        {"nothing written", 10, 3, "", u""},
        {"trailing blanks and bottom lines go", 10, 4, "ab  \r\nc", u"ab\r\nc"},
        {"blank lines between text stay", 10, 4, "a\r\n\r\n  b ", u"a\r\n\r\n  b"},
        {"a full line ends at the last column", 3, 2, "abcd", u"abc\r\nd"},
        {"accented letters and the 0x80 row", 20, 2, "N\xEDvel N\xE3o h\xE1 \x80\x81\x9F",
         u"N\u00EDvel N\u00E3o h\u00E1 \u20AC\u0081\u0178"},
        {"scrolled: the lost line is gone", 5, 2, "1\n2\n3", u"2\r\n3"},
        {"a line of blanks only at the bottom", 5, 3, "x\n     ", u"x"},
    };
    for (const Case& c : cases) {
        console::ScreenBuffer screen;
        screen.allocate(c.columns, c.rows, 0x0F);
        NoView view;
        screen.write(reinterpret_cast<const unsigned char*>(c.written.data()), c.written.size(), 0x0F, view);
        EXPECT_TRUE(console::screenText(screen) == c.text) << c.what;
    }
    EXPECT_TRUE(console::screenText(console::ScreenBuffer{}).empty()) << "unallocated";
}

}  // namespace
