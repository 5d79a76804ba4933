// Native stand-in for the battery class driver: a query with a tag that is no
// longer the battery's own fails as ERROR_FILE_NOT_FOUND does (tagGone).
#include "fakes/fake_battery_devices.h"

namespace {

std::vector<fake::BatteryDevice> devices;
std::vector<int> calls;
bool devicesOpen = false;

fake::BatteryDevice& called(int index) {
    fake::BatteryDevice& device = devices.at(static_cast<std::size_t>(index));
    if (calls[static_cast<std::size_t>(index)]++ == device.callsBeforeSwap)
        device.tag = device.swappedTag, device.levels = device.swappedLevels;
    return device;
}

}  // namespace

void fake::setBatteryDevices(std::vector<BatteryDevice> given) {
    devices = std::move(given);
    calls.assign(devices.size(), 0);
}
bool fake::batteryDevicesOpen() { return devicesOpen; }

int openBatteryDevices() {
    devicesOpen = true;
    return static_cast<int>(devices.size());
}
void closeBatteryDevices() { devicesOpen = false; }
std::uint32_t batteryTag(int index) { return called(index).tag; }

BatteryAnswer queryBatteryLevel(int index, std::uint32_t tag, BatteryLevel level, std::vector<unsigned char>& bytes) {
    const fake::BatteryDevice& device = called(index);
    if (device.tag != tag) return BatteryAnswer::tagGone;
    auto found = device.levels.find(level);
    if (found == device.levels.end()) return BatteryAnswer::unsupported;
    bytes = found->second;
    return BatteryAnswer::given;
}

BatteryAnswer queryBatteryStatus(int index, std::uint32_t tag, std::vector<unsigned char>& bytes) {
    const fake::BatteryDevice& device = called(index);
    if (device.tag != tag) return BatteryAnswer::tagGone;
    bytes = device.status;
    return bytes.empty() ? BatteryAnswer::failed : BatteryAnswer::given;
}
