// Drives the console window through the ways the program ends, one per run
// (tests/e2e/console_window.sh).  Everything it learns is printed to the
// process's standard output with C stdio, since std::cout belongs to the window.
//   show      create, report the window's state, standard streams, close
//   quit      a quit message reaches the pump: exit code 255
//   break     Ctrl+Break: exit code 255
//   closemsg  a close request: exit code 0
//   destroy   the window is destroyed under the console procedure: 255
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "console/console.h"
#include "console/keys.h"
#include "console/window_state_win.h"

namespace {

HWND window() { return static_cast<HWND>(consoleWindowHandle()); }

// Installed before the console module's own end handler, so it runs after it.
void reportEnd() {
    char caption[200] = {};
    bool exists = IsWindow(window()) != 0;
    if (exists) GetWindowTextA(window(), caption, sizeof caption);
    std::printf("end window=%d caption=[%s] defaultProcedure=%d keys=%d\n", exists ? 1 : 0, caption,
                exists && GetWindowLongPtrA(window(), GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&DefWindowProcA)
                    ? 1
                    : 0,
                keyQueueCount());
    std::fflush(stdout);
}

int waveDoneCalls = 0;
std::uintptr_t waveDoneWParam = 0;

void show() {
    screenRows = 8;
    clearScreen();
    RECT frame;
    GetWindowRect(window(), &frame);
    std::printf("zoomed=%d factor=%d braille=%d cell=%dx%d created=%dx%d\n", IsZoomed(window()) ? 1 : 0,
                console::detail::magnifyFactor(), brailleMode(), console::detail::cellWidth(),
                console::detail::lineHeight(), console::detail::creationWidth(), console::detail::creationHeight());
    char caption[300] = {};
    GetWindowTextA(window(), caption, sizeof caption);
    char ownPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, ownPath, sizeof ownPath);
    std::printf("default caption is own path=%d\n", std::strncmp(caption, ownPath, 80) == 0 ? 1 : 0);

    // Standard output and input go through the window.
    std::cout << "Linha de teste " + std::to_string(42) << "\r\n";
    for (const char* keys = "12x\b3\r"; *keys; ++keys) PostMessageA(window(), WM_CHAR, static_cast<unsigned char>(*keys), 1);
    int number = 0;
    std::cin >> number;
    std::cout << "Dobro: " + std::to_string(number * 2) << std::endl;

    // Finished wave blocks reach the handler only while it is switched on.
    setWaveDoneHandler([](void*, std::uintptr_t wParam, std::intptr_t) {
        ++waveDoneCalls;
        waveDoneWParam = wParam;
    });
    SendMessageA(window(), 957, 5, 0);
    enableWaveDoneHandler(true);
    SendMessageA(window(), 957, 7, 0);
    enableWaveDoneHandler(false);
    SendMessageA(window(), 957, 9, 0);
    std::printf("wave done calls=%d last=%u\n", waveDoneCalls, static_cast<unsigned>(waveDoneWParam));

    // Keys still queued when the window closes are thrown away.
    PostMessageA(window(), WM_CHAR, 'a', 1);
    PostMessageA(window(), WM_KEYDOWN, VK_F1, 1);
    std::fflush(stdout);
    closeConsoleWindow();
}

}  // namespace

int main(int argc, char** argv) {
    std::atexit(reportEnd);
    consoleModuleStart();
    std::string mode = argc > 1 ? argv[1] : "show";
    if (mode == "show") show();
    if (argc > 2) setConsoleTitle(argv[2]);
    ensureConsoleWindow();
    if (mode == "quit") PostQuitMessage(0);
    if (mode == "break") PostMessageA(window(), WM_KEYDOWN, VK_CANCEL, 1);
    if (mode == "closemsg") {
        PostMessageA(window(), WM_CHAR, 'z', 1);
        PostMessageA(window(), WM_CLOSE, 0, 0);
    }
    if (mode == "destroy") DestroyWindow(window());
    for (int i = 0; i < 100; ++i) sleepPumping(10);
    std::printf("still running\n");
    return 3;
}
