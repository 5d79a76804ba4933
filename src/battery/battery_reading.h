// What each battery's driver says about it, read through the battery device
// layer (battery/battery_devices.h): the values as the driver gave them, with
// "not given" kept apart from every number.  Judging the values (unknown
// markers, absurd numbers) is the details' job (battery/battery_details.h).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The driver's markers and flags.
constexpr std::uint32_t batteryUnknownCapacity = 0xFFFFFFFFu;
constexpr std::uint32_t batteryUnknownVoltage = 0xFFFFFFFFu;
constexpr std::int32_t batteryUnknownRate = INT32_MIN;       // 0x80000000
constexpr std::uint32_t batteryCapacityRelative = 0x40000000u;  // capacities and rate in no unit
constexpr std::uint32_t batteryOnMains = 0x1, batteryDischarging = 0x2, batteryCharging = 0x4;

struct BatteryInformation {
    std::uint32_t capabilities = 0;
    std::uint8_t technology = 0;  // 0 not rechargeable, 1 rechargeable
    std::string chemistry;        // the driver's short code ("LION", "PbAc"), printable ASCII only
    std::uint32_t designedCapacity = 0;     // mWh, or relative
    std::uint32_t fullChargedCapacity = 0;  // mWh, or relative
    std::uint32_t cycleCount = 0;
};

struct BatteryStatus {
    std::uint32_t powerState = 0;
    std::uint32_t voltage = batteryUnknownVoltage;  // mV
    std::int32_t rate = batteryUnknownRate;         // mW (or relative units per hour); > 0 charging
};

struct BatteryFacts {
    std::optional<BatteryInformation> information;
    std::string manufacturer;  // code page 1252, cleaned; empty when not given
    std::string name;
    std::optional<std::uint32_t> temperature;  // tenths of a kelvin
    std::optional<BatteryStatus> status;
};

// One entry per battery device that holds a battery, in the system's order.
// A battery whose tag changes while it is read (removed, or swapped for
// another) is read again once; if it does not hold still, it is left out, so
// that no entry mixes two batteries' values.
std::vector<BatteryFacts> readBatteries();
