// The right-button magnifier on the real window: the pixels it shows, read
// back from the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/magnifier_geometry.h"
#include "console/window_state_win.h"
#include "support/console_window.h"

namespace {

// The client area's pixels, 0x00RRGGBB, row by row.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Picture capture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Picture p;
    p.width = client.right;
    p.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP section = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, p.width, p.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const std::uint32_t* source = static_cast<const std::uint32_t*>(bits);
    p.pixels.assign(source, source + static_cast<std::size_t>(p.width) * p.height);
    for (std::uint32_t& px : p.pixels) px &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return p;
}

// Lets every pending paint happen.
void settle(HWND window) {
    UpdateWindow(window);
    pumpMessages();
    UpdateWindow(window);
}

void mouse(UINT message, int x, int y) {
    SendMessageA(madeConsoleWindow(), message, message == WM_RBUTTONUP ? 0 : MK_RBUTTON, MAKELPARAM(x, y));
}

// The magnified picture for a pointer at (x, y) must show, at each window
// pixel (X, Y), the snapshot pixel (sx + X div f, sy + Y div f).  Stretching
// may round a pixel's source by one near the edges of a run, so only points
// whose source lies inside a uniform 3 x 3 block of the snapshot are checked;
// there are thousands of them in a window full of text.
struct Comparison {
    int checked = 0, wrong = 0, differentFromUnmagnified = 0;
};

Comparison compareMagnified(const Picture& before, const Picture& shown, int x, int y, int f) {
    const int width = console::detail::creationWidth(), height = console::detail::creationHeight();
    MagnifierSource s = magnifierSource(x, y, width, height, f);
    Comparison c;
    // The magnified picture covers the creation size; a maximized window is larger.
    const int right = std::min(shown.width, width), bottom = std::min(shown.height, height);
    for (int Y = 0; Y < bottom; ++Y)
        for (int X = 0; X < right; ++X) {
            int u = s.x + X / f, v = s.y + Y / f;
            if (u < 1 || v < 1 || u + 1 >= before.width || v + 1 >= before.height) continue;
            std::uint32_t colour = before.at(u, v);
            bool uniform = true;
            for (int dy = -1; dy <= 1 && uniform; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (before.at(u + dx, v + dy) != colour) uniform = false;
            if (!uniform) continue;
            ++c.checked;
            if (shown.at(X, Y) != colour) ++c.wrong;
            if (before.at(X, Y) != colour) ++c.differentFromUnmagnified;
        }
    return c;
}

class MagnifierWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = madeConsoleWindow();
        clearScreen();
        // A page of varied text, so that every part of the window differs.
        for (int line = 0; line < screenRows; ++line) {
            std::string text;
            for (int column = 0; column < screenColumns - 1; ++column)
                text.push_back(static_cast<char>((line * 7 + column * 3) % 3 == 0 ? ' ' : 'A' + (line * 5 + column) % 26));
            if (line + 1 < screenRows) text += "\r\n";
            writeString(text);
        }
        // Erased whole first: the window paints its cells, and only the
        // erase paints the rest of the client area, which an earlier test
        // may have drawn over directly.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        settle(window);
        before = capture(window);
        factor = effectiveMagnifyFactor(console::detail::magnifyFactor());
    }
    void TearDown() override {
        mouse(WM_RBUTTONUP, 0, 0);
        settle(window);
    }
    HWND window = nullptr;
    Picture before;
    int factor = 1;
};

TEST_F(MagnifierWindowTest, TopLeftAndBottomRightCorners) {
    ASSERT_EQ(factor, 2) << "the settings file of the test prefix changes AMPLIF";
    const int width = console::detail::creationWidth(), height = console::detail::creationHeight();
    struct Corner {
        const char* name;
        int x, y;
    } corners[] = {{"top left", 0, 0}, {"bottom right", width, height}, {"middle", before.width / 2, before.height / 2}};
    for (const Corner& corner : corners) {
        SCOPED_TRACE(corner.name);
        mouse(WM_RBUTTONDOWN, corner.x, corner.y);
        Picture shown = capture(window);
        Comparison c = compareMagnified(before, shown, corner.x, corner.y, factor);
        EXPECT_GT(c.checked, 5000);
        EXPECT_EQ(c.wrong, 0);
        EXPECT_GT(c.differentFromUnmagnified, c.checked / 20);  // it is not the plain picture
        mouse(WM_RBUTTONUP, corner.x, corner.y);
        settle(window);
        EXPECT_TRUE(capture(window).pixels == before.pixels) << "releasing the button restores the window";
    }
}

TEST_F(MagnifierWindowTest, MovesFollowThePointerFromTheSameSnapshot) {
    mouse(WM_RBUTTONDOWN, 0, 0);
    Picture topLeft = capture(window);
    // A second button-down takes no new snapshot (and draws nothing).
    mouse(WM_RBUTTONDOWN, 0, 0);
    EXPECT_TRUE(capture(window).pixels == topLeft.pixels);
    mouse(WM_MOUSEMOVE, before.width, before.height);
    Picture moved = capture(window);
    EXPECT_FALSE(moved.pixels == topLeft.pixels);
    Comparison c = compareMagnified(before, moved, before.width, before.height, factor);
    EXPECT_GT(c.checked, 5000);
    EXPECT_EQ(c.wrong, 0);
    // Back at the corner the picture is the first one again: the snapshot is
    // still the unmagnified window, not the magnified picture.
    mouse(WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(capture(window).pixels == topLeft.pixels);
    mouse(WM_RBUTTONUP, 0, 0);
    settle(window);
    EXPECT_TRUE(capture(window).pixels == before.pixels);
    // Without the button, moves draw nothing.
    mouse(WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(capture(window).pixels == before.pixels);
}

// Text written while magnifying is painted at its normal size over the
// magnified picture: the write repaints the span of the line it changed (here
// from column 0, after a carriage return, to where the write began); the rest
// of the picture stays magnified.
TEST_F(MagnifierWindowTest, TextWrittenWhileMagnifyingIsDrawnAtNormalSize) {
    mouse(WM_RBUTTONDOWN, 0, 0);
    Picture magnified = capture(window);
    writeString("\rZ");  // from the last column of the last line back to its first cell
    Picture shown = capture(window);
    mouse(WM_RBUTTONUP, 0, 0);
    settle(window);
    Picture after = capture(window);

    const int cw = console::detail::cellWidth(), lh = console::detail::lineHeight();
    const int top = (screenRows - 1) * lh, right = std::min(shown.width, (screenColumns - 1) * cw);
    ASSERT_LE(top + lh, shown.height);
    int inCell = 0, changedInCell = 0, outside = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            bool cell = x < right && y >= top && y < top + lh;
            bool nearCell = x < right + 2 && y >= top - 2 && y < top + lh + 2;
            if (cell) {
                ++inCell;
                EXPECT_EQ(shown.at(x, y), after.at(x, y)) << "cell pixel " << x << "," << y;
                if (after.at(x, y) != before.at(x, y)) ++changedInCell;
            } else if (!nearCell) {
                ++outside;
                if (shown.at(x, y) != magnified.at(x, y)) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " outside the repainted span changed";
                    return;
                }
            }
        }
    EXPECT_EQ(inCell, right * lh);
    EXPECT_GT(changedInCell, 0) << "the Z was drawn";
    EXPECT_GT(outside, 0);
}

}  // namespace
