// The value conventions of the settings file: Booleans, leading integers and
// whole integers, the same for every section.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// An integer read from the front of a value: optional blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x" or "0x".
struct ParsedInteger {
    long long value = 0;    // held within the range of int
    bool hasDigits = false;
    std::size_t end = 0;    // index of the first character not used
};
ParsedInteger parseInteger(const std::string& text);

// True when the value is not empty and its first character, upper-cased, is
// not "N" ("SIM", "1" and "x" are true; "", "N" and "não" are false).
bool settingBoolean(const std::string& value);

// Optional blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x" or "0x"; reading stops at the first other character
// and the number read so far is the value (0 without digits).  Values beyond
// the range of int are held at its ends.
int leadingInteger(const std::string& value);

// The whole value must be such an integer (no trailing characters, at least
// one digit); otherwise defaultValue ("300ms" gives the default).
int wholeInteger(const std::string& value, int defaultValue);

// The same integer read whole: `value` gets what was read up to the first
// character that does not belong (saturated to the range of int); false when
// the text was not wholly such an integer.
bool parseWholeInteger(const std::string& text, std::int32_t& value);

// The display settings' yes: true only when the first character, upper-cased,
// is "S" (Sim).  Unlike settingBoolean, "1", "x" and "" are no.
bool settingSaysSim(const std::string& value);
