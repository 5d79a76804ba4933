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
std::string composeReport(const PowerStatus& status);
