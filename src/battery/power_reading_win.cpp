#include <windows.h>

#include <cstddef>

#include "battery/charge_estimate.h"
#include "battery/power_reading.h"

namespace {

using PowerInformationCall = LONG(WINAPI*)(POWER_INFORMATION_LEVEL, void*, ULONG, void*, ULONG);

}  // namespace

PowerStatus readPowerStatus(bool* answered) {
    SYSTEM_POWER_STATUS system{};  // zero-filled: a failed call reports zeros
    bool read = GetSystemPowerStatus(&system) != 0;
    if (answered) *answered = read;
    PowerStatus status;
    status.acLineStatus = system.ACLineStatus;
    status.batteryFlag = system.BatteryFlag;
    status.batteryLifePercent = system.BatteryLifePercent;
    status.batteryLifeTime = system.BatteryLifeTime;
    status.batteryFullLifeTime = system.BatteryFullLifeTime;
    // The byte after the percent: Reserved1 in older headers, SystemStatusFlag
    // in newer ones (the battery saver's flag); read by place, for both.
    static_assert(sizeof system.BatteryLifePercent == 1 && offsetof(SYSTEM_POWER_STATUS, BatteryLifeTime) == 4);
    status.systemStatusFlag = reinterpret_cast<const unsigned char*>(&system)[offsetof(SYSTEM_POWER_STATUS, BatteryLifePercent) + 1];
    return status;
}

std::uint32_t readSecondsUntilFull() {
    // Loaded only here, so the report without the estimate loads no more than before.
    HMODULE library = LoadLibraryA("powrprof.dll");
    if (!library) return unknownLifeTime;
    auto call = reinterpret_cast<PowerInformationCall>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "CallNtPowerInformation")));
    SYSTEM_BATTERY_STATE state{};
    bool read = call && call(SystemBatteryState, nullptr, 0, &state, sizeof state) == 0;
    FreeLibrary(library);
    if (!read) return unknownLifeTime;
    return secondsUntilFull(BatteryCharge{state.MaxCapacity, state.RemainingCapacity, static_cast<std::int32_t>(state.Rate)});
}
