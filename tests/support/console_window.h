// The program's console window for tests that send it messages: made first
// when no test before them has made it.
#pragma once

#include <windows.h>

#include "console/console.h"

inline HWND madeConsoleWindow() {
    ensureConsoleWindow();
    return static_cast<HWND>(consoleWindowHandle());
}
