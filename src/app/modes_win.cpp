#include <windows.h>

#include <algorithm>
#include <cstdlib>

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
    case ProgramMode::details:
        return detailsText(readBatteries());
    case ProgramMode::configure:
        runSettingsMenu(programArguments());
    default:
        return unknownOptionText;
    }
}

std::string detailsText(const std::vector<BatteryFacts>& batteries) {
    return reportText() + "\r\n" + composeBatteryDetails(batteries);
}

int windowRows(ProgramMode mode, const std::string& text) {
    constexpr int reportRows = 8, mostRows = 50;
    if (mode != ProgramMode::details) return reportRows;
    return std::clamp(console::rowsTaken(text, screenColumns), reportRows, mostRows);
}

void showAndSay(ProgramMode mode, const std::string& text) {
    if (mode != ProgramMode::details) return writeAndSpeak(text);
    writeString(text);
    speak(withDecimalCommasSaid(text));
}
