// The machine's power status as the battery's modules read it: the fields of
// the system power status that the report and the watcher look at.
#pragma once
#include <cstdint>

struct PowerStatus {
    std::uint8_t acLineStatus = 0;
    std::uint8_t batteryFlag = 0;
    std::uint8_t batteryLifePercent = 0;
    std::uint32_t batteryLifeTime = 0;
    std::uint32_t batteryFullLifeTime = 0;
    std::uint8_t systemStatusFlag = 0;  // bit 1: battery saver on (Windows 10 and later; 0 before)
};

// A time the system does not know (and an estimate that cannot be made).
constexpr std::uint32_t unknownLifeTime = 0xFFFFFFFFu;

// Bit 8 of a known flag byte: the battery is charging.
inline bool isCharging(const PowerStatus& status) {
    return status.batteryFlag != 255 && (status.batteryFlag & 8);
}
