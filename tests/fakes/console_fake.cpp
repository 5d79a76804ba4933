// Native stand-in for the console window's Win32 edge (console.h).
#include "console/console.h"
#include "console/line_editor.h"
#include "fakes/fake_console.h"

#include <deque>
#include <stdexcept>
#include <utility>

int screenColumns = 80;
int screenRows = 25;

namespace {
struct DelayedKey {
    int pumpsLeft;
    unsigned char key;
};
std::string output;
std::string title;
int clears = 0;
std::deque<unsigned char> keys;
std::vector<DelayedKey> delayedKeys;
int pumps = 0;
unsigned long slept = 0;
std::vector<unsigned> sleeps;
std::vector<unsigned> posted;
std::vector<fake::PumpHook> hooks;
WaveDoneHandler waveDone = nullptr;
bool waveDoneOn = false;
std::vector<int> modes;
std::vector<unsigned> toneList;
int idleWaits = 0;

void pump() {
    ++pumps;
    for (auto it = delayedKeys.begin(); it != delayedKeys.end();) {
        if (--it->pumpsLeft <= 0) {
            keys.push_back(it->key);
            it = delayedKeys.erase(it);
        } else {
            ++it;
        }
    }
    // Hooks may add hooks; run the ones present now.
    auto current = hooks;
    for (auto& hook : current) hook();
}
}  // namespace

namespace fake {
void resetConsole() {
    output.clear();
    title.clear();
    clears = 0;
    keys.clear();
    delayedKeys.clear();
    pumps = 0;
    slept = 0;
    sleeps.clear();
    posted.clear();
    hooks.clear();
    waveDone = nullptr;
    waveDoneOn = false;
    modes.clear();
    toneList.clear();
    idleWaits = 0;
    screenColumns = 80;
    screenRows = 25;
}
std::string& consoleOutput() { return output; }
std::string& consoleTitle() { return title; }
int clearScreenCount() { return clears; }
void queueKey(unsigned char key) { keys.push_back(key); }
void queueKeyAfterPumps(int n, unsigned char key) { delayedKeys.push_back({n, key}); }
void queueKeys(const std::string& k) {
    for (char c : k) keys.push_back(static_cast<unsigned char>(c));
}
int queuedKeyCount() { return static_cast<int>(keys.size()); }
int pumpCount() { return pumps; }
unsigned long totalSleptMilliseconds() { return slept; }
std::vector<unsigned>& sleepCalls() { return sleeps; }
std::vector<unsigned>& postedMessages() { return posted; }
void addPumpHook(PumpHook hook) { hooks.push_back(std::move(hook)); }
bool deliverWaveDone(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!waveDoneOn || waveDone == nullptr) return false;
    waveDone(reinterpret_cast<void*>(1), wParam, lParam);
    return true;
}
bool waveDoneHandlerEnabled() { return waveDoneOn && waveDone != nullptr; }
std::vector<int>& brailleModes() { return modes; }
std::vector<unsigned>& tones() { return toneList; }
}  // namespace fake

void consoleModuleStart() {}
void ensureConsoleWindow() {}
bool consoleWindowHidden = false;
void revealConsoleWindow() { consoleWindowHidden = false; }
void setConsoleTitle(const std::string& text) { title = text; }
void closeConsoleWindow(int exitCode) {
    keys.clear();
    throw fake::ProgramEnded{exitCode};
}
void writeText(const char* bytes, std::uint16_t count) { output.append(bytes, count); }
void writeChar(char c) { output.push_back(c); }
void writeString(const std::string& text) { output += text; }
void clearScreen() { ++clears; }

bool keyPending() {
    pump();
    return !keys.empty();
}

unsigned char readKey() {
    int waits = 0;
    while (!keyPending()) {
        if (++waits > 100000) throw std::runtime_error("readKey: no key will ever arrive");
    }
    unsigned char k = keys.front();
    keys.pop_front();
    return k;
}

int readLine(char* buffer, int size) {
    return editLine(buffer, size, [] { return readKey(); }, [](char c) { writeChar(c); });
}

void pumpMessages() { pump(); }
void pumpWindowMessages() { pump(); }
void sleepPumping(std::uint16_t milliseconds) {
    slept += milliseconds;
    sleeps.push_back(milliseconds);
    pump();
}
void waitForMessage() {
    // A real wait would block until a message arrives; here it counts as a pump.
    // A loop that waits forever with nothing to deliver is a bug in the caller.
    if (++idleWaits > 1000000) throw std::runtime_error("waitForMessage: waiting forever");
    pump();
}
void terminateProgram() { throw fake::ProgramEnded{exitTerminated}; }
void postConsoleMessage(unsigned message) { posted.push_back(message); }
void setWaveDoneHandler(WaveDoneHandler handler) { waveDone = handler; }
void enableWaveDoneHandler(bool enabled) { waveDoneOn = enabled; }
void* consoleWindowHandle() { return reinterpret_cast<void*>(1); }
void setBrailleMode(int mode) { modes.push_back(mode); }
void startTone(std::uint16_t frequency) { toneList.push_back(frequency); }
void stopTone() {}
