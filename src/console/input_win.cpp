// Keyboard side of the console window: key messages into the key queue, the
// key test, reading a key and reading a line.
#include <windows.h>

#include <cstring>

#include "console/console.h"
#include "console/window_state_win.h"

namespace {

// ---- interim key queue: replaced by the shared key rules -------------------
unsigned char queue[64];
int queued = 0;
int keyQueueCount() { return queued; }
unsigned char keyQueueTake() {
    if (queued == 0) return 0;
    unsigned char first = queue[0];
    std::memmove(queue, queue + 1, static_cast<std::size_t>(--queued));
    return first;
}
void queueByte(unsigned char c) {
    if (queued < 64) queue[queued++] = c;
}
// -----------------------------------------------------------------------------

}  // namespace

namespace console::detail {

bool handleKeyboardMessage(HWND, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CHAR:
        queueByte(static_cast<unsigned char>(wParam));
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_CANCEL && breakKeyEnabled()) terminateProgram();
        return true;
    default:
        return false;
    }
}

}  // namespace console::detail

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
    int n = 0;
    for (;;) {
        unsigned char b = readKey();
        if (b == 13) break;
        if (b == 8 && n > 0) {
            --n;
            writeChar(8);
        } else if (b >= 32 && n < size - 2) {
            buffer[n++] = static_cast<char>(b);
            writeChar(static_cast<char>(b));
        }
    }
    buffer[n] = 13;
    buffer[n + 1] = 10;
    writeText("\r\n", 2);
    return n + 2;
}

void setBrailleMode(int) {}
void startTone(std::uint16_t) {}
void stopTone() {}
