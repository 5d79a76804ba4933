// Sends a close request (WM_CLOSE) to the console window whose caption is the
// first argument, as another program or the window manager would:
//     close_console.exe CAPTION
// Exit code 0 when the window was found and the message posted, 1 otherwise.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HWND window = FindWindowA("OxWinCrt", argv[1]);
    if (window == nullptr) return 1;
    return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
