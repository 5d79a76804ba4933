// Native stand-in for the wave device (audio/wave_device.h).  Every open is
// recorded with the bytes of each block written while it was open; written
// blocks come back as finished at the next message pump of the fake console,
// through the registered done handler, as MM_WOM_DONE would bring them.
#include <algorithm>
#include <deque>

#include "audio/wave_device.h"
#include "audio/wave_output.h"
#include "console/console_playback.h"
#include "fakes/fake_console.h"
#include "fakes/fake_wave_device.h"

namespace {

unsigned char blocks[waveBlockCount + 1][waveBlockSize];
int lockCounts[waveBlockCount + 1] = {};

std::vector<fake::DeviceOpen> opens;
std::vector<std::vector<unsigned char>> sounds;
bool soundEnded = true;  // the next block written starts a new sound
int openAttempts = 0;
std::deque<int> openResults;
int unprepareResult = 0;
bool writesAccepted = true;
bool held = false;
bool isOpen = false;
int resets = 0;
int closes = 0;
int closesWithBlocksOut = 0;
std::deque<int> written;  // block indexes the device still holds, oldest first
int releaseAll = 0;       // after a reset, this many come back even while held
int hookGeneration = 0;
unsigned timerMilliseconds = 0;
TimerDue timerDue = nullptr;

void returnFinishedBlocks() {
    while (!written.empty() && (!held || releaseAll > 0)) {
        const int index = written.front();
        written.pop_front();
        if (releaseAll > 0) --releaseAll;
        fake::deliverWaveDone(0, static_cast<std::intptr_t>(index));
    }
}

}  // namespace

namespace fake {

std::vector<unsigned char> DeviceOpen::bytes() const {
    std::vector<unsigned char> all;
    for (const auto& block : blocks) all.insert(all.end(), block.begin(), block.end());
    return all;
}

void resetWaveDevice() {
    stopPlayback();  // a device a test left open is closed before it is forgotten
    opens.clear();
    sounds.clear();
    openAttempts = 0;
    openResults.clear();
    unprepareResult = 0;
    writesAccepted = true;
    held = false;
    isOpen = false;
    resets = 0;
    closes = 0;
    closesWithBlocksOut = 0;
    written.clear();
    releaseAll = 0;
    ++hookGeneration;
    std::fill(std::begin(lockCounts), std::end(lockCounts), 0);
    waveOutputStart(consolePlaybackHost());  // the fake console's window and pumps, as in the program
}

std::vector<DeviceOpen>& deviceOpens() { return opens; }

std::vector<std::vector<unsigned char>>& playedSounds() { return sounds; }

std::vector<unsigned char> allPlayedBytes() {
    std::vector<unsigned char> all;
    for (const auto& open : opens) {
        auto bytes = open.bytes();
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    return all;
}

unsigned timerSetFor() { return timerMilliseconds; }

bool fireTimer() {
    TimerDue due = timerDue;
    waveDeviceStopTimer();
    if (due != nullptr) due();
    return due != nullptr;
}

int deviceOpenAttempts() { return openAttempts; }
void setDeviceOpenResults(std::vector<int> results) { openResults.assign(results.begin(), results.end()); }
void setUnprepareResult(int result) { unprepareResult = result; }
void holdCompletions(bool hold) { held = hold; }
void setWritesAccepted(bool accepted) { writesAccepted = accepted; }
bool waveDeviceIsOpen() { return isOpen; }
int waveDeviceResets() { return resets; }
int waveDeviceCloses() { return closes; }
int waveDeviceClosesWithBlocksOut() { return closesWithBlocksOut; }
int blocksOnDevice() { return static_cast<int>(written.size()); }
int lockedBlocks() {
    int n = 0;
    for (int i = 1; i <= waveBlockCount; ++i) n += lockCounts[i] > 0;
    return n;
}

}  // namespace fake

bool waveDeviceAllocate() { return true; }  // the blocks are static here

unsigned char* waveDeviceLockBlock(int index) {
    ++lockCounts[index];
    return blocks[index];
}

void waveDeviceReleaseBlock(int index) {
    if (lockCounts[index] > 0) --lockCounts[index];
}

int waveDeviceOpen(void* window, std::uint32_t rate, std::uint16_t bits, std::uint16_t channels) {
    ++openAttempts;
    int result = 0;
    if (!openResults.empty()) {
        result = openResults.front();
        openResults.pop_front();
    }
    if (result != 0) return result;
    isOpen = true;
    fake::DeviceOpen open;
    open.window = window;
    open.rate = rate;
    open.bits = bits;
    open.channels = channels;
    opens.push_back(open);
    soundEnded = true;
    // The console's pump hooks are cleared with the console; hook in again at
    // every open, and let only the newest hook act.
    const int generation = ++hookGeneration;
    fake::addPumpHook([generation] {
        if (generation == hookGeneration) returnFinishedBlocks();
    });
    return 0;
}

bool waveDeviceWrite(int index, std::uint32_t length) {
    if (!isOpen || !writesAccepted || lockCounts[index] == 0) return false;
    opens.back().blocks.emplace_back(blocks[index], blocks[index] + length);
    if (soundEnded || written.empty()) sounds.emplace_back();
    soundEnded = false;
    sounds.back().insert(sounds.back().end(), blocks[index], blocks[index] + length);
    written.push_back(index);
    return true;
}

void waveDeviceReset() {
    ++resets;
    releaseAll = static_cast<int>(written.size());
}

void waveDeviceClose() {
    ++closes;
    if (!written.empty()) ++closesWithBlocksOut;
    written.clear();
    releaseAll = 0;
    isOpen = false;
}

bool waveDeviceStartTimer(void*, unsigned milliseconds, TimerDue due) {
    timerMilliseconds = milliseconds;
    timerDue = due;
    return true;
}

void waveDeviceStopTimer() {
    timerMilliseconds = 0;
    timerDue = nullptr;
}

int waveDeviceUnprepare(std::intptr_t header, int* index) {
    *index = (header >= 1 && header <= waveBlockCount) ? static_cast<int>(header) : 0;
    return unprepareResult;
}
