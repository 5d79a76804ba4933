#include "console/screen_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using console::ScreenBuffer;

// Records what the screen asks the window to show, as text: "P2:0-3" paints
// columns [0, 3) of line 2, "S" scrolls, "B" beeps.
class Recorder : public console::ScreenView {
public:
    void paintSpan(int row, int first, int end) override {
        events.push_back("P" + std::to_string(row) + ":" + std::to_string(first) + "-" + std::to_string(end));
    }
    void scrolledUp() override { events.push_back("S"); }
    void beep() override { events.push_back("B"); }
    std::vector<std::string> events;
};

class Screen : public ::testing::Test {
protected:
    void make(int columns, int rows) { screen.allocate(columns, rows, 0x07); }
    void write(const std::string& bytes, std::uint8_t attribute = 0x1E) {
        screen.write(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), attribute, view);
    }
    std::string line(int row) {
        return std::string(reinterpret_cast<const char*>(screen.rowChars(row)), screen.columns());
    }
    void at(int column, int row) {
        // Puts the position at (column, row) with blanks and clears the record.
        write(std::string(row, '\n') + std::string(column, ' '));
        view.events.clear();
    }
    ScreenBuffer screen;
    Recorder view;
};

TEST_F(Screen, AllocatedBlankInTheAttribute) {
    make(5, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(screen.charAt(c, r), ' ');
            EXPECT_EQ(screen.attrAt(c, r), 0x07);
        }
    EXPECT_EQ(screen.cursorColumn(), 0);
    EXPECT_EQ(screen.cursorRow(), 0);
}

TEST_F(Screen, FillingALineLeavesAPendingWrap) {
    make(80, 4);
    write(std::string(80, 'a'));
    EXPECT_EQ(screen.cursorColumn(), 80);
    EXPECT_EQ(screen.cursorRow(), 0);
    EXPECT_EQ(view.events, (std::vector<std::string>{"P0:0-80"}));
}

TEST_F(Screen, PendingWrapThenCrLfChangesLineOnce) {
    make(80, 4);
    write(std::string(80, 'a'));
    view.events.clear();
    write("\r\n");
    EXPECT_EQ(screen.cursorColumn(), 0);
    EXPECT_EQ(screen.cursorRow(), 1);
    write("b");
    EXPECT_EQ(screen.charAt(0, 1), 'b');
    EXPECT_EQ(line(2), std::string(80, ' '));
}

TEST_F(Screen, PendingWrapThenPrintableWrapsFirst) {
    make(80, 4);
    write(std::string(80, 'a'));
    view.events.clear();
    write("z");
    EXPECT_EQ(screen.charAt(0, 1), 'z');
    EXPECT_EQ(screen.charAt(79, 0), 'a');
    EXPECT_EQ(screen.cursorColumn(), 1);
    EXPECT_EQ(screen.cursorRow(), 1);
    EXPECT_EQ(view.events, (std::vector<std::string>{"P1:0-1"}));
}

TEST_F(Screen, LongTextWrapsAcrossLinesPaintingEachOnce) {
    make(4, 3);
    write("abcdefghij");
    EXPECT_EQ(line(0), "abcd");
    EXPECT_EQ(line(1), "efgh");
    EXPECT_EQ(line(2), "ij  ");
    EXPECT_EQ(view.events, (std::vector<std::string>{"P0:0-4", "P1:0-4", "P2:0-2"}));
}

