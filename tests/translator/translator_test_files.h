// Temporary rules and exceptions files for the translator tests.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>

namespace translator_test {

inline std::string writeTempFile(const std::string& name, const std::string& content) {
    static int serial = 0;
    const auto dir = std::filesystem::temp_directory_path() / "voltanor-translator-test";
    std::filesystem::create_directories(dir);
    const auto path = dir / (std::to_string(++serial) + "-" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

// One rule per letter writing the letter in lower case, so that the stress
// mark (an upper-case vowel in the piece) shows in the result.
inline std::string identityRules() {
    std::string rules;
    for (char c = 'A'; c <= 'Z'; ++c) {
        rules += "(";
        rules += c;
        rules += ")=";
        rules += static_cast<char>(c - 'A' + 'a');
        rules += "|\n";
    }
    return rules;
}

}  // namespace translator_test
