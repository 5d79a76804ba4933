#include "console/console_playback.h"

#include <cstring>

#include "audio/wave_output.h"
#include "console/console.h"

namespace {

void blockDoneMessage(void*, std::uintptr_t, std::intptr_t header) { onBlockDone(header); }

// The window must exist before the device opens; the first key test would
// make it anyway.
void* windowForDevice() {
    ensureConsoleWindow();
    setWaveDoneHandler(blockDoneMessage);
    enableWaveDoneHandler(true);
    return consoleWindowHandle();
}

void showDeviceError(const char* text) {
    if (text != nullptr) writeText(text, static_cast<std::uint16_t>(std::strlen(text)));
    char line[128];
    readLine(line, sizeof line);
}

}  // namespace

PlaybackHost consolePlaybackHost() {
    return {.deviceWindow = windowForDevice,
            .pumpMessages = pumpMessages,
            .sleepPumping = sleepPumping,
            .waitForMessage = waitForMessage,
            .showDeviceError = showDeviceError};
}
