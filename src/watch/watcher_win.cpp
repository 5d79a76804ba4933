#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "audio/wave_output.h"
#include "battery/power_reading.h"
#include "console/console.h"
#include "settings/sections.h"
#include "speech/speech.h"
#include "watch/announcements.h"
#include "watch/watcher.h"

namespace {

// One watcher per user session: the mutex goes with the process, however it ends.
constexpr const char* sessionMutexName = "Local\\VoltanorAvisoDeBateria";
// The watcher's hidden window: /parar finds it by its class and closes it.
constexpr const char* watcherClassName = "VoltanorAvisoDeBateria";
constexpr DWORD stopWaitMilliseconds = 10000;

bool stopAsked = false;
bool pollNow = false;

LRESULT CALLBACK watcherWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        stopAsked = true;
        stopSpeech();  // what is being said ends at once
        return 0;
    case WM_POWERBROADCAST:
        pollNow = true;
        return TRUE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND createWatcherWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = watcherWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = watcherClassName;
    RegisterClassA(&windowClass);
    // A top-level window that is never shown: it gets the power broadcasts
    // (a message-only window would not) and never the focus.
    return CreateWindowA(watcherClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// VOLTANOR_WATCH_LOG names a file that gets every announcement, one a line
// (a tone as "(tom)"), and "(fim)" once it has been said, for the tests that
// follow the watcher from outside.
void logLines(const std::string& lines) {
    const char* path = std::getenv("VOLTANOR_WATCH_LOG");
    if (!path || !*path) return;
    if (std::FILE* log = std::fopen(path, "ab")) {
        std::fputs(lines.c_str(), log);
        std::fclose(log);
    }
}

// VOLTANOR_WATCH_MINUTE=SECONDS makes the watcher's minutes (REPETIR, the
// low warning's ten minutes, the charger's one) that many seconds, from 1 to
// 60, so that the tests hear its reminders without waiting for them.
std::int64_t secondsPerMinute() {
    const char* text = std::getenv("VOLTANOR_WATCH_MINUTE");
    int seconds = text ? std::atoi(text) : 0;
    return seconds >= 1 && seconds <= 60 ? seconds : 60;
}

std::int64_t clockSeconds() { return static_cast<std::int64_t>(GetTickCount64() / 1000); }

void say(const Announcement& announcement) {
    std::string lines;
    for (int beep = 0; beep < announcement.beeps; ++beep) lines += "(tom)\n";
    logLines(lines + announcement.text + "\n");
    if (announcement.beeps > 0) {
        std::vector<unsigned char> tone = warningTone(announcement.beeps);
        bool trim = trimSpeech();  // the tone must not be cut like speech
        setTrimSpeech(false);
        playBufferAndWait(tone.data());
        setTrimSpeech(trim);
    }
    // A screen reader cuts what it says for the critical warning and queues the others.
    speak(announcement.text, announcement.beeps >= 2);
    waitWhileSpeaking();
    logLines("(fim)\n");
}

// Sleeps until the next poll is due, a message comes or the watcher is told
// to stop; messages are handled as they come.
void waitUntil(DWORD dueTick) {
    while (!stopAsked && !pollNow) {
        DWORD now = GetTickCount();
        if (static_cast<LONG>(dueTick - now) <= 0) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, dueTick - now, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        pumpMessages();
    }
}

}  // namespace

bool runWatcher() {
    HANDLE sessionMutex = CreateMutexA(nullptr, FALSE, sessionMutexName);
    if (!sessionMutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (sessionMutex) CloseHandle(sessionMutex);
        return false;
    }
    consoleWindowHidden = true;
    ensureConsoleWindow();
    startSpeech(0, "");
    VoltanorSettings settings = readVoltanorSettings(startDirectory());
    const WatchRules rules = watchRulesFor(settings, secondsPerMinute());
    createWatcherWindow();
    // Read before the first words, so that a change while they are said is told.
    WatchState state = watchState(readPowerStatus(), clockSeconds());
    say({watcherStartedText, 0});

    const DWORD interval = static_cast<DWORD>(settings.pollSeconds) * 1000;
    DWORD due = GetTickCount() + interval;
    while (!stopAsked) {
        waitUntil(due);
        if (stopAsked) break;
        pollNow = false;
        due = GetTickCount() + interval;
        PowerStatus current = readPowerStatus();
        // The estimate asks the battery's driver: only when it is said.
        std::uint32_t untilFull = wantsTimeUntilFull(state, current, rules) ? readSecondsUntilFull() : unknownLifeTime;
        for (const Announcement& announcement : announcementsDue(state, current, clockSeconds(), rules, untilFull)) {
            if (stopAsked) break;
            say(announcement);
        }
    }
    finishSpeech();
    CloseHandle(sessionMutex);
    closeConsoleWindow(exitNormal);
}

bool stopWatcher() {
    HWND watcher = FindWindowA(watcherClassName, nullptr);
    if (!watcher) return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(watcher, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(watcher, WM_CLOSE, 0, 0);
    if (process) {
        WaitForSingleObject(process, stopWaitMilliseconds);
        CloseHandle(process);
    }
    return true;
}
