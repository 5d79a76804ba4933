#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "app/help.h"
#include "app/modes.h"
#include "battery/battery_details.h"
#include "battery/power_reading.h"
#include "battery/report.h"
#include "console/console.h"
#include "console/window_layout.h"
#include "menu/menu_program.h"
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
    bool answered = true;
    PowerStatus status = readPowerStatus(&answered);
    VoltanorSettings settings = readVoltanorSettings(startDirectory());
    // The short report says no number the system did not give.
    if (settings.shortReport && !answered) status = {255, 255, 255, unknownLifeTime, unknownLifeTime};
    std::uint32_t untilFull = unknownLifeTime;
    // Only a charging battery gets the estimate; the full report says it only
    // where it has no remaining time.
    bool estimate = isCharging(status) && settings.timeUntilFull &&
                    (settings.shortReport || status.batteryLifeTime == unknownLifeTime);
    if (estimate) untilFull = readSecondsUntilFull();
    return settings.shortReport ? composeShortReport(status, untilFull) : composeReport(status, untilFull);
}

namespace {

std::string stopMessage;

// /parar has done its work when its voice cannot start: it shows what it did
// for a moment, waits for no one, and tells that nothing could be said.
[[noreturn]] void showStopWithoutVoice(const std::string&) {
    writeString(stopMessage + "\r\n");
    for (int tenths = 0; tenths < 30 && !keyPending(); ++tenths) sleepPumping(100);
    writeStandardError("voltanor: the watcher's stop was shown, but the voice could not start\n");
    closeConsoleWindow(exitNothingAudible);
}

}  // namespace

std::string runMode(ProgramMode mode) {
    switch (mode) {
    case ProgramMode::watch:
        runWatcher(WatchStart::byHand);
        return watcherAlreadyRunningText;
    case ProgramMode::watchAtLogon:
        runWatcher(WatchStart::atLogon);  // ends the process itself when one runs already
        return watcherAlreadyRunningText;
    case ProgramMode::stopWatcher:
        // The watcher is told first: nothing of the settings or the voice
        // data can keep it running.
        stopMessage = stopWatcher() ? watcherStoppedText : watcherNotRunningText;
        setStartFailureEnding(showStopWithoutVoice);
        return stopMessage;
    case ProgramMode::details:
        return detailsText(readBatteries());
    case ProgramMode::help:
        return helpText;
    case ProgramMode::configure:
        runSettingsMenu(programArguments());
    case ProgramMode::manual:
        runManualReader();
    default:
        return unknownOptionText;
    }
}

std::string detailsText(const std::vector<BatteryFacts>& batteries) {
    return reportText() + "\r\n" + composeBatteryDetails(batteries);
}

int windowRows(ProgramMode mode, const std::string& text) {
    constexpr int reportRows = 8, mostRows = 50;
    if (mode != ProgramMode::details && mode != ProgramMode::help) return reportRows;
    return std::clamp(console::rowsTaken(text, screenColumns), reportRows, mostRows);
}

void showAndSay(ProgramMode mode, const std::string& text) {
    if (mode != ProgramMode::details && mode != ProgramMode::help) return writeAndSpeak(text);
    writeString(text);
    speak(mode == ProgramMode::help ? spokenHelp() : withDecimalCommasSaid(text));
}
