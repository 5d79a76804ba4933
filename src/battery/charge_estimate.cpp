#include "battery/charge_estimate.h"

#include <climits>

std::uint32_t secondsUntilFull(const BatteryCharge& charge) {
    const std::int64_t rate = charge.rate;  // 64 bits: the magnitude of the lowest rate fits
    if (rate == INT32_MIN || rate == 0 || charge.remainingCapacity >= charge.maxCapacity) return unknownLifeTime;
    std::uint64_t missing = charge.maxCapacity - charge.remainingCapacity;
    std::uint64_t seconds = missing * 3600 / static_cast<std::uint64_t>(rate < 0 ? -rate : rate);
    return seconds < unknownLifeTime ? static_cast<std::uint32_t>(seconds) : unknownLifeTime;
}
