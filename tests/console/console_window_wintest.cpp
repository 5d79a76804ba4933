// The real console window under Wine: display settings read from a real
// ORAVIX.INI in the Windows directory (the one installed there is saved and
// put back), and the colours of the cells read back from the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "console/console.h"
#include "settings/sections.h"
#include "console/window_state_win.h"

namespace {

std::string windowsIniPath() {
    char directory[MAX_PATH];
    UINT n = GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory, n) + "\\ORAVIX.INI";
}

std::string currentIniPath() {
    char directory[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof directory, directory);
    return std::string(directory, n) + "\\ORAVIX.INI";
}

bool readWhole(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    content = all.str();
    return true;
}

void writeWhole(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    // The profile functions keep the last file read; make them look again.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "ORAVIX.INI");
}

void removeFile(const std::string& path) {
    DeleteFileA(path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "ORAVIX.INI");
}

// What the window looked like right after this file created it, taken before
// any test runs (other tests change the screen and the settings).
struct Creation {
    bool madeHere = false;
    bool zoomed = false;
    RECT frame{};
    TEXTMETRICA expectedFont{};
    std::uint8_t textAttribute = 0;
    int magnifyFactor = 0;
} creation;

bool savedIniExists = false;
std::string savedIni;

// Runs before every test of the program: creates the window with 8 lines while
// a settings file exists only in the current directory, which the window must
// not see.
class WindowCreation : public ::testing::Environment {
public:
    void SetUp() override {
        savedIniExists = readWhole(windowsIniPath(), savedIni);
        if (consoleWindowHandle() != nullptr) return;  // made elsewhere first
        removeFile(windowsIniPath());
        writeWhole(currentIniPath(), "[VIDEO]\r\nCORLETRA=2\r\nCORFUNDO=4\r\nCANTOTELA=N\r\nALTURALETRA=9\r\nAMPLIF=5\r\n");
        screenRows = 8;
        ensureConsoleWindow();
        HWND window = static_cast<HWND>(consoleWindowHandle());
        creation.madeHere = true;
        creation.zoomed = IsZoomed(window) != 0;
        GetWindowRect(window, &creation.frame);
        creation.magnifyFactor = console::detail::magnifyFactor();
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        HFONT font = CreateFontA((work.bottom - work.top) * 28 / 734, (work.right - work.left) * 13 / 1024, 0, 0, 0,
                                 FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, "Lucida Console");
        HDC screenDc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screenDc, font);
        GetTextMetricsA(screenDc, &creation.expectedFont);
        SelectObject(screenDc, old);
        ReleaseDC(nullptr, screenDc);
        DeleteObject(font);
        removeFile(currentIniPath());
        restoreSettings();
    }
    static void restoreSettings() {
        if (savedIniExists)
            writeWhole(windowsIniPath(), savedIni);
        else
            removeFile(windowsIniPath());
        console::reloadDisplaySettings();
    }
};

const auto* registered = ::testing::AddGlobalTestEnvironment(new WindowCreation);

HWND consoleWindow() { return static_cast<HWND>(consoleWindowHandle()); }

