#include "audio/wave_output.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "audio/speech_trim.h"
#include "audio/wave_device.h"
#include "audio/wave_format.h"
#include "platform/platform.h"

namespace {

constexpr int deviceBusy = 4;         // the device is in use elsewhere
constexpr int maxOpenAttempts = 100;
constexpr int maxFreeBlockWaits = 40;
constexpr std::uint32_t shortestBlock = 256;
constexpr int unplayableFormat = 32;  // the device's own code for a format it cannot take
// The device stays open while sounds of one format follow one another, so an
// utterance plays as one stream: each open costs processor time and leaves a
// gap (with some drivers a click).  It is released once nothing has been
// queued for this long: above the longest pause the speech settings give by
// default (250 ms at a full stop) plus the time to make the next piece, so
// that the sounds of one utterance share one open.  Longer gains nothing: an
// open idle device is not free either (under Wine its sound threads keep
// waking, about as much processor time a second as one reopen costs), and the
// device is given back to other programs sooner.
constexpr unsigned idleCloseMilliseconds = 400;

bool deviceOpen = false;
WaveFormat deviceFormat;
int queuedBlocks = 0;
int lastBlock = waveBlockCount;  // the first block used is 1
bool blockInFlight[waveBlockCount + 1] = {};
bool quickOn = false;
bool openFailed = false;
bool trimOn = false;
unsigned char fileBuffer[waveBlockSize];
StopQuestion stopQuestion = nullptr;
PlaybackHost host;
void* deviceWindow = nullptr;  // the host's window the open device reports to
bool takingDoneBlocks = false;  // from an open until the device is closed again
bool feeding = false;       // inside playSamples: the device is about to get more
bool idleTimerSet = false;  // the idle close is due when the timer fires
bool closeWhenIdle = false; // no timer could be had: close as soon as nothing plays

bool stopAsked() { return stopQuestion != nullptr && stopQuestion(); }

void idleTimeUp() {
    idleTimerSet = false;
    if (!feeding && queuedBlocks == 0) stopPlayback();
}

// Called whenever the queue may have run empty: the device is released after
// the idle time, unless more sound comes first.
void startIdleClose() {
    if (!deviceOpen || feeding || queuedBlocks > 0 || idleTimerSet || closeWhenIdle) return;
    idleTimerSet = waveDeviceStartTimer(deviceWindow, idleCloseMilliseconds, idleTimeUp);
    closeWhenIdle = !idleTimerSet;
}

void cancelIdleClose() {
    if (idleTimerSet) waveDeviceStopTimer();
    idleTimerSet = false;
    closeWhenIdle = false;
}

const char* unprepareErrorText(int code) {
    switch (code) {
        case 5: return "Specified device handle is invalid.";
        case 6: return "No device driver is present.";
        case 7: return "Unable to allocate or lock memory.";
        case 33: return "The data block pointed to by the pwh parameter is still in queue";
        default: return nullptr;
    }
}

int openDevice(std::uint32_t rate, std::uint16_t bits, std::uint16_t channels) {
    if (rate != deviceFormat.rate || bits != deviceFormat.bits || channels != deviceFormat.channels) {
        // Drain what plays in the old format, then reopen in the new one.
        while (isPlaying()) host.waitForMessage();
        stopPlayback();
    }
    deviceFormat = {rate, channels, bits};
    if (deviceOpen) return 0;
    // Finished blocks are reported to the host's window, so it must exist
    // before the device is opened.
    deviceWindow = host.deviceWindow();
    takingDoneBlocks = true;
    int result = waveDeviceOpen(deviceWindow, rate, bits, channels);
    for (int attempts = 1; result == deviceBusy && attempts < maxOpenAttempts; ++attempts) {
        host.sleepPumping(100);
        result = waveDeviceOpen(deviceWindow, rate, bits, channels);
    }
    if (result == 0)
        deviceOpen = true;
    else
        openFailed = true;
    return result;
}

// Copies one piece into the next block and hands it to the device.
bool queueBlock(const unsigned char* data, std::uint32_t length) {
    if (length == 0) return false;
    length = std::min(length, waveBlockSize);
    for (int waits = 0; queuedBlocks == waveBlockCount && waits < maxFreeBlockWaits; ++waits) {
        host.pumpMessages();
        host.sleepPumping(50);
    }
    if (queuedBlocks == waveBlockCount) return false;

    const int previousBlock = lastBlock;
    const int index = lastBlock % waveBlockCount + 1;
    unsigned char* block = waveDeviceLockBlock(index);
    if (block == nullptr) return false;
    ++queuedBlocks;
    lastBlock = index;
    blockInFlight[index] = true;

    const bool mono8 = deviceFormat.channels == 1 && deviceFormat.bits == 8;
    if (length < shortestBlock) {
        // The device always gets at least 256 bytes; the rest is silence.
        const unsigned char silence = deviceFormat.bits == 8 ? 128 : 0;
        std::memset(block + length, silence, shortestBlock - length);
    }
    std::memcpy(block, data, length);
    // A piece that ends a sound ends on silence, so the device does not click.
    if (mono8 && length != waveBlockSize) block[length - 1] = 128;

    if (!waveDeviceWrite(index, std::max(length, shortestBlock))) {
        // Not taken: the block is free again and is the next one to use.
        waveDeviceReleaseBlock(index);
        blockInFlight[index] = false;
        --queuedBlocks;
        lastBlock = previousBlock;
        return false;
    }
    return true;
}

// A piece that more sound follows ends on a whole frame: the device drops a
// partial frame at the end of a block, which would lose bytes and swap the
// channels of every other block of 16-bit stereo sound.
std::uint32_t wholeFrames(std::uint32_t piece, std::uint16_t channels, std::uint16_t bits) {
    const std::uint32_t frame = static_cast<std::uint32_t>(channels) * (bits / 8u);
    if (frame > 1 && piece > frame) piece -= piece % frame;
    return piece;
}

}  // namespace

