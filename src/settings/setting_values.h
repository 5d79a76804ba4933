// The value conventions of the settings file: Booleans, leading integers and
// whole integers, read the same way by every module (the console window's
// display settings and the speech settings alike).
#pragma once
#include <cstddef>
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
