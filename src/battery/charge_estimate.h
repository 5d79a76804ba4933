// The time until a charging battery is full, estimated from its capacity,
// charge and charge rate.
#pragma once
#include <cstdint>

#include "battery/power_status.h"

// The battery's capacity and charge (mWh) and its charge rate (mW) as the
// system reports them.  The rate's sign is not trusted: some systems give a
// charging battery a negative rate.
struct BatteryCharge {
    std::uint32_t maxCapacity = 0;
    std::uint32_t remainingCapacity = 0;
    std::int32_t rate = 0;  // the lowest value means unknown
};
// Seconds until full at the present rate, dropping the remainder, or
// unknownLifeTime when there is nothing to estimate from: no rate, no capacity,
// a full battery, or an estimate beyond the range of the time fields.
std::uint32_t secondsUntilFull(const BatteryCharge& charge);
