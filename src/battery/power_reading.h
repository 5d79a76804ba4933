// The machine's power status and the battery's charge, read from the system
// (Win32 edge).
#pragma once
#include <cstdint>

#include "battery/power_status.h"

// A failed call gives the zeros of an empty record, as the full report always
// said them; `answered`, when given, tells whether the system answered.
PowerStatus readPowerStatus(bool* answered = nullptr);
// CallNtPowerInformation(SystemBatteryState), estimated; unknownLifeTime when
// the call fails or gives nothing to estimate from.
std::uint32_t readSecondsUntilFull();
