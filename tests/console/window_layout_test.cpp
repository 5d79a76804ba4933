#include "console/window_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

console::FrameMetrics frame() {
    console::FrameMetrics f;
    f.frameWidth = 4;
    f.frameHeight = 5;
    f.captionHeight = 19;
    f.screenWidth = 1024;
    f.screenHeight = 768;
    return f;
}

TEST(WindowSize, EightyColumnsAndTheConfiguredRows) {
    const struct {
        int charWidth, lineHeight, rows, width, height;
    } cases[] = {
        {8, 16, 8, 2 * 4 + 640, 2 * 5 + 128 + 19},
        {13, 31, 25, 2 * 4 + 1040, 2 * 5 + 775 + 19},
        {0, 0, 8, 8, 29},
        {1000000, 1000000, 1000000, 32767, 32767},
        {-50, -50, 8, 0, 0},
    };
    for (const auto& c : cases) {
        console::Size s = console::initialWindowSize(frame(), c.charWidth, c.lineHeight, c.rows);
        EXPECT_EQ(s.width, c.width) << c.charWidth;
        EXPECT_EQ(s.height, c.height) << c.lineHeight;
    }
}

TEST(WindowSize, LimitsAreTheGridCappedByTheScreen) {
    console::SizeLimits l = console::windowSizeLimits(frame(), 8, 16, 80, 8);
    EXPECT_EQ(l.maximized.width, 640 + 8);
    EXPECT_EQ(l.maximized.height, 19 + 128 + 10);
    EXPECT_EQ(l.smallestTrack.width, 8 + 128);
    EXPECT_EQ(l.smallestTrack.height, 10 + 64 + 19);
    EXPECT_EQ(l.largestTrack.width, l.maximized.width);
    EXPECT_EQ(l.largestTrack.height, l.maximized.height);

    l = console::windowSizeLimits(frame(), 20, 40, 80, 25);
    EXPECT_EQ(l.maximized.width, 1024 + 8);
    EXPECT_EQ(l.maximized.height, 768 + 10);

    l = console::windowSizeLimits(frame(), 2000000000, 2000000000, 255, 2000000000);
    EXPECT_EQ(l.maximized.width, 1024 + 8);
    EXPECT_EQ(l.maximized.height, 768 + 10);
    EXPECT_EQ(l.smallestTrack.width, 32767);
}

TEST(Caption, TrimmedAndCut) {
    const std::string x140(140, 'x');
    const struct {
        std::string title, caption;
    } cases[] = {
        {"Voltanor - Medidor de bateria", "Voltanor - Medidor de bateria"},
        {"  \t\r\n titulo \x01\x1F ", "titulo"},
        {std::string("\x00\x00 a b \x00", 7), "a b"},
        {"\xA0" "a\xFF", "\xA0" "a\xFF"},
        {"", ""},
        {"     ", ""},
        {x140, x140},
        {x140 + "y", x140 + "..."},
        {"   " + x140 + "   ", x140},
        {std::string(10000, 'z'), std::string(140, 'z') + "..."},
    };
    for (const auto& c : cases) EXPECT_EQ(console::captionFor(c.title), c.caption) << c.title.size();
}

TEST(RowsTaken, LinesAndWraps) {
    for (const auto& [text, columns, rows] : std::vector<std::tuple<std::string, int, int>>{
             {"", 80, 1}, {"a\r\n", 80, 2}, {std::string(80, 'x'), 80, 1}, {std::string(81, 'x') + "\r\n\r\nb", 80, 4}, {"a", 0, 0}})
        EXPECT_EQ(console::rowsTaken(text, columns), rows) << text;
}

TEST(FontDimension, WildValuesAreLimited) {
    const struct {
        int value, limited;
    } cases[] = {{0, 0}, {13, 13}, {-28, -28}, {1024, 1024}, {1025, 1024}, {-1025, -1024},
                 {2147483647, 1024}, {-2147483647 - 1, -1024}};
    for (const auto& c : cases) EXPECT_EQ(console::limitFontDimension(c.value), c.limited) << c.value;
}

}  // namespace
