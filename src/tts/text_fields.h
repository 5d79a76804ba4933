// Small text helpers of the engine's data file readers.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tts {

// Without the blanks and control characters (bytes up to 0x20) at both ends.
std::string trimBlanks(std::string_view text);

// A decimal integer with an optional sign, blanks around it allowed; nothing
// when the text is anything else or the value does not fit in 32 bits.
std::optional<std::int32_t> parseDecimal(std::string_view text);

}  // namespace tts
