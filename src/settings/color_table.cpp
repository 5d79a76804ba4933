// The colour table of the display settings: up to sixteen numbers separated by
// commas.  Apart from the settings file so that the rule can be checked alone.
#include <cstdint>

#include "settings/sections.h"
#include "settings/setting_values.h"
#include "text/blank_ends.h"

void parseColorTable(const std::string& value, std::array<std::uint8_t, 16>& table) {
    std::string rest = value + ",";
    for (std::size_t entry = 0; entry < table.size(); ++entry) {
        std::size_t comma = rest.find(',');
        if (comma == std::string::npos) return;
        // The comma is found in the untrimmed text but the number is cut from
        // the trimmed one, so a blank after a comma spoils that entry.
        std::string number = text::withoutBlankEnds(rest).substr(0, comma);
        std::int32_t parsed = 0;
        bool ok = parseWholeInteger(number, parsed);
        table[entry] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(parsed) & 0xFF);
        if (!ok) return;
        rest.erase(0, comma + 1);
    }
}
