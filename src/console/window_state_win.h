// What the console window's Win32 files share among themselves (not for the
// rest of the program, which uses console.h).
#pragma once
#include <windows.h>

#include <string>

namespace console::detail {

// console_window_win.cpp
bool breakKeyEnabled();
bool windowFocused();
bool waitingForKey();
void setWaitingForKey(bool waiting);
void showCaretAtCursor();
void hideCaret();
int magnifyFactor();
int creationWidth();   // the window size computed at creation
int creationHeight();
int cellWidth();       // pixels of one text cell
int lineHeight();
// What the accessible object reads; windowAlive is false once the window has
// gone or the program is ending.
bool windowAlive(HWND window);
std::u16string screenTextNow();
const std::string& captionNow();

// accessible_text_win.cpp: the answer to WM_GETOBJECT, and the events that
// tell assistive technology of changes.  A changed screen is announced once,
// when the program next pumps messages, however many writes came before.
LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam);
void screenTextChanged();
void announceTextChange(HWND window);
void announceCaptionChange(HWND window);

// input_win.cpp: keyboard messages; false sends the message to the default
// window procedure.
bool handleKeyboardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// magnifier_win.cpp: right button and mouse moves.
bool handleMagnifierMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool magnifierActive();

}  // namespace console::detail

namespace console {
// Reads the display settings again and applies the colour table, the text
// colours, the scrolling mode and the magnifier factor to the existing window
// (the font and the size stay).  The integration tests use it to try several
// settings files in one process.
void reloadDisplaySettings();
}  // namespace console
