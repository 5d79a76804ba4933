// The battery class driver under the battery details: the system's battery
// devices, each asked for the tag of the battery it holds, for an information
// level and for its status.  Answers are the driver's bytes as it gave them
// (little-endian fields, UTF-16 text); battery_reading.cpp makes sense of them.
// battery_devices_win.cpp is the real driver; the native tests link a fake.
#pragma once
#include <cstdint>
#include <vector>

// The driver's information levels that the details ask for (the driver's numbers).
enum class BatteryLevel : std::uint32_t {
    information = 0,   // 36 bytes: capabilities, technology, chemistry, capacities, cycle count
    temperature = 2,   // 4 bytes: tenths of a kelvin
    deviceName = 4,    // UTF-16 text
    manufacturer = 6,  // UTF-16 text
};

enum class BatteryAnswer {
    given,        // the bytes hold the driver's answer
    unsupported,  // the driver does not give this
    tagGone,      // the tag no longer names the battery in the slot: removed or swapped
    failed,       // any other failure
};

// Opens every battery device the system lists and gives their number: 0 when
// there is none (a desktop, a virtual machine, Wine) or the list cannot be had.
int openBatteryDevices();
void closeBatteryDevices();

// The tag of the battery that device `index` (0 to count - 1) holds now; 0
// when it holds none or cannot be asked.
std::uint32_t batteryTag(int index);
BatteryAnswer queryBatteryLevel(int index, std::uint32_t tag, BatteryLevel level, std::vector<unsigned char>& answer);
// The status now (no waiting): 16 bytes of power state, capacity, voltage and rate.
BatteryAnswer queryBatteryStatus(int index, std::uint32_t tag, std::vector<unsigned char>& answer);