TEST_F(Screen, ControlBytes) {
    const struct {
        const char* name;
        int column;
        std::string bytes;
        int endColumn, endRow;
        std::vector<std::string> events;
    } cases[] = {
        {"backspace at column 0 changes nothing", 0, "\b", 0, 2, {}},
        {"backspace at column 5 blanks cell 4", 5, "\b", 4, 2, {"P2:4-5"}},
        {"tab is ignored", 3, "\t", 3, 2, {}},
        {"other control bytes are ignored", 3, std::string("\x00\x01\x06\x0B\x0C\x0E\x1B\x1F", 8), 3, 2, {}},
        {"bell beeps and writes nothing", 3, "\a", 3, 2, {"B"}},
        {"line feed alone returns to column 0", 6, "\n", 0, 3, {}},
        {"carriage return", 6, "\r", 0, 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        make(10, 5);
        write("x\r\nx\r\n" + std::string("0123456789").substr(0, static_cast<std::size_t>(c.column)));
        view.events.clear();
        std::string before = line(2);
        write(c.bytes);
        EXPECT_EQ(screen.cursorColumn(), c.endColumn);
        EXPECT_EQ(screen.cursorRow(), c.endRow);
        EXPECT_EQ(view.events, c.events);
        if (c.bytes == "\b" && c.column == 5) {
            EXPECT_EQ(line(2), "0123      ");
            EXPECT_EQ(screen.attrAt(4, 2), 0x1E);
        } else {
            EXPECT_EQ(line(2), before);
        }
    }
}

TEST_F(Screen, BackspaceNeverGoesToThePreviousLine) {
    make(10, 3);
    write("abc\r\n\b\b\b");
    EXPECT_EQ(screen.cursorRow(), 1);
    EXPECT_EQ(screen.cursorColumn(), 0);
    EXPECT_EQ(line(0), "abc       ");
}

TEST_F(Screen, ReturnThenTextPaintsEveryChangedCell) {
    make(80, 3);
    at(10, 0);
    write("abc\rX");
    EXPECT_EQ(screen.charAt(0, 0), 'X');
    EXPECT_EQ(screen.charAt(10, 0), 'a');
    EXPECT_EQ(view.events, (std::vector<std::string>{"P0:0-13"}));
}

TEST_F(Screen, PrintableBytesUpTo255AndTheirColour) {
    make(8, 2);
    write("\x20\x7F\x80\xE3\xFF", 0x4A);
    EXPECT_EQ(screen.charAt(0, 0), 0x20);
    EXPECT_EQ(screen.charAt(1, 0), 0x7F);
    EXPECT_EQ(screen.charAt(2, 0), 0x80);
    EXPECT_EQ(screen.charAt(3, 0), 0xE3);
    EXPECT_EQ(screen.charAt(4, 0), 0xFF);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(screen.attrAt(c, 0), 0x4A);
    EXPECT_EQ(screen.attrAt(5, 0), 0x07);
}

TEST_F(Screen, LineFeedOnTheLastLineScrolls) {
    make(3, 3);
    write("aaa\r\nbbb\r\nccc", 0x12);
    view.events.clear();
    write("\n", 0x34);
    EXPECT_EQ(line(0), "bbb");
    EXPECT_EQ(line(1), "ccc");
    EXPECT_EQ(line(2), "   ");
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(screen.attrAt(c, 1), 0x12);
        EXPECT_EQ(screen.attrAt(c, 2), 0x34);
    }
    EXPECT_EQ(screen.cursorRow(), 2);
    EXPECT_EQ(screen.cursorColumn(), 0);
    EXPECT_EQ(view.events, (std::vector<std::string>{"S"}));
}

TEST_F(Screen, WrapOnTheLastLineScrollsAfterPaintingTheFullLine) {
    make(3, 2);
    write("abc\r\ndef");
    view.events.clear();
    write("g");
    EXPECT_EQ(line(0), "def");
    EXPECT_EQ(line(1), "g  ");
    EXPECT_EQ(view.events, (std::vector<std::string>{"S", "P1:0-1"}));
}

TEST_F(Screen, EightLinesScrollOnTheEighthLineFeed) {
    make(80, 8);
    screen.clear(0x07);
    for (int i = 1; i <= 7; ++i) {
        write("\n");
        EXPECT_EQ(screen.cursorRow(), i);
    }
    EXPECT_TRUE(view.events.empty());
    write("\n");
    EXPECT_EQ(screen.cursorRow(), 7);
    EXPECT_EQ(view.events, (std::vector<std::string>{"S"}));
}

