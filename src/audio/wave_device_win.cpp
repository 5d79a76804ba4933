// The real wave-output device: waveOut* on the wave mapper, with finished
// blocks reported to the given window as MM_WOM_DONE.  The four blocks and
// their headers are movable shareable global memory, made once and locked only
// while a block is out on the device.
#include <windows.h>
#include <mmsystem.h>

#include "audio/wave_device.h"

namespace {

HGLOBAL blockMemory[waveBlockCount + 1] = {};
HGLOBAL headerMemory[waveBlockCount + 1] = {};
unsigned char* lockedBlock[waveBlockCount + 1] = {};
WAVEHDR* lockedHeader[waveBlockCount + 1] = {};
HWAVEOUT device = nullptr;
constexpr UINT_PTR timerId = 0x5741;  // on the host's window, beside the window's own timers
TimerDue timerDue = nullptr;
HWND timerWindow = nullptr;

void CALLBACK timerFired(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    TimerDue due = timerDue;
    timerDue = nullptr;
    if (due != nullptr) due();
}

bool validIndex(int index) { return index >= 1 && index <= waveBlockCount; }

}  // namespace

bool waveDeviceAllocate() {
    const UINT flags = GMEM_MOVEABLE | GMEM_DDESHARE;
    bool ok = true;
    for (int i = 1; i <= waveBlockCount; ++i) {
        if (blockMemory[i] == nullptr) blockMemory[i] = GlobalAlloc(flags, waveBlockSize);
        if (headerMemory[i] == nullptr) headerMemory[i] = GlobalAlloc(flags, sizeof(WAVEHDR));
        ok = ok && blockMemory[i] != nullptr && headerMemory[i] != nullptr;
    }
    return ok;
}

unsigned char* waveDeviceLockBlock(int index) {
    if (!validIndex(index) || blockMemory[index] == nullptr) return nullptr;
    if (lockedBlock[index] == nullptr)
        lockedBlock[index] = static_cast<unsigned char*>(GlobalLock(blockMemory[index]));
    return lockedBlock[index];
}

void waveDeviceReleaseBlock(int index) {
    if (!validIndex(index)) return;
    if (lockedHeader[index] != nullptr) {
        GlobalUnlock(headerMemory[index]);
        lockedHeader[index] = nullptr;
    }
    if (lockedBlock[index] != nullptr) {
        GlobalUnlock(blockMemory[index]);
        lockedBlock[index] = nullptr;
    }
}

int waveDeviceOpen(void* window, std::uint32_t rate, std::uint16_t bits, std::uint16_t channels) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.nBlockAlign = static_cast<WORD>((bits / 8) * channels);
    format.nAvgBytesPerSec = format.nBlockAlign * rate;
    format.wBitsPerSample = bits;
    format.cbSize = 0;
    HWAVEOUT opened = nullptr;
    MMRESULT result = waveOutOpen(&opened, WAVE_MAPPER, &format,
                                  reinterpret_cast<DWORD_PTR>(window), 0,
                                  CALLBACK_WINDOW | WAVE_ALLOWSYNC);
    if (result == MMSYSERR_NOERROR) device = opened;
    return static_cast<int>(result);
}

bool waveDeviceWrite(int index, std::uint32_t length) {
    if (device == nullptr || !validIndex(index) || lockedBlock[index] == nullptr) return false;
    if (lockedHeader[index] == nullptr)
        lockedHeader[index] = static_cast<WAVEHDR*>(GlobalLock(headerMemory[index]));
    WAVEHDR* header = lockedHeader[index];
    if (header == nullptr) return false;
    ZeroMemory(header, sizeof(WAVEHDR));
    header->lpData = reinterpret_cast<LPSTR>(lockedBlock[index]);
    header->dwBufferLength = length;
    header->dwUser = static_cast<DWORD_PTR>(index);
    if (waveOutPrepareHeader(device, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
    if (waveOutWrite(device, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device, header, sizeof(WAVEHDR));
        return false;
    }
    return true;
}

void waveDeviceReset() {
    if (device != nullptr) waveOutReset(device);
}

void waveDeviceClose() {
    if (device != nullptr) waveOutClose(device);
    device = nullptr;
}

bool waveDeviceStartTimer(void* window, unsigned milliseconds, TimerDue due) {
    timerDue = due;
    timerWindow = static_cast<HWND>(window);
    if (SetTimer(timerWindow, timerId, milliseconds, timerFired) != 0) return true;
    timerDue = nullptr;
    return false;
}

void waveDeviceStopTimer() {
    timerDue = nullptr;
    if (timerWindow) KillTimer(timerWindow, timerId);
}

int waveDeviceUnprepare(std::intptr_t header, int* index) {
    *index = 0;
    auto* done = reinterpret_cast<WAVEHDR*>(header);
    // Only headers of our own locked blocks are looked at.
    for (int i = 1; i <= waveBlockCount; ++i) {
        if (lockedHeader[i] == done && done != nullptr) {
            *index = static_cast<int>(done->dwUser);
            if (!validIndex(*index)) *index = i;
            return static_cast<int>(waveOutUnprepareHeader(device, done, sizeof(WAVEHDR)));
        }
    }
    return 0;
}
