// The battery report: the power status in Portuguese words and digits, one text
// with CR LF line breaks, in code page 1252.
#pragma once
#include <cstdint>
#include <string>

#include "battery/power_status.h"

// Seconds as digits and unit words: "1 segundos ", "2 horas e 5 minutos".
std::string timeToWords(std::uint32_t seconds);
// secondsUntilFull, when known, fills the empty first line of a charging
// battery whose remaining time is unknown: "Carga completa em 1 hora".
std::string composeReport(const PowerStatus& status, std::uint32_t secondsUntilFull = unknownLifeTime);