COLORREF pixel(int x, int y) {
    HWND window = consoleWindow();
    UpdateWindow(window);
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// The background of a cell: its top left corner, where no glyph reaches.
COLORREF cellBackground(int column, int row) {
    return pixel(column * console::detail::cellWidth() + 1, row * console::detail::lineHeight() + 1);
}

// Whether any pixel of the cell has the colour (the glyph's strokes).
bool cellContains(int column, int row, COLORREF colour) {
    int w = console::detail::cellWidth(), h = console::detail::lineHeight();
    HWND window = consoleWindow();
    UpdateWindow(window);
    HDC dc = GetDC(window);
    bool found = false;
    for (int y = row * h; y < (row + 1) * h && !found; ++y)
        for (int x = column * w; x < (column + 1) * w && !found; ++x) found = GetPixel(dc, x, y) == colour;
    ReleaseDC(window, dc);
    return found;
}

class ConsoleWindowTest : public ::testing::Test {
protected:
    void TearDown() override { WindowCreation::restoreSettings(); }
    // Applies a settings file and starts from a clear screen in its colours.
    void settings(const std::string& ini) {
        writeWhole(windowsIniPath(), ini);
        console::reloadDisplaySettings();
        clearScreen();
    }
};

TEST_F(ConsoleWindowTest, CreatedWithDefaultsWhenTheSettingsAreOnlyInTheCurrentDirectory) {
    if (!creation.madeHere) GTEST_SKIP() << "another test created the window first";
    EXPECT_FALSE(creation.zoomed);
    EXPECT_EQ(creation.magnifyFactor, 2);
    const TEXTMETRICA& font = creation.expectedFont;
    const int charWidth = static_cast<int>(font.tmAveCharWidth);
    const int lineHeight = static_cast<int>(font.tmHeight + font.tmExternalLeading);
    const int width = 2 * GetSystemMetrics(SM_CXFRAME) + 80 * charWidth;
    const int height = 2 * GetSystemMetrics(SM_CYFRAME) + 8 * lineHeight + GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(console::detail::creationWidth(), width);
    EXPECT_EQ(console::detail::creationHeight(), height);
    // The system keeps the window within the largest size the window allows.
    EXPECT_EQ(static_cast<int>(creation.frame.right - creation.frame.left),
              std::min(width, std::min(80 * charWidth, GetSystemMetrics(SM_CXSCREEN)) +
                                  2 * GetSystemMetrics(SM_CXFRAME)));
    EXPECT_EQ(static_cast<int>(creation.frame.bottom - creation.frame.top), height);
    EXPECT_EQ(console::detail::cellWidth(), charWidth);
    EXPECT_EQ(console::detail::lineHeight(), lineHeight);
    char className[32] = {};
    GetClassNameA(consoleWindow(), className, sizeof className);
    EXPECT_STREQ(className, "OxWinCrt");
}

// The value rules are checked natively; here, what the real profile lookup
// hands them: defaults, empty values, blanks around keys and values, the
// one-character buffer of AMPLIF.
TEST_F(ConsoleWindowTest, TheRealProfileLookupGivesTheDocumentedValues) {
    const struct {
        const char* ini;
        void (*check)(const DisplaySettings&);
    } cases[] = {
        {"", [](const DisplaySettings& s) {
             EXPECT_EQ(s.textAttribute, 0x0F);
             EXPECT_EQ(s.magnifyFactor, 2);
             EXPECT_EQ(s.fontFace, "Lucida Console");
             EXPECT_FALSE(s.startMaximized);
             EXPECT_FALSE(s.scrollByCopy);
             EXPECT_EQ(s.brailleMode, 0);
         }},
        {"[VIDEO]\r\nCORLETRA=\r\n", [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x07); }},
        {"[VIDEO]\r\nCORLETRA = 12 \r\nCORFUNDO=$1\r\n",
         [](const DisplaySettings& s) { EXPECT_EQ(s.textAttribute, 0x1C); }},
        {"[VIDEO]\r\nTABCORES=0, 1,2\r\n", [](const DisplaySettings& s) {
             EXPECT_EQ(s.colorTable[0], 0);
             EXPECT_EQ(s.colorTable[1], 1);
             EXPECT_EQ(s.colorTable[2], 2);
         }},
        {"[VIDEO]\r\nAMPLIF=12\r\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 1); }},
        {"[VIDEO]\r\nAMPLIF=\r\n", [](const DisplaySettings& s) { EXPECT_EQ(s.magnifyFactor, 2); }},
        {"[VIDEO]\r\nCANTOTELA=N\xC3O\r\nLENTO=Sim\r\n", [](const DisplaySettings& s) {
             EXPECT_TRUE(s.startMaximized);
             EXPECT_TRUE(s.scrollByCopy);
         }},
        {"[VIDEO]\r\nFONTE=\r\nLARGURALETRA=\r\nALTURALETRA=0x10\r\n", [](const DisplaySettings& s) {
             EXPECT_EQ(s.fontFace, "");
             EXPECT_EQ(s.fontWidth, 13);
             EXPECT_EQ(s.fontHeight, 16);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        writeWhole(windowsIniPath(), c.ini);
        c.check(readDisplaySettings(1024, 734));
    }
}

TEST_F(ConsoleWindowTest, ValuesOfAnyLengthAreRead) {
    std::string huge(100000, '9');
    std::string ini = "[VIDEO]\r\nTABCORES=" + huge + "\r\nCORLETRA=" + huge + "\r\nCORFUNDO=-" + huge +
                      "\r\nFONTE=" + huge + "\r\nAMPLIF=" + huge + "\r\nLARGURALETRA=" + huge +
                      "\r\nALTURALETRA=" + huge + "\r\nCANTOTELA=" + huge + "\r\nLENTO=" + huge +
                      "\r\n[BRAILLE]\r\nMODO=" + huge + "\r\n";
    writeWhole(windowsIniPath(), ini);
    DisplaySettings s = readDisplaySettings(1024, 734);
    EXPECT_EQ(s.colorTable[0], 0xFF);
    EXPECT_EQ(s.fontFace, std::string(79, '9'));
    EXPECT_EQ(s.magnifyFactor, '9' & 7);
    EXPECT_EQ(s.fontWidth, 2147483647);
    EXPECT_TRUE(s.startMaximized);
    // The colour byte is 0xFF: background colour 15, which the table leaves white.
    EXPECT_EQ(s.textAttribute, 0xFF);
    console::reloadDisplaySettings();
    clearScreen();
    writeString(huge.substr(0, 3000));
    EXPECT_EQ(cellBackground(0, 0), RGB(255, 255, 255));
}

TEST_F(ConsoleWindowTest, CellsArePaintedInThePaletteColourOfTheTable) {
    const struct {
        const char* ini;
        COLORREF background, text;
    } cases[] = {
        {"", RGB(0, 0, 0), RGB(255, 255, 255)},
        {"[VIDEO]\r\nCORFUNDO=1\r\nCORLETRA=14\r\n", RGB(0, 0, 255), RGB(255, 255, 0)},
        {"[VIDEO]\r\nCORFUNDO=5\r\nCORLETRA=6\r\n", RGB(142, 0, 142), RGB(68, 34, 34)},
        {"[VIDEO]\r\nTABCORES=4,10\r\nCORFUNDO=0\r\nCORLETRA=1\r\n", RGB(255, 0, 0), RGB(128, 255, 128)},
        // A table entry of 16 or more draws black.
        {"[VIDEO]\r\nTABCORES=0,16,7\r\nCORFUNDO=2\r\nCORLETRA=1\r\n", RGB(192, 192, 192), RGB(0, 0, 0)},
        {"[VIDEO]\r\nTABCORES=255,2\r\nCORFUNDO=0\r\nCORLETRA=1\r\n", RGB(0, 0, 0), RGB(0, 255, 0)},
        {"[VIDEO]\r\nCORLETRA=\r\n", RGB(0, 0, 0), RGB(192, 192, 192)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        settings(c.ini);
        writeString("#M");
        EXPECT_EQ(cellBackground(0, 0), c.background);
        EXPECT_EQ(cellBackground(1, 0), c.background);
        EXPECT_EQ(cellBackground(5, 0), c.background);  // cleared in the same colours
        EXPECT_TRUE(cellContains(1, 0, c.text));
    }
}

TEST_F(ConsoleWindowTest, ALineFeedOnTheLastLineScrollsInBothModes) {
    for (const char* slow : {"N", "S"}) {
        SCOPED_TRACE(slow);
        // Every cell red, then lines written in blue.
        settings(std::string("[VIDEO]\r\nCORFUNDO=4\r\nLENTO=") + slow + "\r\n");
        writeWhole(windowsIniPath(), std::string("[VIDEO]\r\nCORFUNDO=1\r\nLENTO=") + slow + "\r\n");
        console::reloadDisplaySettings();
        const int last = screenRows - 1;
        writeString("  ");  // line 0 starts blue
        for (int line = 1; line < last; ++line) writeString("\n");
        EXPECT_EQ(cellBackground(0, 0), RGB(0, 0, 255));
        EXPECT_EQ(cellBackground(0, last), RGB(255, 0, 0));
        writeString("\n");
        EXPECT_EQ(cellBackground(0, last), RGB(255, 0, 0)) << "no scroll yet";
        writeString("\n");  // line 0 is gone: every line below moves up, the last is new
        EXPECT_EQ(cellBackground(0, 0), RGB(255, 0, 0));
        EXPECT_EQ(cellBackground(0, last - 1), RGB(255, 0, 0));
        EXPECT_EQ(cellBackground(0, last), RGB(0, 0, 255));
        EXPECT_EQ(cellBackground(10, last), RGB(0, 0, 255));
    }
}

TEST_F(ConsoleWindowTest, AFullLineWrapsOnlyWhenTheNextCharacterComes) {
    settings("[VIDEO]\r\nCORFUNDO=4\r\n");
    writeWhole(windowsIniPath(), "[VIDEO]\r\nCORFUNDO=2\r\n");
    console::reloadDisplaySettings();
    writeString(std::string(screenColumns, ' '));
    EXPECT_EQ(cellBackground(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(cellBackground(0, 1), RGB(255, 0, 0)) << "the wrap waits";
    writeString(" ");
    EXPECT_EQ(cellBackground(0, 1), RGB(0, 255, 0));
    EXPECT_EQ(cellBackground(1, 1), RGB(255, 0, 0));
}

TEST_F(ConsoleWindowTest, ARepaintDrawsTheScreenAgain) {
    settings("[VIDEO]\r\nCORFUNDO=3\r\n");
    writeString("abc");
    HWND window = consoleWindow();
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, dc);
    EXPECT_EQ(cellBackground(0, 0), RGB(255, 255, 255));
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_EQ(cellBackground(0, 0), RGB(0, 255, 255));
    EXPECT_EQ(cellBackground(3, 2), RGB(0, 255, 255));
}

TEST_F(ConsoleWindowTest, CaptionIsTrimmedAndCut) {
    const struct {
        std::string title, caption;
    } cases[] = {
        {" \t Voltanor - Medidor de bateria \r\n", "Voltanor - Medidor de bateria"},
        {std::string(141, 'a'), std::string(140, 'a') + "..."},
        {std::string(5000, 'b') + "\x01", std::string(140, 'b') + "..."},
    };
    for (const auto& c : cases) {
        setConsoleTitle(c.title);
        char shown[400] = {};
        GetWindowTextA(consoleWindow(), shown, sizeof shown);
        EXPECT_EQ(std::string(shown), c.caption);
    }
}

TEST_F(ConsoleWindowTest, SizeLimitsFollowTheGrid) {
    MINMAXINFO info{};
    SendMessageA(consoleWindow(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    int cw = console::detail::cellWidth(), lh = console::detail::lineHeight();
    int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(info.ptMinTrackSize.x, 2 * fx + 16 * cw);
    EXPECT_EQ(info.ptMinTrackSize.y, 2 * fy + 4 * lh + caption);
    EXPECT_EQ(info.ptMaxSize.x, std::min(screenColumns * cw, GetSystemMetrics(SM_CXSCREEN)) + 2 * fx);
    EXPECT_EQ(info.ptMaxSize.y, std::min(caption + screenRows * lh, GetSystemMetrics(SM_CYSCREEN)) + 2 * fy);
    EXPECT_EQ(info.ptMaxTrackSize.x, info.ptMaxSize.x);
    EXPECT_EQ(info.ptMaxTrackSize.y, info.ptMaxSize.y);
}

TEST_F(ConsoleWindowTest, TheCaretUnderlinesTheCellAtTheWritePosition) {
    if (!creation.madeHere) GTEST_SKIP() << "another test created the window with another font";
    settings("");
    writeString("abc\r\nde");
    console::detail::showCaretAtCursor();
    POINT at{};
    GetCaretPos(&at);
    EXPECT_EQ(at.x, 2 * console::detail::cellWidth());
    EXPECT_EQ(at.y, console::detail::lineHeight() + static_cast<int>(creation.expectedFont.tmAscent));
    console::detail::hideCaret();
}

}  // namespace
