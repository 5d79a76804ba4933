// Each user's choice of the watcher at logon, in the test prefix's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "watch/logon_choice.h"

namespace {

using Text = std::optional<std::string>;
struct Value { HKEY root; const char* key; const char* name; };
constexpr const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const Value values[] = {{HKEY_LOCAL_MACHINE, runKey, "Voltanor"},  // the machine's entry (32-bit view)
                        {HKEY_CURRENT_USER, runKey, "Voltanor"},   // the user's own
                        {HKEY_CURRENT_USER, "Software\\Voltanor", "AvisoAoEntrar"}};

Text read(const Value& v) {
    char text[512] = {};
    DWORD size = sizeof text - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(v.root, v.key, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return {};
    bool found = RegQueryValueExA(key, v.name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found ? Text(text) : Text();
}

void write(const Value& v, const Text& text) {
    HKEY key = nullptr;
    RegCreateKeyExA(v.root, v.key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr);
    if (text) RegSetValueExA(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()), static_cast<DWORD>(text->size() + 1));
    else RegDeleteValueA(key, v.name);
    RegCloseKey(key);
}

TEST(LogonChoice, EachUserTurnsItOnAndOff) {
    const Text saved[] = {read(values[0]), read(values[1]), read(values[2])};  // put back at the end
    const struct {
        const char* what;
        Text before[3];  // machine, user, choice
        bool turnOn, onBefore;
        Text userAfter;
    } cases[] = {
        {"installed, turned off", {"\"C:\\P\\voltanor.exe\" /vigiar /entrada", {}, {}}, false, true, {}},
        {"installed and off, turned on", {"x", {}, "NAO"}, true, false, {}},
        {"not installed, turned on: an entry of the user's", {{}, {}, {}}, true, false, "\"C:\\V\\voltanor.exe\" /vigiar /entrada"},
        {"an earlier version's entry, turned off: it goes", {{}, "x /vigiar", {}}, false, true, {}},
        {"an earlier version's entry beside the machine's, on: kept", {"x", "x /vigiar", {}}, true, true, "x /vigiar"},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i) write(values[i], c.before[i]);
        EXPECT_EQ(logonStartOn(), c.onBefore) << c.what;
        EXPECT_EQ(logonWarningsWanted(), c.before[2] != Text("NAO")) << c.what;
        EXPECT_TRUE(setLogonStart(c.turnOn, "C:\\V\\voltanor.exe")) << c.what;
        EXPECT_EQ(logonStartOn(), c.turnOn) << c.what;
        EXPECT_EQ(logonWarningsWanted(), c.turnOn) << c.what;
        EXPECT_EQ(read(values[1]), c.userAfter) << c.what;
        EXPECT_EQ(read(values[2]), Text(c.turnOn ? "SIM" : "NAO")) << c.what;
        EXPECT_EQ(read(values[0]), c.before[0]) << c.what << ": the machine's entry is the installer's";
    }
    for (int i = 0; i < 3; ++i) write(values[i], saved[i]);
}

}  // namespace
