// The integer and colour-table rules of the display settings values.
#include "console/display_settings.h"

namespace console {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string trimControls(const std::string& text) {
    std::size_t first = 0, end = text.size();
    while (first < end && isControlOrBlank(text[first])) ++first;
    while (end > first && isControlOrBlank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

}  // namespace

bool parseSettingInteger(const std::string& text, std::int32_t& value) {
    std::size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    // Accumulate the magnitude, saturating at the edge of the 32-bit range.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    bool anyDigit = false;
    for (; i < n; ++i) {
        int digit = hexDigit(text[i]);
        if (digit < 0 || digit >= base) break;
        anyDigit = true;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) magnitude = limit;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return anyDigit && i == n;
}

void parseColorTable(const std::string& value, std::array<std::uint8_t, 16>& table) {
    std::string rest = value + ",";
    for (std::size_t entry = 0; entry < table.size(); ++entry) {
        std::size_t comma = rest.find(',');
        if (comma == std::string::npos) return;
        // The comma is found in the untrimmed text but the number is cut from
        // the trimmed one, so a blank after a comma spoils that entry.
        std::string number = trimControls(rest).substr(0, comma);
        std::int32_t parsed = 0;
        bool ok = parseSettingInteger(number, parsed);
        table[entry] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(parsed) & 0xFF);
        if (!ok) return;
        rest.erase(0, comma + 1);
    }
}

}  // namespace console
