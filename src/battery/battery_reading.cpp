#include "battery/battery_reading.h"

#include "battery/battery_devices.h"
#include "battery/driver_text.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The chemistry code is 4 bytes, not always ending in NUL; anything but
// printable ASCII ends it.
std::string chemistryCode(const Bytes& b, std::size_t at) {
    std::string code;
    for (std::size_t i = at; i < at + 4 && b[i] > ' ' && b[i] < 0x7F; ++i) code += static_cast<char>(b[i]);
    return code;
}

// A layout shorter than documented is no answer: its fields cannot be trusted.
std::optional<BatteryInformation> informationFrom(const Bytes& b) {
    if (b.size() < 36) return std::nullopt;
    return BatteryInformation{le32(b, 0), b[4], chemistryCode(b, 8), le32(b, 12), le32(b, 16), le32(b, 32)};
}

std::optional<BatteryStatus> statusFrom(const Bytes& b) {
    if (b.size() < 16) return std::nullopt;
    return BatteryStatus{le32(b, 0), le32(b, 8), static_cast<std::int32_t>(le32(b, 12))};
}

// One reading of the battery with this tag; false when the tag went away
// while it was read.
bool readWithTag(int device, std::uint32_t tag, BatteryFacts& facts) {
    Bytes answer;
    auto level = [&](BatteryLevel which) {
        answer.clear();
        BatteryAnswer result = queryBatteryLevel(device, tag, which, answer);
        if (result != BatteryAnswer::given) answer.clear();
        return result != BatteryAnswer::tagGone;
    };
    if (!level(BatteryLevel::information)) return false;
    facts.information = informationFrom(answer);
    if (!level(BatteryLevel::manufacturer)) return false;
    facts.manufacturer = driverText(answer);
    if (!level(BatteryLevel::deviceName)) return false;
    facts.name = driverText(answer);
    if (!level(BatteryLevel::temperature)) return false;
    if (answer.size() >= 4) facts.temperature = le32(answer, 0);
    answer.clear();
    BatteryAnswer result = queryBatteryStatus(device, tag, answer);
    if (result == BatteryAnswer::tagGone) return false;
    if (result == BatteryAnswer::given) facts.status = statusFrom(answer);
    // Answers given before a swap would carry the old battery's values.
    return batteryTag(device) == tag;
}

}  // namespace

std::vector<BatteryFacts> readBatteries() {
    std::vector<BatteryFacts> batteries;
    const int devices = openBatteryDevices();
    for (int device = 0; device < devices; ++device) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const std::uint32_t tag = batteryTag(device);
            if (tag == 0) break;  // an empty slot
            BatteryFacts facts;
            if (readWithTag(device, tag, facts)) {
                batteries.push_back(facts);
                break;
            }
        }
    }
    closeBatteryDevices();
    return batteries;
}
