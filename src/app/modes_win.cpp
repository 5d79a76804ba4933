#include <windows.h>

#include <cstdlib>

#include "app/modes.h"
#include "battery/power_reading.h"
#include "battery/report.h"
#include "settings/sections.h"
#include "speech/speech.h"
#include "watch/announcements.h"
#include "watch/watcher.h"

std::vector<std::string> programArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    return arguments;
}

std::string reportText() {
    PowerStatus status = readPowerStatus();
    std::uint32_t untilFull = unknownLifeTime;
    // Only a charging battery with no remaining time gets the estimate.
    if (status.batteryLifeTime == unknownLifeTime && status.batteryFlag != 255 && (status.batteryFlag & 8) &&
        readVoltanorSettings(startDirectory()).timeUntilFull)
        untilFull = readSecondsUntilFull();
    return composeReport(status, untilFull);
}

std::string runMode(ProgramMode mode) {
    switch (mode) {
    case ProgramMode::watch:
        runWatcher();
        return watcherAlreadyRunningText;
    case ProgramMode::stopWatcher:
        return stopWatcher() ? watcherStoppedText : watcherNotRunningText;
    default:
        return unknownOptionText;
    }
}
