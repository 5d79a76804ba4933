// Control of the native fake of the console window (console.h), for unit tests
// of the modules that use it: what was written, keys that arrive, time slept,
// messages posted, and hooks that run at every pump (the fake wave device
// delivers its finished blocks there, as the real window procedure would).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fake {

// Thrown by closeConsoleWindow and terminateProgram, which never return.
struct ProgramEnded {
    int exitCode;
};

void resetConsole();  // also removes the pump hooks

std::string& consoleOutput();   // every byte given to writeText, in order
std::string& consoleTitle();    // last setConsoleTitle text
int clearScreenCount();

void queueKey(unsigned char key);                        // pending from now on
void queueKeyAfterPumps(int pumps, unsigned char key);   // pending after that many pumps
void queueKeys(const std::string& keys);
int queuedKeyCount();

int pumpCount();                       // pumps so far (keyPending, sleepPumping, ...)
unsigned long totalSleptMilliseconds(); // sum of sleepPumping arguments
std::vector<unsigned>& sleepCalls();   // each sleepPumping argument
std::vector<unsigned>& postedMessages();

using PumpHook = std::function<void()>;
void addPumpHook(PumpHook hook);

// Calls the registered wave-done handler when it is enabled (as MM_WOM_DONE would).
bool deliverWaveDone(std::uintptr_t wParam, std::intptr_t lParam);
bool waveDoneHandlerEnabled();

std::vector<int>& brailleModes();      // each setBrailleMode argument
std::vector<unsigned>& tones();        // each startTone frequency

}  // namespace fake
