// The battery details over the fake battery class driver: what each battery's
// answers (given, unknown, unsupported, absurd, a tag that changes) become, to the byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "battery/battery_details.h"
#include "battery/driver_text.h"
#include "fakes/fake_battery_devices.h"

// battery_class_wintest.cpp holds the numbers the fake's bytes are built from
// to the toolchain's battery class header.
namespace {

using Bytes = std::vector<unsigned char>;
using Level = BatteryLevel;
using Device = fake::BatteryDevice;

Bytes le32(std::initializer_list<std::uint32_t> values) {
    Bytes b;
    for (std::uint32_t v : values)
        for (int shift : {0, 8, 16, 24}) b.push_back(static_cast<unsigned char>(v >> shift));
    return b;
}
// BATTERY_INFORMATION: capabilities, technology 1, 3 reserved bytes, chemistry, capacities, 3 alerts, cycles.
Bytes info(std::uint32_t caps, std::uint32_t designed, std::uint32_t full, std::uint32_t cycles,
           const char* code = "LION") {
    Bytes b = le32({caps, 1, 0, designed, full, 0, 0, 0, cycles});
    std::copy(code, code + 4, b.begin() + 8);
    return b;
}
Bytes utf16(std::u16string text) {
    Bytes b;
    for (char16_t c : text + u'\0')
        for (int shift : {0, 8}) b.push_back(static_cast<unsigned char>(c >> shift));
    return b;
}
Device typical(const std::function<void(Device&)>& change = [](Device&) {}) {
    Device d;
    d.tag = 7;
    d.levels = {{Level::information, info(0x80000000, 50000, 39000, 312)}, {Level::manufacturer, utf16(u"Acme")},
                {Level::deviceName, utf16(u"Pacote 45N1")}, {Level::temperature, le32({3046})}};
    d.status = le32({batteryDischarging, 0, 11800, static_cast<std::uint32_t>(-12500)});
    change(d);
    return d;
}
Device level(Level which, Bytes bytes) { return typical([=](Device& d) { d.levels[which] = bytes; }); }
Device withInfo(std::uint32_t caps, std::uint32_t designed, std::uint32_t full, std::uint32_t cycles) {
    return level(Level::information, info(caps, designed, full, cycles));
}
Device warm(std::uint32_t tenthsOfKelvin) { return level(Level::temperature, le32({tenthsOfKelvin})); }
Device state(std::uint32_t flags, std::uint32_t voltage, std::int32_t rate) {
    return typical([=](Device& d) { d.status = le32({flags, 0, voltage, static_cast<std::uint32_t>(rate)}); });
}
// The battery is swapped after `calls` calls for one that answers only the information level.
Device swap(int calls, std::uint32_t tag) {
    return typical([=](Device& d) {
        d.callsBeforeSwap = calls, d.swappedTag = tag, d.swappedLevels = {*d.levels.begin()};
    });
}

std::string lines(std::initializer_list<std::string> all) {
    std::string text;
    for (const std::string& line : all)
        if (!line.empty()) text += (text.empty() ? "" : "\r\n") + line;
    return text;
}
const std::string health = "Saúde da bateria: 78 por cento. 312 ciclos de carga.";
const std::string original = "Capacidade original: 50,0 watts-hora.";
const std::string both = health + "\r\nCapacidade com carga total: 39,0 watts-hora. " + original;
const std::string maker = "Fabricante: Acme. Modelo: Pacote 45N1.", warmth = "Temperatura: 31 graus Celsius.";
const std::string volts = "Tensão: 11,8 volts.", rate = "Taxa de descarga: 12,5 watts. " + volts;
// The typical battery's lines with its health and capacities, rate or temperature replaced.
std::string typicalWith(const std::string& top, const std::string& bottom = rate, const std::string& warm = warmth) {
    return lines({top, "Tipo: íon de lítio. " + maker, warm, bottom});
}

TEST(BatteryDetails, WhatEachDriverAnswerBecomes) {
    const std::string whole = typicalWith(both), none = "Os detalhes da bateria não estão disponíveis.";
    const std::string cold = typicalWith(both, rate, ""), swapped = lines({both, "Tipo: íon de lítio.", rate});
    const struct {
        const char* what;
        std::vector<Device> devices;
        std::string text;
    } cases[] = {
        {"one battery", {typical()}, whole},
        {"two batteries", {typical(), state(batteryOnMains | batteryCharging, 12600, 20000)},
         lines({"Bateria 1:", whole, "Bateria 2:", typicalWith(both, "Taxa de carga: 20,0 watts. Tensão: 12,6 volts.")})},
        {"no battery device", {}, none},
        {"two, one answering nothing", {typical(), typical([](Device& d) { d.levels = {}, d.status = {}; })},
         lines({"Bateria 1:", whole, "Bateria 2:", "Os detalhes não estão disponíveis."})},
        {"designed unknown", {withInfo(0, ~0u, 39000, 312)},
         typicalWith("312 ciclos de carga.\r\nCapacidade com carga total: 39,0 watts-hora.")},
        {"full unknown, designed 0, cycles 0", {withInfo(0, 0, ~0u, 0)}, typicalWith("")},
        {"full above designed, one cycle", {withInfo(0, 50000, 52500, 1)},
         typicalWith("Saúde da bateria: 105 por cento. 1 ciclo de carga.\r\n"
                     "Capacidade com carga total: 52,5 watts-hora. " + original)},
        {"health beyond belief, cycles 0xFFFFFFFF", {withInfo(0, 1000, 9000, ~0u)},
         typicalWith("Capacidade com carga total: 9,0 watts-hora. Capacidade original: 1,0 watts-hora.")},
        {"capacity beyond 10 kWh", {withInfo(0, 50000, ~1u, 5)}, typicalWith("5 ciclos de carga.\r\n" + original)},
        {"relative: no watts, rate per hour of the full", {withInfo(batteryCapacityRelative, 50000, 39000, 312)},
         typicalWith(health, "Taxa de descarga: 32 por cento por hora. " + volts)},
        {"rate unknown", {state(batteryDischarging, 11800, batteryUnknownRate)}, typicalWith(both, volts)},
        {"voltage unknown, rate 0", {state(batteryDischarging, ~0u, 0)}, typicalWith(both, "")},
        {"charging, negative rate", {state(batteryCharging, 0, -8000)}, typicalWith(both, "Taxa de carga: 8,0 watts.")},
        {"no flags, 0.05 W", {state(0, 0, 50)}, typicalWith(both, "Taxa de carga: 0,1 watts.")},
        {"only information", {typical([](Device& d) { d.levels = {*d.levels.begin()}; })}, swapped},
        {"information shorter than its layout: no rate, its unit unknown", {level(Level::information, Bytes(32, 1))},
         lines({maker, warmth, volts})},
        {"temperature 0, 6000 K", {warm(0), warm(60000)}, lines({"Bateria 1:", cold, "Bateria 2:", cold})},
        {"-5.05 C", {warm(2681)}, typicalWith(both, rate, "Temperatura: -5 graus Celsius.")},
        {"blank name, odd byte, chemistry unknown", {typical([](Device& d) {
             d.levels = {{Level::information, info(0, 0, 0, 0, "XyZ1")}, {Level::deviceName, {' ', 0, 'A'}}};
         })}, lines({"Tipo: XyZ1.", rate})},
        {"swapped while read: the new one's values only", {swap(2, 9)}, swapped},
        {"swapped after the last answer", {swap(6, 9)}, swapped},
        {"removed after the last answer", {swap(6, 0)}, none},
    };
    for (const auto& c : cases) {
        fake::setBatteryDevices(c.devices);
        EXPECT_EQ(composeBatteryDetails(readBatteries()), c.text) << c.what;
        EXPECT_FALSE(fake::batteryDevicesOpen()) << c.what;
    }
    // Controls dropped, characters outside the code page as "?" (a pair of surrogates is one), 40 at most.
    EXPECT_EQ(driverText(utf16(u"  \tAc\u0001me \u20AC\u4E2D\U0001F50B\xDC00 ")), "Acme €???");
    EXPECT_EQ(driverText(utf16(u"Nome muito longo de uma bateria qualquer, cortado")).size(), driverTextLimit);
    EXPECT_EQ(withDecimalCommasSaid("Taxa: 12,5 watts, 0,0; a,1 1, 2 ,3 4,"),
              "Taxa: 12 vírgula 5 watts, 0 vírgula 0; a,1 1, 2 ,3 4,");
}

}  // namespace
