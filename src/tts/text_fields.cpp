#include "tts/text_fields.h"

namespace tts {

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

std::string trimBlanks(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    const std::string digits = trimBlanks(text);
    std::size_t i = 0;
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) ++i;
    if (i == digits.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') return std::nullopt;
        value = value * 10 + (digits[i] - '0');
        if (value > std::int64_t{1} << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace tts
