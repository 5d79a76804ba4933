// The battery report: the power status in Portuguese words and digits, one text
// with CR LF line breaks, in code page 1252.
#pragma once
#include <cstdint>
#include <string>

// The five fields of the system power status that the report reads.
struct PowerStatus {
    std::uint8_t acLineStatus = 0;
    std::uint8_t batteryFlag = 0;
    std::uint8_t batteryLifePercent = 0;
    std::uint32_t batteryLifeTime = 0;
    std::uint32_t batteryFullLifeTime = 0;
};

constexpr std::uint32_t unknownLifeTime = 0xFFFFFFFFu;

// Seconds as digits and unit words: "1 segundos ", "2 horas e 5 minutos".
std::string timeToWords(std::uint32_t seconds);
// secondsUntilFull, when known, fills the empty first line of a charging
// battery whose remaining time is unknown: "Carga completa em 1 hora".
std::string composeReport(const PowerStatus& status, std::uint32_t secondsUntilFull = unknownLifeTime);

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
