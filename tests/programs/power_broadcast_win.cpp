// Tells the running battery watcher that the power status changed, as Windows
// does (Wine never does):  power_broadcast.exe
// Exit code 1: no watcher's window.
#include <windows.h>

int main() {
    HWND watcher = FindWindowA("VoltanorAvisoDeBateria", nullptr);
    if (!watcher) return 1;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(watcher, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    return 0;
}
