// Control of the native fake of the battery class driver (battery/battery_devices.h).
#pragma once
#include <map>

#include "battery/battery_devices.h"

namespace fake {

struct BatteryDevice {
    std::uint32_t tag = 1;  // 0: the slot is empty
    std::map<BatteryLevel, std::vector<unsigned char>> levels;  // a level not here is unsupported
    std::vector<unsigned char> status;                          // empty: the status query fails
    // After this many calls (tag, levels, status) the battery is swapped for
    // one with tag `swappedTag` (0: removed), which answers `swappedLevels`.
    int callsBeforeSwap = -1;
    std::uint32_t swappedTag = 0;
    std::map<BatteryLevel, std::vector<unsigned char>> swappedLevels;
};
void setBatteryDevices(std::vector<BatteryDevice> devices);  // what the next openBatteryDevices finds
bool batteryDevicesOpen();                                   // opened and not closed since

}  // namespace fake
