// The battery report: the power status in Portuguese words and digits, in code
// page 1252.  The full report is several lines joined by CR LF; the short one
// ([VOLTANOR] RELATORIO=CURTO) is one line for the ear.
#pragma once
#include <cstdint>
#include <string>

#include "battery/power_status.h"

// Seconds as digits and unit words: "1 segundos ", "2 horas e 5 minutos".
std::string timeToWords(std::uint32_t seconds);
// secondsUntilFull, when known, fills the empty first line of a charging
// battery whose remaining time is unknown: "Carga completa em 1 hora".
std::string composeReport(const PowerStatus& status, std::uint32_t secondsUntilFull = unknownLifeTime);
// The short report: the percent first, then charging or the time left in hours
// and minutes, then the mains: "63 por cento, 1 hora e 40 minutos restantes.
// Energia externa desligada."  A charging battery says "carregando" and, when
// secondsUntilFull is known, "carga completa em ...".  A value the system does
// not know (percent above 100, time, mains) is left out, never said as a number.
// One line, or two (CR LF before the mains) where one would pass 80 columns.
std::string composeShortReport(const PowerStatus& status, std::uint32_t secondsUntilFull = unknownLifeTime);
