// The battery details' tests build the fake driver's bytes from the program's
// own numbers; held here, at compile time, to the toolchain's battery class
// header, so that a wrong flag, level or layout fails the build instead of
// passing with the fake.
#include <windows.h>

#include <cstddef>

#include "battery/battery_devices.h"
#include "battery/battery_reading.h"

// Its names apart: one of its levels is spelt like the program's BatteryInformation.
namespace toolchain {
#include <batclass.h>
}

static_assert(batteryUnknownCapacity == BATTERY_UNKNOWN_CAPACITY && batteryUnknownVoltage == BATTERY_UNKNOWN_VOLTAGE);
static_assert(static_cast<std::uint32_t>(batteryUnknownRate) == BATTERY_UNKNOWN_RATE);
static_assert(batteryCapacityRelative == BATTERY_CAPACITY_RELATIVE);
static_assert(batteryOnMains == BATTERY_POWER_ON_LINE && batteryDischarging == BATTERY_DISCHARGING &&
              batteryCharging == BATTERY_CHARGING);
static_assert(static_cast<int>(BatteryLevel::information) == toolchain::BatteryInformation &&
              static_cast<int>(BatteryLevel::temperature) == toolchain::BatteryTemperature &&
              static_cast<int>(BatteryLevel::deviceName) == toolchain::BatteryDeviceName &&
              static_cast<int>(BatteryLevel::manufacturer) == toolchain::BatteryManufactureName);
// The tests' info() and le32() lay the answers out as these structures.
using Information = toolchain::BATTERY_INFORMATION;
using Status = toolchain::BATTERY_STATUS;
static_assert(sizeof(Information) == 36 && offsetof(Information, Technology) == 4 && offsetof(Information, Chemistry) == 8 &&
              offsetof(Information, DesignedCapacity) == 12 && offsetof(Information, FullChargedCapacity) == 16 &&
              offsetof(Information, CycleCount) == 32);
static_assert(sizeof(Status) == 16 && offsetof(Status, Capacity) == 4 && offsetof(Status, Voltage) == 8 &&
              offsetof(Status, Rate) == 12);
