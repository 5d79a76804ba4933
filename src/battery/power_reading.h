// The machine's power status and the battery's charge, read from the system
// (Win32 edge).
#pragma once
#include <cstdint>

#include "battery/power_status.h"

PowerStatus readPowerStatus();
// CallNtPowerInformation(SystemBatteryState), estimated; unknownLifeTime when
// the call fails or gives nothing to estimate from.
std::uint32_t readSecondsUntilFull();
