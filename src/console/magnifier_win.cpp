// The right-button magnifier: a snapshot of the window taken when the button
// goes down is stretched around the pointer over the whole window until the
// button comes up.
#include <windows.h>

#include "console/magnifier_geometry.h"
#include "console/window_state_win.h"

namespace {

bool magnifying = false;
HDC snapshot = nullptr;
HBITMAP snapshotBitmap = nullptr;
HGDIOBJ previousBitmap = nullptr;

// Pointer position of a mouse message: both halves unsigned.
int pointerX(LPARAM lParam) { return LOWORD(lParam); }
int pointerY(LPARAM lParam) { return HIWORD(lParam); }

void draw(HWND window, int x, int y) {
    int width = console::detail::creationWidth(), height = console::detail::creationHeight();
    MagnifierSource source = magnifierSource(x, y, width, height, console::detail::magnifyFactor());
    HDC dc = GetDC(window);
    StretchBlt(dc, 0, 0, width, height, snapshot, source.x, source.y, source.width, source.height, SRCCOPY);
    ReleaseDC(window, dc);
}

void start(HWND window, int x, int y) {
    if (magnifying) return;
    magnifying = true;
    int width = console::detail::creationWidth(), height = console::detail::creationHeight();
    HDC dc = GetDC(window);
    snapshot = CreateCompatibleDC(dc);
    snapshotBitmap = CreateCompatibleBitmap(dc, width, height);
    previousBitmap = SelectObject(snapshot, snapshotBitmap);
    BitBlt(snapshot, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    draw(window, x, y);
}

void stop(HWND window) {
    if (magnifying) {
        SelectObject(snapshot, previousBitmap);
        DeleteObject(snapshotBitmap);
        DeleteDC(snapshot);
        snapshot = nullptr;
        snapshotBitmap = nullptr;
        previousBitmap = nullptr;
    }
    magnifying = false;
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

namespace console::detail {

bool handleMagnifierMessage(HWND window, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_RBUTTONDOWN:
        start(window, pointerX(lParam), pointerY(lParam));
        return true;
    case WM_MOUSEMOVE:
        if (magnifying) draw(window, pointerX(lParam), pointerY(lParam));
        return true;
    case WM_RBUTTONUP:
        stop(window);
        return true;
    default:
        return false;
    }
}

bool magnifierActive() { return magnifying; }

}  // namespace console::detail
