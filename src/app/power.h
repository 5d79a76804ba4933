// The machine's power status, read from the system (Win32 edge).
#pragma once
#include "app/report.h"

PowerStatus readPowerStatus();
// CallNtPowerInformation(SystemBatteryState), estimated; unknownLifeTime when
// the call fails or gives nothing to estimate from.
std::uint32_t readSecondsUntilFull();
