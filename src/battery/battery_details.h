// The battery details under the report (/detalhes): each battery's health,
// capacities, cycle count, chemistry, maker, model, temperature, charge or
// discharge rate and voltage, in Portuguese words and digits, one text with
// CR LF line breaks, in code page 1252.
#pragma once
#include <string>
#include <vector>

#include "battery/battery_reading.h"

constexpr const char* detailsUnavailableText = "Os detalhes da bateria não estão disponíveis.";

// A value the driver leaves unknown, or gives beyond belief, is left out,
// never said as a number.  With two batteries or more each block starts with
// "Bateria N:".  No line break at the start or the end.
std::string composeBatteryDetails(const std::vector<BatteryFacts>& batteries);

// The text as it is to be said: a comma between two digits is said as the
// word ("12,5" becomes "12 vírgula 5"), since the speech otherwise plays the
// comma as a short mark between two numbers.  Everything else stays.
std::string withDecimalCommasSaid(const std::string& text);
