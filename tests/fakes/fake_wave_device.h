// Control of the native fake of the wave device (the seam under wave output).
// The fake records every open with the bytes of every block written while it
// was open, and returns written blocks as done at the next message pump, as the
// real device does through MM_WOM_DONE.
#pragma once
#include <cstdint>
#include <vector>

namespace fake {

struct DeviceOpen {
    void* window = nullptr;  // the window the device reports to
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    std::uint16_t channels = 0;
    std::vector<std::vector<unsigned char>> blocks;  // each block as written (header length)
    std::vector<unsigned char> bytes() const;        // all blocks joined
};

// Forgets everything, results back to 0, and puts wave output back in its
// start state (waveOutputStart), played through the fake console
// (consolePlaybackHost): switches off, device closed, nothing queued.
void resetWaveDevice();
std::vector<DeviceOpen>& deviceOpens(); // in order
std::vector<unsigned char> allPlayedBytes();
// The bytes of each sound, in order: a sound starts with a block written to a
// device just opened or one that had run dry (handed every block back).
std::vector<std::vector<unsigned char>>& playedSounds();
int deviceOpenAttempts();
void setDeviceOpenResults(std::vector<int> results);  // results of the next open attempts
void setUnprepareResult(int result);    // result of every unprepare from now on
void holdCompletions(bool hold);        // while held, written blocks stay queued

void setWritesAccepted(bool accepted);  // false: the device refuses written blocks
bool waveDeviceIsOpen();
int waveDeviceResets();
int waveDeviceCloses();
int waveDeviceClosesWithBlocksOut();    // closes while the device still held blocks
int blocksOnDevice();                   // written and not yet handed back
int lockedBlocks();                     // blocks locked now
unsigned timerSetFor();                 // milliseconds of the timer now set, 0 when none
bool fireTimer();                       // the set timer's time is up (false: none was set)

}  // namespace fake
