// Settings values and number words on arbitrary input: the marker expansion
// always ends, with exactly the expected length, and the value readers and
// the number words never leave their bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/setting_values.h"
#include "settings/settings_file.h"
#include "speech/speech.h"

namespace {

std::size_t count(const std::string& text, char c) {
    std::size_t n = 0;
    for (char x : text) n += x == c;
    return n;
}

// Markers of the original value: a leading "@" and every "@\", counted as
// the expansion finds them when nothing inserted is rescanned.
std::size_t markers(const std::string& value) {
    std::size_t n = 0, i = 0;
    if (!value.empty() && value[0] == '@') {
        ++n;
        i = 1;
    }
    for (; i + 1 < value.size(); ++i)
        if (value[i] == '@' && value[i + 1] == '\\') ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t first = input.find('\n');
    std::size_t second = first == std::string::npos ? std::string::npos : input.find('\n', first + 1);
    std::string value = input.substr(0, first);
    std::string program = first == std::string::npos ? "" : input.substr(first + 1, second - first - 1);
    std::string start = second == std::string::npos ? "C:\\x" : input.substr(second + 1);
    if (value.size() > 100 || program.size() > 100 || start.size() > 100) return 0;

    std::string expanded = expandProgramMarker(value, program, start);
    const std::string& directory = (program.empty() || program[0] == '@') ? start : program;
    // Every expansion replaces one "@" of the original value by the
    // directory: at least every marker of the value, at most every "@".
    const std::size_t valueAts = count(value, '@'), expandedAts = count(expanded, '@'),
                      directoryAts = count(directory, '@');
    bool explained = false;
    for (std::size_t k = markers(value); k <= valueAts && !explained; ++k)
        explained = expanded.size() == value.size() + k * (directory.size() - 1) &&
                    expandedAts == valueAts - k + k * directoryAts;
    if (!explained) std::abort();

    settingBoolean(value);
    int leading = leadingInteger(value);
    int whole = wholeInteger(value, 12345);
    if (whole != 12345 && whole != leading) std::abort();

    std::uint64_t n = 0;
    for (std::size_t i = 0; i < size && i < 8; ++i) n = n << 8 | data[i];
    std::string words = numberToWords(n);
    if (words.empty()) std::abort();
    for (unsigned char c : words)
        if (!((c >= 'a' && c <= 'z') || c == ' ' || c == 0xE3 || c == 0xF5)) std::abort();
    return 0;
}
