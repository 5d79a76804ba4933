// The three clients behind the screen-reader destination, each answering
// false when its reader did not take the call.
#pragma once
#include <windows.h>

#include <string>

namespace jaws {
bool open();  // JAWS's object is registered and could be made
bool say(const std::wstring& text, bool interrupt);
void stop();
}  // namespace jaws

namespace nvda {
bool running();  // the controller answers
bool say(const std::wstring& text, bool interrupt);  // speech, then the same as a Braille message
void stop();
}  // namespace nvda

namespace notification {
// A UI Automation notification raised for the window; false where the system
// has no such event (before Windows 10 1709, Wine) or no client listens.
bool say(HWND window, const std::wstring& text, bool interrupt);
}  // namespace notification
