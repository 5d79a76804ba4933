#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "audio/wave_output.h"
#include "battery/power_reading.h"
#include "console/console.h"
#include "platform/between_processes.h"
#include "settings/sections.h"
#include "speech/speech.h"
#include "watch/announcements.h"
#include "watch/logon_choice.h"
#include "watch/watcher.h"

namespace {

// The watcher's hidden window (earlier versions' /parar closes it).
constexpr const char* watcherClassName = "VoltanorAvisoDeBateria";
constexpr unsigned stopWaitMilliseconds = 10000;
// A voice that cannot start is shown and sounded, then the watcher ends
// after a key or this long: a window at logon never waits for ever.
constexpr DWORD failureWaitMilliseconds = 60000;
constexpr const char* failureLogLine = "O aviso de bateria n\xE3o p\xF4" "de iniciar a voz e foi encerrado.\r\n";

bool stopAsked = false;
bool pollNow = false;

LRESULT CALLBACK watcherWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // /parar both signals and closes (an earlier version's watcher only
        // knows the close): what is being said ends once.
        if (!stopAsked) stopSpeech();
        stopAsked = true;
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
        HANDLE stopEvent = between_processes::watcherStopEvent();
        if (MsgWaitForMultipleObjectsEx(stopEvent ? 1 : 0, &stopEvent, dueTick - now, QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 && stopEvent && !stopAsked) {
            stopAsked = true;
            stopSpeech();
        }
        pumpMessages();
    }
}

// %LOCALAPPDATA%\Voltanor\aviso.log, for whoever looks later: the window
// may have been closed, or never seen.
void appendToFailureLog(const std::string& lines) {
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder) != S_OK) return;
    std::string path = std::string(folder) + "\\Voltanor";
    CreateDirectoryA(path.c_str(), nullptr);
    path += "\\aviso.log";
    std::FILE* log = std::fopen(path.c_str(), "ab");
    if (!log) return;
    char when[32] = {};
    std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now)) std::strftime(when, sizeof when, "%d/%m/%Y %H:%M:%S", local);
    std::fputs((std::string(when) + " " + failureLogLine + lines).c_str(), log);
    std::fclose(log);
}

// The watcher's voice could not start: heard as the critical warning's tones
// (the wave device needs no voice data), shown (the window is revealed) and
// logged; it ends after a key, /parar or a minute.
[[noreturn]] void endAfterStartFailure(const std::string& lines) {
    appendToFailureLog(lines);
    logLines(std::string(failureLogLine) + lines);
    writeString(std::string(failureLogLine));
    std::vector<unsigned char> tone = warningTone(2);
    setTrimSpeech(false);
    playBufferAndWait(tone.data());
    const DWORD end = GetTickCount() + failureWaitMilliseconds;
    HANDLE stopEvent = between_processes::watcherStopEvent();
    while (!keyPending() && !stopAsked) {
        LONG left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0) break;
        if (MsgWaitForMultipleObjectsEx(stopEvent ? 1 : 0, &stopEvent, static_cast<DWORD>(left), QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 && stopEvent)
            break;
    }
    closeConsoleWindow(exitWatcherVoiceFailed);
}

}  // namespace

bool runWatcher(WatchStart start) {
    // Each user may turn the logon start off without an administrator.
    if (start == WatchStart::atLogon && !logonWarningsWanted()) closeConsoleWindow(exitNormal);
    if (!between_processes::becomeWatcher()) {
        if (start == WatchStart::atLogon) closeConsoleWindow(exitNormal);  // nothing to say at logon
        return false;
    }
    consoleWindowHidden = true;
    ensureConsoleWindow();
    setStartFailureEnding(endAfterStartFailure);
    startSpeech(0, "");
    VoltanorSettings settings = readVoltanorSettings(startDirectory());
    const WatchRules rules = watchRulesFor(settings, secondsPerMinute());
    createWatcherWindow();
    // Read before the first words, so that a change while they are said is told.
    WatchState state = watchState(readPowerStatus(), clockSeconds());
    // At logon it says nothing until there is something to warn of: a screen
    // reader starts at the same time.
    if (start == WatchStart::byHand) say({watcherStartedText, 0});

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
    closeConsoleWindow(exitNormal);
}

bool stopWatcher() {
    if (!between_processes::askWatcherToStop()) return false;
    between_processes::waitUntilWatcherEnded(stopWaitMilliseconds);
    return true;
}
