// The wave-output device under the playback logic: four sample blocks with
// their device headers, made once and reused in rotation, and the calls that
// open the device, hand it a block and take blocks back.  wave_device_win.cpp
// is the real device; the native tests link a fake.
#pragma once
#include <cstdint>

constexpr int waveBlockCount = 4;
constexpr std::uint32_t waveBlockSize = 65534;

// Module start: makes the four blocks and their headers (only the first call
// allocates).  False when the memory cannot be had.
bool waveDeviceAllocate();

// Locks block `index` (1 to 4) for filling; its waveBlockSize bytes stay
// locked until waveDeviceReleaseBlock.  Null when it cannot be locked.
unsigned char* waveDeviceLockBlock(int index);
// Unlocks the block and its header.
void waveDeviceReleaseBlock(int index);

// One attempt to open the device for PCM of this format, with finished blocks
// reported to `window` (an HWND).  0 or the device's error code.
int waveDeviceOpen(void* window, std::uint32_t rate, std::uint16_t bits, std::uint16_t channels);
// Sets up the header of locked block `index` for `length` bytes, prepares it
// and writes it to the device.  False when the device does not take it.
bool waveDeviceWrite(int index, std::uint32_t length);
// Returns every written block at once (each one comes back as finished).
void waveDeviceReset();
void waveDeviceClose();
// A one-shot timer on `window`: `due` is called once, inside the window's
// message dispatch (so on the program's own thread, in a pump or a wait for
// messages), when `milliseconds` have passed.  Starting it again replaces the
// earlier one.  False when no timer could be had.
using TimerDue = void (*)();
bool waveDeviceStartTimer(void* window, unsigned milliseconds, TimerDue due);
void waveDeviceStopTimer();
// For a finished block's header (the pointer the device reported): its block
// index (0 when the header is none of ours) and the result of unpreparing it.
int waveDeviceUnprepare(std::intptr_t header, int* index);