void waveOutputStart(const PlaybackHost& playbackHost) {
    stopPlayback();  // a device left open by an earlier start is released
    host = playbackHost;
    waveDeviceAllocate();
    deviceOpen = false;
    deviceFormat = {};
    queuedBlocks = 0;
    lastBlock = waveBlockCount;
    std::fill(std::begin(blockInFlight), std::end(blockInFlight), false);
    quickOn = false;
    trimOn = false;
    openFailed = false;
    feeding = false;
    idleTimerSet = false;
    closeWhenIdle = false;
    takingDoneBlocks = false;
}

bool deviceOpenFailed() { return openFailed; }

void setPlaybackStopQuestion(StopQuestion question) { stopQuestion = question; }

void setQuickPlayback(bool on) { quickOn = on; }
bool quickPlayback() { return quickOn; }
void setTrimSpeech(bool on) { trimOn = on; }
bool trimSpeech() { return trimOn; }

namespace {

int feedSamples(unsigned char* data, std::uint32_t length, std::uint32_t rate,
                std::uint16_t channels, std::uint16_t bits) {
    // The device is never opened with a format it cannot play.
    if (!isPlayableFormat({rate, channels, bits})) return unplayableFormat;
    if (quickOn) rate = static_cast<std::uint32_t>(static_cast<std::uint64_t>(rate) * 3 / 2);
    const bool trimming = trimOn && channels == 1;
    const std::uint16_t deviceBits = trimming && bits == 16 ? 8 : bits;
    int result = openDevice(rate, deviceBits, channels);
    if (result != 0) return result;
    while (length > 0) {
        while (queuedBlocks == waveBlockCount) {
            if (stopAsked()) {
                stopPlayback();
                return 0;
            }
            host.sleepPumping(10);
        }
        if (stopAsked()) {
            stopPlayback();
            return 0;
        }
        const std::uint32_t piece =
            length > waveBlockSize ? wholeFrames(waveBlockSize, channels, bits) : length;
        const std::uint32_t played = trimming ? trimSpeechPiece(data, piece, bits, rate) : piece;
        queueBlock(data, played);
        data += piece;
        length -= piece;
    }
    return 0;
}

}  // namespace

int playSamples(unsigned char* data, std::uint32_t length, std::uint32_t rate,
                std::uint16_t channels, std::uint16_t bits) {
    // No idle close while the device is being fed: the timer may fire in any
    // pump, and would close the device between its open and the next block.
    cancelIdleClose();
    feeding = true;
    const int result = feedSamples(data, length, rate, channels, bits);
    feeding = false;
    startIdleClose();
    return result;
}

void playWaveBuffer(unsigned char* buffer) {
    WaveFormat format;
    std::uint32_t offset = 0, size = 0;
    if (!locateWaveBufferData(buffer, format, offset, size)) return;
    playSamples(buffer + offset, size, format.rate, format.channels, format.bits);
}

int playWaveFile(const std::string& path) {
    if (stopAsked()) return 0;
    std::FILE* file = platform::openForReading(path);
    if (file == nullptr) return -1;
    FileReader reader(file);
    WaveFormat format;
    std::uint32_t remaining = 0;
    int result = 0;
    if (!readWaveStart(reader, format, remaining, fileBuffer, sizeof fileBuffer) ||
        !isSoundFileFormat(format)) {
        result = -1;
    } else {
        while (remaining > 0) {
            std::uint32_t piece = wavePieceSize(remaining);
            if (piece < remaining) piece = wholeFrames(piece, format.channels, format.bits);
            const std::size_t got = reader.read(fileBuffer, piece);
            if (got == 0) break;  // the file ends before its data chunk does
            result = playSamples(fileBuffer, static_cast<std::uint32_t>(got), format.rate,
                                 format.channels, format.bits);
            remaining -= static_cast<std::uint32_t>(got);
            if (result != 0 || stopAsked()) break;
        }
    }
    std::fclose(file);
    while (isPlaying()) host.waitForMessage();
    return result;
}

// Nothing queued is not playing, but the device stays open for the next sound
// of the same format until the idle close (or a stop) releases it.
bool isPlaying() {
    host.pumpMessages();
    if (stopAsked() || (queuedBlocks == 0 && closeWhenIdle)) stopPlayback();
    startIdleClose();
    return queuedBlocks > 0;
}

void stopPlayback() {
    cancelIdleClose();
    if (!deviceOpen) return;
    deviceOpen = false;  // nothing in the pumps below sets the idle close again
    if (queuedBlocks > 0) waveDeviceReset();
    host.pumpMessages();
    waveDeviceClose();
    host.pumpMessages();
    // A closed device hands nothing back any more: blocks it did not return
    // are free again, and a late notice of one is not taken for a new block.
    takingDoneBlocks = false;
    for (int index = 1; index <= waveBlockCount; ++index) {
        if (blockInFlight[index]) {
            waveDeviceReleaseBlock(index);
            blockInFlight[index] = false;
        }
    }
    queuedBlocks = 0;
}

void onBlockDone(std::intptr_t header) {
    if (header == 0 || !takingDoneBlocks) return;
    int index = 0;
    const int code = waveDeviceUnprepare(header, &index);
    if (index < 1 || index > waveBlockCount) return;
    if (code != 0) host.showDeviceError(unprepareErrorText(code));
    if (blockInFlight[index]) {
        blockInFlight[index] = false;
        waveDeviceReleaseBlock(index);
    }
    if (queuedBlocks > 0) --queuedBlocks;
    startIdleClose();
}
