// The console window: module start, display settings, creation, caption,
// size limits, painting of the text screen, scrolling, the caret, closing and
// the window procedure.
#include <windows.h>

#include <mmsystem.h>

#include <array>
#include <cstdlib>
#include <string>

#include "console/console.h"
#include "console/console_streams.h"
#include "console/keys.h"
#include "settings/sections.h"
#include "text/cp1252.h"
#include "console/screen_buffer.h"
#include "console/screen_text.h"
#include "console/window_layout.h"
#include "console/window_state_win.h"

int screenColumns = 80;
int screenRows = 25;
bool consoleWindowHidden = false;

namespace {

constexpr const char* className = "OxWinCrt";
constexpr const char* endCaption = "Programa terminado";

constexpr std::array<COLORREF, 16> palette{
    RGB(0, 0, 0),       RGB(0, 0, 255),     RGB(0, 255, 0),     RGB(0, 255, 255),
    RGB(255, 0, 0),     RGB(142, 0, 142),   RGB(68, 34, 34),    RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(128, 128, 255), RGB(128, 255, 128), RGB(128, 255, 255),
    RGB(255, 128, 128), RGB(255, 128, 255), RGB(255, 255, 0),   RGB(255, 255, 255)};

HWND window = nullptr;
bool created = false;
bool windowRequested = false;  // the window is made once per process
bool moduleStarted = false;
bool ending = false;  // the program-end handler has run
bool closeAsksFirst = false;  // WM_CLOSE queues Esc for the mode to answer
int windowWidth = 0, windowHeight = 0;
HFONT consoleFont = nullptr;
int cellWidth = 8, lineHeight = 16, caretOffset = 12, textOffset = 0;
std::uint8_t textAttribute = 0x0F;
std::array<std::uint8_t, 16> colorTable{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
bool focused = false, reading = false, painting = false;
bool caretMade = false;  // the system caret exists while the window has the focus
bool breakKeyEnabled = true, scrollByCopy = false, startMaximized = false;
int configuredBrailleMode = 0;
int magnifyFactor = 2;
std::string caption;
std::string accessibleLine;  // read instead of the screen when not empty
HDC paintContext = nullptr;
WaveDoneHandler waveDoneHandler = nullptr;
bool waveDoneEnabled = false;
console::ScreenBuffer screen;

COLORREF colourOf(unsigned colourNumber) {
    unsigned index = colorTable[colourNumber & 15];
    return index < palette.size() ? palette[index] : RGB(0, 0, 0);
}

HGDIOBJ fontForPainting() { return consoleFont ? static_cast<HGDIOBJ>(consoleFont) : GetStockObject(SYSTEM_FIXED_FONT); }

// Draws columns [first, end) of a line in runs of equal colour; the text
// drawing fills each cell's background itself.
void paintSpan(int row, int first, int end) {
    if (end <= first || !created || !screen.allocated()) return;
    HDC dc = painting ? paintContext : GetDC(window);
    if (!dc) return;
    HGDIOBJ previousFont = SelectObject(dc, fontForPainting());
    SetBkMode(dc, OPAQUE);
    screen.forEachRun(row, first, end, [&](int column, int length, std::uint8_t attribute) {
        SetTextColor(dc, colourOf(attribute & 15));
        SetBkColor(dc, colourOf(attribute >> 4));
        TextOutA(dc, column * cellWidth + textOffset, row * lineHeight,
                 reinterpret_cast<const char*>(screen.rowChars(row)) + column, length);
    });
    SelectObject(dc, previousFont);
    if (!painting) ReleaseDC(window, dc);
}

void showScroll() {
    if (!created) return;
    RECT frame{};
    GetWindowRect(window, &frame);
    if (scrollByCopy && GetActiveWindow() == window && GetSystemMetrics(SM_CYSCREEN) - 32 > frame.bottom) {
        HDC dc = GetDC(window);
        int width = screen.columns() * cellWidth;
        BitBlt(dc, 0, 0, width, (screen.rows() - 1) * lineHeight, dc, 0, lineHeight, SRCCOPY);
        RECT last{0, (screen.rows() - 1) * lineHeight, width, screen.rows() * lineHeight};
        HBRUSH brush = CreateSolidBrush(colourOf(textAttribute >> 4));
        FillRect(dc, &last, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
    } else {
        InvalidateRect(window, nullptr, FALSE);
    }
    UpdateWindow(window);
}

class WindowView : public console::ScreenView {
public:
    void paintSpan(int row, int first, int end) override { ::paintSpan(row, first, end); }
    void scrolledUp() override { showScroll(); }
    void beep() override { MessageBeep(0); }
};
WindowView windowView;

void paintUpdateRectangle(HWND hwnd) {
    PAINTSTRUCT ps;
    paintContext = BeginPaint(hwnd, &ps);
    painting = true;
    console::CellRange cells = console::cellsInRectangle(ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right,
                                                         ps.rcPaint.bottom, cellWidth, lineHeight,
                                                         screen.columns(), screen.rows());
    for (int row = cells.firstRow; row < cells.endRow; ++row) paintSpan(row, cells.firstColumn, cells.endColumn);
    painting = false;
    EndPaint(hwnd, &ps);
    paintContext = nullptr;
}

console::FrameMetrics frameMetrics() {
    console::FrameMetrics frame;
    frame.frameWidth = GetSystemMetrics(SM_CXFRAME);
    frame.frameHeight = GetSystemMetrics(SM_CYFRAME);
    frame.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    frame.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    frame.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    return frame;
}

TEXTMETRICA measureFont(HWND owner) {
    TEXTMETRICA metrics{};
    HDC dc = GetDC(owner);
    HGDIOBJ previous = SelectObject(dc, fontForPainting());
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(owner, dc);
    return metrics;
}

void setSizeLimits(HWND hwnd, MINMAXINFO* info) {
    TEXTMETRICA metrics = measureFont(hwnd);
    cellWidth = metrics.tmAveCharWidth > 0 ? metrics.tmAveCharWidth : 1;
    lineHeight = metrics.tmHeight + metrics.tmExternalLeading > 0 ? metrics.tmHeight + metrics.tmExternalLeading : 1;
    caretOffset = metrics.tmAscent;
    console::SizeLimits limits =
        console::windowSizeLimits(frameMetrics(), cellWidth, lineHeight, screenColumns, screenRows);
    info->ptMaxSize = {limits.maximized.width, limits.maximized.height};
    info->ptMinTrackSize = {limits.smallestTrack.width, limits.smallestTrack.height};
    info->ptMaxTrackSize = {limits.largestTrack.width, limits.largestTrack.height};
}

void applySettings(const DisplaySettings& settings) {
    colorTable = settings.colorTable;
    scrollByCopy = settings.scrollByCopy;
    textAttribute = settings.textAttribute;
    magnifyFactor = settings.magnifyFactor;
}

DisplaySettings readSettings() {
    RECT workArea{0, 0, 1024, 734};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return readDisplaySettings(workArea.right - workArea.left, workArea.bottom - workArea.top);
}

void createConsoleFont(const DisplaySettings& settings) {
    // The face name field holds 31 characters.
    std::string face = settings.fontFace.substr(0, LF_FACESIZE - 1);
    consoleFont = CreateFontA(console::limitFontDimension(settings.fontHeight),
                              console::limitFontDimension(settings.fontWidth), 0, 0, 0, FALSE, FALSE, FALSE,
                              ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, face.empty() ? nullptr : face.c_str());
}

void releaseFont() {
    if (!consoleFont) return;
    // Make sure the font is selected nowhere before it goes.
    HDC dc = GetDC(window);
    if (dc) {
        SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
        ReleaseDC(window, dc);
    }
    DeleteObject(consoleFont);
    consoleFont = nullptr;
}

// The caret underlines the cell at the write position; it is made hidden.
void placeCaret() {
    if (caretMade) SetCaretPos(screen.cursorColumn() * cellWidth, screen.cursorRow() * lineHeight + caretOffset);
}

void makeCaret() {
    if (!created) return;
    caretMade = CreateCaret(window, nullptr, cellWidth, 2) != FALSE;
    placeCaret();
}

void destroyCaret() {
    if (caretMade) DestroyCaret();
    caretMade = false;
}

// Whatever changed the screen moves the caret and is announced at the next pump.
void screenChanged() {
    placeCaret();
    console::detail::screenTextChanged();
}

LRESULT CALLBACK consoleWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    window = hwnd;
    switch (message) {
    case WM_CREATE:
        created = true;
        screen.allocate(screenColumns, screenRows, textAttribute);
        return 0;
    case WM_DESTROY:
        screen.release();
        PostQuitMessage(0);
        created = false;
        return 0;
    case WM_SETFOCUS:
        // The caret is there, hidden, for magnifiers and screen readers to
        // follow; it is seen only while the program waits for a key.
        focused = true;
        makeCaret();
        if (reading) ShowCaret(hwnd);
        return 0;
    case WM_KILLFOCUS:
        focused = false;
        destroyCaret();
        return 0;
    case WM_GETOBJECT:
        return console::detail::answerGetObject(hwnd, wParam, lParam);
    case WM_PAINT:
        paintUpdateRectangle(hwnd);
        return 0;
    case WM_CLOSE:
        if (closeAsksFirst) {
            keyQueueEscape();
            return 0;
        }
        closeConsoleWindow();
    case WM_GETMINMAXINFO:
        setSizeLimits(hwnd, reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case MM_WOM_DONE:
        if (waveDoneEnabled && waveDoneHandler) {
            waveDoneHandler(hwnd, static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam));
            return 0;
        }
        break;
    default:
        if (console::detail::handleKeyboardMessage(hwnd, message, wParam, lParam)) return 0;
        if (console::detail::handleMagnifierMessage(hwnd, message, wParam, lParam)) return 0;
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void detachWindowProcedure() {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
}

// Runs when the program ends by exit(): after a quit message or the break key
// the window is still there and shows that the program is over.
void programEnded() {
    ending = true;
    if (!created || !IsWindow(window)) return;
    SetWindowTextA(window, endCaption);
    EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    breakKeyEnabled = false;
    detachWindowProcedure();
    created = false;
}

// Without its window the program can neither show nor say anything (the wave
// device reports to the window): it tells where it was started from and ends.
[[noreturn]] void endWithoutWindow() {
    writeStandardError("voltanor: the window could not be created (is a display available?)\n");
    ending = true;
    std::exit(exitNoWindow);
}

std::string ownExecutablePath() {
    char path[81] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, 80);
    path[length < 80 ? length : 80] = '\0';
    OemToCharA(path, path);
    return path;
}

}  // namespace

void closeQueuesEscape(bool on) { closeAsksFirst = on; }

// A GUI program has a standard error only when one was handed to it; else it
// writes to its parent's console, if that has one.
void writeStandardError(const std::string& text) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if ((error == nullptr || error == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        error = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
    DWORD written = 0;
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
        WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

namespace console::detail {
bool breakKeyEnabled() { return ::breakKeyEnabled; }
bool windowFocused() { return focused; }
bool waitingForKey() { return reading; }
void setWaitingForKey(bool waiting) { reading = waiting; }
void showCaretAtCursor() {
    if (!created) return;
    makeCaret();
    if (caretMade) ShowCaret(window);
}
void hideCaret() {
    if (caretMade) HideCaret(window);
}
bool windowAlive(HWND handle) { return created && !ending && handle == window && screen.allocated(); }
std::u16string screenTextNow() {
    if (accessibleLine.empty()) return console::screenText(screen);
    std::u16string line;
    for (char c : accessibleLine) line += cp1252::toUnicode(static_cast<unsigned char>(c));
    return line;
}
const std::string& captionNow() { return caption; }
int magnifyFactor() { return ::magnifyFactor; }
int creationWidth() { return windowWidth; }
int creationHeight() { return windowHeight; }
int cellWidth() { return ::cellWidth; }
int lineHeight() { return ::lineHeight; }
}  // namespace console::detail

namespace console {
void reloadDisplaySettings() {
    applySettings(readSettings());
    if (created) InvalidateRect(window, nullptr, FALSE);
}
}  // namespace console

void consoleModuleStart() {
    if (moduleStarted) return;
    moduleStarted = true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = consoleWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    console::bindStandardStreams();
    caption = ownExecutablePath();
    for (std::size_t n = 0; n < colorTable.size(); ++n) colorTable[n] = static_cast<std::uint8_t>(n);
    // atexit handlers run newest first, so the ones installed before this
    // one still run after it.
    std::atexit(programEnded);
}

void ensureConsoleWindow() {
    if (windowRequested) return;
    windowRequested = true;
    consoleModuleStart();  // harmless when it already ran
    DisplaySettings settings = readSettings();
    applySettings(settings);
    configuredBrailleMode = settings.brailleMode;
    startMaximized = settings.startMaximized;
    createConsoleFont(settings);

    TEXTMETRICA metrics = measureFont(nullptr);
    textOffset = metrics.tmOverhang;
    console::Size size = console::initialWindowSize(frameMetrics(), metrics.tmAveCharWidth,
                                                    metrics.tmHeight + metrics.tmExternalLeading, screenRows);
    windowWidth = size.width;
    windowHeight = size.height;
    if (!CreateWindowA(className, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, windowWidth,
                       windowHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr))
        endWithoutWindow();
    if (!consoleWindowHidden) {
        ShowWindow(window, startMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
        UpdateWindow(window);
    }
    setBrailleMode(configuredBrailleMode);
}

void revealConsoleWindow() {
    if (!created || !consoleWindowHidden) return;
    consoleWindowHidden = false;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
}

void setConsoleTitle(const std::string& text) {
    std::string previous = caption;
    caption = console::captionFor(text);
    if (!created) return;
    SetWindowTextA(window, caption.c_str());
    if (caption != previous) console::detail::announceCaptionChange(window);
}

void setAccessibleLine(const std::string& line) {
    accessibleLine = line;
    if (created) console::detail::screenTextChanged();
}

void closeConsoleWindow(int exitCode) {
    if (created) {
        while (keyPending()) readKey();
    }
    releaseFont();
    if (window && IsWindow(window)) {
        detachWindowProcedure();
        DestroyWindow(window);
    }
    created = false;
    std::exit(exitCode);
}

void writeText(const char* bytes, std::uint16_t count) {
    // Output that comes while the process ends (the runtime flushing its
    // streams) has no window left to show it.
    if (ending) return;
    ensureConsoleWindow();
    screen.write(reinterpret_cast<const unsigned char*>(bytes), count, textAttribute, windowView);
    screenChanged();
}

void writeChar(char c) { writeText(&c, 1); }

void writeString(const std::string& text) {
    std::size_t done = 0;
    do {
        std::size_t piece = text.size() - done;
        if (piece > 0xFFFF) piece = 0xFFFF;
        writeText(text.data() + done, static_cast<std::uint16_t>(piece));
        done += piece;
    } while (done < text.size());
}

void clearScreen() {
    ensureConsoleWindow();
    screen.clear(textAttribute);
    if (!created) return;
    screenChanged();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

namespace {
// Takes and dispatches every pending message (of one window, or of the whole
// thread when window is null); a quit message ends the program.
void pumpPending(HWND filter) {
    if (created) console::detail::announceTextChange(window);
    MSG message;
    while (PeekMessageA(&message, filter, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            if (ending) continue;
            terminateProgram();
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
}  // namespace

void pumpMessages() { pumpPending(nullptr); }

void pumpWindowMessages() {
    if (window) pumpPending(window);
}

void sleepPumping(std::uint16_t milliseconds) {
    Sleep(milliseconds);
    pumpMessages();
    pumpWindowMessages();
}

// WaitMessage sleeps through messages that are already queued but were looked
// at (a key that arrives between a loop's key test and its wait, and is seen
// by a peek elsewhere, as COM's waits do), so the wait also ends on any input
// still in the queue.
void waitForMessage() { MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE); }

void terminateProgram() {
    if (focused && reading) console::detail::hideCaret();
    std::exit(exitTerminated);
}

void postConsoleMessage(unsigned message) { PostMessageA(window, message, 0, 0); }

void setWaveDoneHandler(WaveDoneHandler handler) { waveDoneHandler = handler; }
void enableWaveDoneHandler(bool enabled) { waveDoneEnabled = enabled; }
void* consoleWindowHandle() { return window; }
