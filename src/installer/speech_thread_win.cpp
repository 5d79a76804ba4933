// The speech thread, and what the speech front end asks of its surroundings
// (console.h's pumps, waits and key test), answered for a thread with no
// console: the "key pending" that stops speech is the stop flag, set by a new
// text or a key the installer saw; the waits end on the thread's messages.
// VOLTANOR_FALA_LOG=FILE appends each text said, then "(fim)" or "(parado)".
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "audio/wave_output.h"
#include "console/console.h"
#include "installer/speech_thread.h"
#include "settings/sections.h"
#include "speech/speech.h"

namespace {

constexpr int installerSpeed = 3;  // the default speed of the settings the voice brings
constexpr UINT wakeMessage = WM_APP + 7;
constexpr char windowClass[] = "VoltanorFala";

// Made and destroyed by the speech thread, posted to by the installer's.
std::atomic<HWND> window{nullptr};
HANDLE thread = nullptr;
HANDLE wake = nullptr;     // a text or the end waits for the thread
HANDLE started = nullptr;  // the thread tried to start the voice
bool startedOk = false;
std::string dataFolder;
std::mutex lock;
std::string nextText;
bool textWaiting = false;
bool ending = false;
std::atomic<bool> stopFlag{false};

void log(const std::string& line) {
    const char* file = std::getenv("VOLTANOR_FALA_LOG");
    if (file == nullptr || *file == '\0') return;
    if (std::FILE* out = std::fopen(file, "ab")) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fclose(out);
    }
}

LRESULT CALLBACK windowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_WOM_DONE) {
        onBlockDone(static_cast<std::intptr_t>(lParam));
        return 0;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

void* deviceWindow() { return window.load(); }

void showDeviceError(const char*) {}  // nobody to tell: the installer goes on silent

PlaybackHost threadHost() {
    return {.deviceWindow = deviceWindow,
            .pumpMessages = pumpMessages,
            .sleepPumping = sleepPumping,
            .waitForMessage = waitForMessage,
            .showDeviceError = showDeviceError};
}

// This module's own handle (the plug-in's, not the installer's): the window
// class goes with it when it is unloaded.
HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&windowProcedure), &module);
    return module;
}

bool startVoice() {
    WNDCLASSA windowClassInfo{};
    windowClassInfo.lpfnWndProc = windowProcedure;
    windowClassInfo.hInstance = thisModule();
    windowClassInfo.lpszClassName = windowClass;
    RegisterClassA(&windowClassInfo);
    window = CreateWindowExA(0, windowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClassInfo.hInstance, nullptr);
    if (window.load() == nullptr) return false;
    waveOutputStart(threadHost());
    diphoneModuleStart();
    speechModuleStart();
    SpeechSettings settings = readSpeechSettingsFromFile(installerSpeed, dataFolder + "\\ORAVIX.INI");
    return startDefaultVoice({dataFolder + "\\letras", dataFolder + "\\difones"}, settings) == 0;
}

// The next text, or false once the thread is to end.
bool takeNextText(std::string& text) {
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(lock);
            if (ending) return false;
            if (textWaiting) {
                text.swap(nextText);
                textWaiting = false;
                stopFlag = false;
                return true;
            }
        }
        MsgWaitForMultipleObjects(1, &wake, FALSE, INFINITE, QS_ALLINPUT);
        pumpMessages();
    }
}

DWORD WINAPI speechMain(void*) {
    startedOk = startVoice();
    // A voice that did not start may have opened its rules or its database: closed before the answer.
    if (!startedOk) diphoneClose();
    SetEvent(started);
    if (startedOk) {
        std::string text;
        while (takeNextText(text)) {
            log(text);
            speak(text);
            waitWhileSpeaking();
            log(stopFlag ? "(parado)" : "(fim)");
        }
        stopSpeech();
        diphoneClose();
    }
    if (HWND own = window.exchange(nullptr)) DestroyWindow(own);
    UnregisterClassA(windowClass, thisModule());
    return 0;
}

void wakeThread() {
    SetEvent(wake);
    if (HWND target = window.load()) PostMessageA(target, wakeMessage, 0, 0);
}

}  // namespace

bool speechThreadStart(const std::string& folder) {
    if (thread != nullptr) return startedOk;
    dataFolder = folder;
    wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, speechMain, nullptr, 0, nullptr);
    if (thread == nullptr) return false;
    WaitForSingleObject(started, INFINITE);
    if (!startedOk) speechThreadEnd();
    return startedOk;
}

void speechThreadSay(const std::string& text) {
    if (thread == nullptr) return;
    {
        std::lock_guard<std::mutex> guard(lock);
        nextText = text;
        textWaiting = true;
        stopFlag = true;
    }
    wakeThread();
}

void speechThreadAdd(const std::string& text) {
    if (thread == nullptr) return;
    {
        std::lock_guard<std::mutex> guard(lock);
        nextText = textWaiting ? nextText + " " + text : text;
        textWaiting = true;
    }
    wakeThread();
}

void speechThreadStop() {
    if (thread == nullptr) return;
    stopFlag = true;
    wakeThread();
}

void speechThreadEnd() {
    if (thread == nullptr) return;
    {
        std::lock_guard<std::mutex> guard(lock);
        ending = true;
        stopFlag = true;
    }
    wakeThread();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(wake);
    CloseHandle(started);
    thread = wake = started = nullptr;
    ending = false;
}

// ---- console.h, as the speech front end uses it on this thread ----

bool keyPending() { return stopFlag; }

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void sleepPumping(std::uint16_t milliseconds) {
    Sleep(milliseconds);
    pumpMessages();
}

void waitForMessage() { MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE); }

void postConsoleMessage(unsigned message) {
    if (HWND target = window.load()) PostMessageA(target, message, 0, 0);
}

// A voice that cannot start is told by speechThreadStart's answer; there is
// no window to write to or read from.
void writeString(const std::string&) {}
void revealConsoleWindow() {}
int readLine(char* buffer, int size) {
    if (size > 0) buffer[0] = '\0';
    return 0;
}
void closeConsoleWindow(int) { ExitThread(0); }
