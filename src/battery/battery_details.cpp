#include "battery/battery_details.h"

#include <cctype>
#include <cstdint>
#include <utility>

#include "text/cp1252.h"

namespace {

// Beyond these the driver's number is taken as nonsense and left out.
constexpr std::uint32_t largestCapacity = 10'000'000;  // mWh: 10 kWh
constexpr std::uint32_t largestCycleCount = 100'000;
constexpr std::uint32_t largestHealth = 200;           // per cent; a new battery may give a little over 100
constexpr std::uint64_t largestRate = 10'000'000;      // mW: 10 kW
constexpr std::uint64_t largestRelativeRate = 1000;    // per cent of the full charge per hour
constexpr std::uint32_t largestVoltage = 1'000'000;    // mV
constexpr int coldest = -50, hottest = 150;            // degrees Celsius

// A value in thousandths (mWh, mW, mV) in units with one decimal: "12,5".
std::string withOneDecimal(std::uint64_t thousandths) {
    const std::uint64_t tenths = (thousandths + 50) / 100;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

bool isRelative(const BatteryInformation& info) { return (info.capabilities & batteryCapacityRelative) != 0; }

bool knownCapacity(const BatteryInformation& info, std::uint32_t capacity) {
    return capacity != 0 && capacity != batteryUnknownCapacity && (isRelative(info) || capacity <= largestCapacity);
}

std::string chemistryWords(const std::string& code) {
    static const std::pair<const char*, const char*> names[] = {
        {"LION", "íon de lítio"},     {"LI-I", "íon de lítio"},    {"LIP", "polímero de lítio"},
        {"LIPO", "polímero de lítio"}, {"NIMH", "níquel-metal-hidreto"}, {"NICD", "níquel-cádmio"},
        {"PBAC", "chumbo-ácido"},  {"NIZN", "níquel-zinco"}, {"RAM", "alcalina recarregável"}};
    const std::string upper = cp1252::upper(code);
    for (const auto& [known, words] : names)
        if (upper == known) return words;
    return code;  // a chemistry this program does not know is given as the driver writes it
}

// "Fabricante: Acme." without a second full stop when the driver's text has one.
std::string sentence(const std::string& label, const std::string& value) {
    return label + value + (value.back() == '.' ? " " : ". ");
}

std::string healthLine(const BatteryInformation& info) {
    std::string line;
    if (knownCapacity(info, info.designedCapacity) && knownCapacity(info, info.fullChargedCapacity)) {
        const std::uint64_t health =
            (std::uint64_t{info.fullChargedCapacity} * 100 + info.designedCapacity / 2) / info.designedCapacity;
        if (health <= largestHealth) line += "Saúde da bateria: " + std::to_string(health) + " por cento. ";
    }
    if (info.cycleCount != 0 && info.cycleCount <= largestCycleCount)
        line += std::to_string(info.cycleCount) + (info.cycleCount == 1 ? " ciclo de carga. " : " ciclos de carga. ");
    return line;
}

// Capacities in a unit only when the driver reports milliwatt-hours.
std::string capacityLine(const BatteryInformation& info) {
    if (isRelative(info)) return "";
    std::string line;
    if (knownCapacity(info, info.fullChargedCapacity))
        line += "Capacidade com carga total: " + withOneDecimal(info.fullChargedCapacity) + " watts-hora. ";
    if (knownCapacity(info, info.designedCapacity))
        line += "Capacidade original: " + withOneDecimal(info.designedCapacity) + " watts-hora. ";
    return line;
}

std::string identityLine(const BatteryFacts& facts) {
    std::string line;
    if (facts.information && !facts.information->chemistry.empty())
        line += sentence("Tipo: ", chemistryWords(facts.information->chemistry));
    if (!facts.manufacturer.empty()) line += sentence("Fabricante: ", facts.manufacturer);
    if (!facts.name.empty()) line += sentence("Modelo: ", facts.name);
    return line;
}

std::string temperatureLine(const BatteryFacts& facts) {
    if (!facts.temperature || *facts.temperature == 0 || *facts.temperature > 10000) return "";
    // Tenths of a kelvin to whole degrees Celsius, the half rounded up: 0 °C is 2731.5.
    const std::int64_t hundredths = std::int64_t{*facts.temperature} * 10 - 27315;
    const std::int64_t degrees = (hundredths + 50 + 100'000) / 100 - 1000;
    if (degrees < coldest || degrees > hottest) return "";
    return "Temperatura: " + std::to_string(degrees) + (degrees == 1 || degrees == -1 ? " grau" : " graus") +
           " Celsius. ";
}

// The rate's direction: the power-state flags when they agree with each
// other, else its sign (a driver may give the magnitude only).  Without the
// information the rate's unit is unknown; the voltage is in millivolts always.
std::string rateLine(const BatteryFacts& facts) {
    if (!facts.status) return "";
    const BatteryStatus& status = *facts.status;
    std::string line;
    if (facts.information && status.rate != batteryUnknownRate && status.rate != 0) {
        const BatteryInformation& info = *facts.information;
        const bool charging = (status.powerState & batteryCharging) != 0;
        const bool discharging = (status.powerState & batteryDischarging) != 0;
        const bool charges = charging != discharging ? charging : status.rate > 0;
        const std::uint64_t rate = status.rate < 0 ? -std::int64_t{status.rate} : status.rate;
        const std::string label = charges ? "Taxa de carga: " : "Taxa de descarga: ";
        if (!isRelative(info)) {
            if (rate <= largestRate) line += label + withOneDecimal(rate) + " watts. ";
        } else if (knownCapacity(info, info.fullChargedCapacity)) {
            // Relative units per hour against the full charge, in the same units.
            const std::uint64_t percent = (rate * 100 + info.fullChargedCapacity / 2) / info.fullChargedCapacity;
            if (percent <= largestRelativeRate) line += label + std::to_string(percent) + " por cento por hora. ";
        }
    }
    if (status.voltage != 0 && status.voltage != batteryUnknownVoltage && status.voltage <= largestVoltage)
        line += "Tensão: " + withOneDecimal(status.voltage) + " volts. ";
    return line;
}

std::vector<std::string> batteryLines(const BatteryFacts& facts) {
    std::vector<std::string> lines;
    auto add = [&](std::string line) {
        if (line.empty()) return;
        line.pop_back();  // each piece ends in a space that a following one would need
        lines.push_back(std::move(line));
    };
    if (facts.information) {
        add(healthLine(*facts.information));
        add(capacityLine(*facts.information));
    }
    add(identityLine(facts));
    add(temperatureLine(facts));
    add(rateLine(facts));
    return lines;
}

}  // namespace

std::string composeBatteryDetails(const std::vector<BatteryFacts>& batteries) {
    if (batteries.empty()) return detailsUnavailableText;
    std::string text;
    for (std::size_t i = 0; i < batteries.size(); ++i) {
        std::vector<std::string> lines = batteryLines(batteries[i]);
        if (batteries.size() > 1) {
            if (lines.empty()) lines.push_back("Os detalhes não estão disponíveis.");
            lines.insert(lines.begin(), "Bateria " + std::to_string(i + 1) + ":");
        } else if (lines.empty()) {
            lines.push_back(detailsUnavailableText);
        }
        for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
    }
    return text;
}

std::string withDecimalCommasSaid(const std::string& text) {
    auto digit = [&](std::size_t i) { return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); };
    std::string said;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',' && i > 0 && digit(i - 1) && digit(i + 1))
            said += " vírgula ";
        else
            said += text[i];
    }
    return said;
}
