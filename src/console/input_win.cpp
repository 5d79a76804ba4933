// Keyboard side of the console window: key messages into the key queue, the
// key test, reading a key and reading a line, and the Braille mode changes
// that keys ask for, announced by their tones.
#include <windows.h>

#include "console/console.h"
#include "console/keys.h"
#include "console/line_editor.h"
#include "console/window_state_win.h"

namespace {

KeyState currentKeyState() {
    KeyState state;
    state.ctrl = GetKeyState(VK_CONTROL) < 0;
    state.alt = GetKeyState(VK_MENU) < 0;
    state.shift = GetKeyState(VK_SHIFT) < 0;
    return state;
}

void keyDown(unsigned virtualKey) {
    switch (handleKeyDown(virtualKey, currentKeyState(), console::detail::breakKeyEnabled())) {
    case KeyDownAction::Terminate:
        terminateProgram();
    case KeyDownAction::BrailleOff:
        setBrailleMode(0);
        break;
    case KeyDownAction::BrailleNext:
        setBrailleMode(brailleMode() + 1);
        break;
    case KeyDownAction::None:
        break;
    }
}

}  // namespace

namespace console::detail {

bool handleKeyboardMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
    unsigned key = static_cast<unsigned>(wParam);
    switch (message) {
    case WM_CHAR:
        handleCharacter(static_cast<unsigned char>(wParam), currentKeyState());
        return true;
    case WM_KEYDOWN:
        keyDown(key);
        return true;
    case WM_SYSKEYDOWN:
        if (!systemKeyDownHandled(key, breakKeyEnabled())) return false;
        keyDown(key);
        return true;
    case WM_KEYUP:
        return brailleMode() != 0 && handleBrailleKeyUp(key, currentKeyState());
    default:
        return false;
    }
}

}  // namespace console::detail

void setBrailleMode(int mode) {
    for (const Tone& tone : brailleModeTones(brailleMode(), mode)) {
        startTone(tone.frequency);
        sleepPumping(tone.milliseconds);
        stopTone();
    }
    setBrailleModeState(mode);
}

bool keyPending() {
    ensureConsoleWindow();
    pumpMessages();
    return keyQueueCount() > 0;
}

unsigned char readKey() {
    if (!keyPending()) {
        console::detail::setWaitingForKey(true);
        if (console::detail::windowFocused()) console::detail::showCaretAtCursor();
        do {
            WaitMessage();
        } while (!keyPending());
        if (console::detail::windowFocused()) console::detail::hideCaret();
        console::detail::setWaitingForKey(false);
    }
    return keyQueueTake();
}

int readLine(char* buffer, int size) {
    return editLine(buffer, size, [] { return readKey(); }, [](char c) { writeChar(c); });
}
