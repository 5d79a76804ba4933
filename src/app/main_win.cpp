// Voltanor's entry: reads the power status once, shows the report in the
// console window and ends.
#include <windows.h>

#include "app/report.h"
#include "console/console.h"

namespace {

PowerStatus readPowerStatus() {
    SYSTEM_POWER_STATUS system{};  // zero-filled: a failed call reports zeros
    GetSystemPowerStatus(&system);
    PowerStatus status;
    status.acLineStatus = system.ACLineStatus;
    status.batteryFlag = system.BatteryFlag;
    status.batteryLifePercent = system.BatteryLifePercent;
    status.batteryLifeTime = system.BatteryLifeTime;
    status.batteryFullLifeTime = system.BatteryFullLifeTime;
    return status;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    consoleModuleStart();

    screenRows = 8;
    clearScreen();
    setConsoleTitle("Voltanor - Medidor de bateria");
    writeString(composeReport(readPowerStatus()));
    closeConsoleWindow();
}