TEST_F(Screen, TextBeforeALineFeedIsPaintedBeforeTheScroll) {
    make(5, 1);
    write("hi\n");
    EXPECT_EQ(view.events, (std::vector<std::string>{"P0:0-2", "S"}));
    EXPECT_EQ(line(0), "     ");
}

TEST_F(Screen, ClearBlanksHomesAndUsesTheAttribute) {
    make(4, 2);
    write("abcdef");
    screen.clear(0x5C);
    EXPECT_EQ(line(0), "    ");
    EXPECT_EQ(line(1), "    ");
    EXPECT_EQ(screen.attrAt(3, 1), 0x5C);
    EXPECT_EQ(screen.cursorColumn(), 0);
    EXPECT_EQ(screen.cursorRow(), 0);
}

TEST_F(Screen, WithoutPlanesWritesAreIgnored) {
    make(0, 8);
    EXPECT_FALSE(screen.allocated());
    write("abc\n\b\a");
    EXPECT_TRUE(view.events.empty());
    make(4, 2);
    screen.release();
    write("abc");
    EXPECT_TRUE(view.events.empty());
    EXPECT_EQ(screen.cursorColumn(), 0);
}

TEST_F(Screen, RunsOfEqualColour) {
    make(10, 2);
    write("aa", 0x01);
    write("bbb", 0x02);
    write("c", 0x01);
    std::vector<std::string> runs;
    auto record = [&](int column, int length, std::uint8_t attribute) {
        runs.push_back(std::to_string(column) + "+" + std::to_string(length) + "@" + std::to_string(attribute));
    };
    screen.forEachRun(0, 0, 10, record);
    EXPECT_EQ(runs, (std::vector<std::string>{"0+2@1", "2+3@2", "5+1@1", "6+4@7"}));
    runs.clear();
    screen.forEachRun(0, 3, 5, record);
    EXPECT_EQ(runs, (std::vector<std::string>{"3+2@2"}));
    runs.clear();
    screen.forEachRun(0, -5, 2, record);
    screen.forEachRun(0, 9, 50, record);
    screen.forEachRun(2, 0, 10, record);
    screen.forEachRun(0, 4, 4, record);
    EXPECT_EQ(runs, (std::vector<std::string>{"0+2@1", "9+1@7"}));
}

TEST(UpdateRectangle, CellsThatIntersectIt) {
    const struct {
        int left, top, right, bottom;
        console::CellRange cells;
    } cases[] = {
        {0, 0, 800, 160, {0, 80, 0, 8}},      {0, 0, 5000, 5000, {0, 80, 0, 8}},
        {15, 17, 16, 32, {1, 2, 0, 2}},       {16, 32, 17, 33, {1, 2, 1, 2}},
        {-40, -40, 9, 1, {0, 1, 0, 1}},       {10, 10, 10, 10, {1, 1, 0, 1}},
        {795, 150, 810, 170, {79, 80, 7, 8}},
    };
    for (const auto& c : cases) {
        console::CellRange r = console::cellsInRectangle(c.left, c.top, c.right, c.bottom, 10, 20, 80, 8);
        EXPECT_EQ(r.firstColumn, c.cells.firstColumn) << c.left;
        EXPECT_EQ(r.endColumn, c.cells.endColumn) << c.right;
        EXPECT_EQ(r.firstRow, c.cells.firstRow) << c.top;
        EXPECT_EQ(r.endRow, c.cells.endRow) << c.bottom;
    }
    console::CellRange r = console::cellsInRectangle(0, 0, 100, 100, 0, 0, 80, 8);
    EXPECT_EQ(r.endColumn, 80);
    EXPECT_EQ(r.endRow, 8);
}

}  // namespace
