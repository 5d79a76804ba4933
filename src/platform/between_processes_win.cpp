#include "platform/between_processes.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace between_processes {

namespace {

// One watcher per user session.  The names stay as earlier versions made
// them: their watchers are found and stopped the same way.
constexpr const char* watcherMutexName = "Local\\VoltanorAvisoDeBateria";
constexpr const char* stopEventName = "Local\\VoltanorPararAviso";
// The watcher's hidden window, which earlier versions closed to stop it.
constexpr const char* watcherClassName = "VoltanorAvisoDeBateria";

HANDLE watcherMutex = nullptr;
HANDLE stopEvent = nullptr;

// The objects may be opened by an installer elevated with an administrator's
// password (another user in this session): administrators, the system and
// the session's interactive users may stop the watcher.
struct SessionWide {
    SECURITY_ATTRIBUTES attributes{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
    SessionWide() {
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;IU)(A;;GA;;;OW)",
                                                             SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr);
    }
    ~SessionWide() { LocalFree(attributes.lpSecurityDescriptor); }
    SECURITY_ATTRIBUTES* get() { return attributes.lpSecurityDescriptor ? &attributes : nullptr; }
};

// The processes of the watchers' hidden windows, opened to wait for.
std::vector<HANDLE> watcherProcesses() {
    std::vector<HANDLE> processes;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, watcherClassName, nullptr)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId)) processes.push_back(process);
    }
    return processes;
}

}  // namespace

bool becomeWatcher() {
    SessionWide security;
    watcherMutex = CreateMutexA(security.get(), TRUE, watcherMutexName);
    if (!watcherMutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (watcherMutex) CloseHandle(watcherMutex);
        watcherMutex = nullptr;
        return false;
    }
    stopEvent = CreateEventA(security.get(), TRUE, FALSE, stopEventName);
    if (stopEvent) ResetEvent(stopEvent);  // a stop asked of an earlier watcher is not for this one
    return true;
}

void* watcherStopEvent() { return stopEvent; }

bool askWatcherToStop() {
    bool running = false;
    if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, stopEventName)) {
        running = SetEvent(event) != 0;
        CloseHandle(event);
    }
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, watcherClassName, nullptr)) != nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        running = true;
    }
    if (HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, watcherMutexName)) {
        running = true;
        CloseHandle(mutex);
    }
    return running;
}

bool waitUntilWatcherEnded(unsigned milliseconds) {
    const DWORD start = GetTickCount();
    auto left = [&] {
        DWORD spent = GetTickCount() - start;
        return spent >= milliseconds ? 0 : milliseconds - spent;
    };
    bool ended = true;
    // The mutex is let go when the watcher's thread ends, its process a moment
    // later: the process is what holds the files.  Its windows are gone by
    // then, so the processes are found first.
    std::vector<HANDLE> processes = watcherProcesses();
    if (HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, watcherMutexName)) {
        DWORD result = WaitForSingleObject(mutex, left());
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) ReleaseMutex(mutex);
        else ended = false;
        CloseHandle(mutex);
    }
    for (HANDLE process : processes) {
        if (WaitForSingleObject(process, left()) != WAIT_OBJECT_0) ended = false;
        CloseHandle(process);
    }
    return ended;
}

}  // namespace between_processes
