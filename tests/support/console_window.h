// The console window for tests that send it messages, made first if need be.
#pragma once
#include <windows.h>

#include "console/console.h"

inline HWND madeConsoleWindow() {
    ensureConsoleWindow();
    return static_cast<HWND>(consoleWindowHandle());
}
