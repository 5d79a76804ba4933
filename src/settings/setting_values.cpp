#include "settings/setting_values.h"

#include <climits>
#include <cstddef>

#include "text/cp1252.h"

namespace {

int digitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (!hex) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

ParsedInteger parseInteger(const std::string& text) {
    ParsedInteger result;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
               i + 2 < text.size() && digitValue(text[i + 2], true) >= 0) {
        hex = true;
        i += 2;
    }
    const long long limit = static_cast<long long>(INT_MAX) + 1;  // room for INT_MIN
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        int d = digitValue(text[i], hex);
        if (d < 0) break;
        result.hasDigits = true;
        magnitude = magnitude * (hex ? 16 : 10) + d;
        if (magnitude > limit) magnitude = limit;  // saturate, keep reading digits
    }
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX) signedValue = INT_MAX;
    result.value = signedValue;
    result.end = i;
    return result;
}

bool settingBoolean(const std::string& value) {
    return !value.empty() && cp1252::asciiUpper(static_cast<unsigned char>(value[0])) != 'N';
}

int leadingInteger(const std::string& value) {
    return static_cast<int>(parseInteger(value).value);
}

int wholeInteger(const std::string& value, int defaultValue) {
    std::int32_t whole = 0;
    return parseWholeInteger(value, whole) ? whole : defaultValue;
}

bool parseWholeInteger(const std::string& text, std::int32_t& value) {
    ParsedInteger parsed = parseInteger(text);
    value = static_cast<std::int32_t>(parsed.value);
    return parsed.hasDigits && parsed.end == text.size();
}

bool settingSaysSim(const std::string& value) {
    return !value.empty() && cp1252::asciiUpper(static_cast<unsigned char>(value[0])) == 'S';
}
