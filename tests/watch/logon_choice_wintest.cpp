// Each user's choice of the watcher at logon, in the registry of the test's
// Wine prefix: the machine's entry (as the installer writes it), the user's
// own, and the choice, before and after the settings menu turns it on or off.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "watch/logon_choice.h"

namespace {

constexpr const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Value {
    HKEY root;
    const char* key;
    const char* name;
    REGSAM view;
};
const Value machineEntry{HKEY_LOCAL_MACHINE, runKey, "Voltanor", KEY_WOW64_32KEY};
const Value userEntry{HKEY_CURRENT_USER, runKey, "Voltanor", 0};
const Value choice{HKEY_CURRENT_USER, "Software\\Voltanor", "AvisoAoEntrar", 0};

std::optional<std::string> read(const Value& v) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(v.root, v.key, 0, KEY_QUERY_VALUE | v.view, &key) != ERROR_SUCCESS) return std::nullopt;
    char text[512] = {};
    DWORD size = sizeof text - 1;
    bool found = RegQueryValueExA(key, v.name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found ? std::optional<std::string>(text) : std::nullopt;
}

void write(const Value& v, const std::optional<std::string>& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(v.root, v.key, 0, nullptr, 0, KEY_SET_VALUE | v.view, nullptr, &key, nullptr), ERROR_SUCCESS);
    if (text) RegSetValueExA(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()), static_cast<DWORD>(text->size() + 1));
    else RegDeleteValueA(key, v.name);
    RegCloseKey(key);
}

// The prefix's values as they were, put back after each case.
struct LogonChoice : ::testing::Test {
    std::optional<std::string> saved[3] = {read(machineEntry), read(userEntry), read(choice)};
    void TearDown() override {
        write(machineEntry, saved[0]);
        write(userEntry, saved[1]);
        write(choice, saved[2]);
    }
};

TEST_F(LogonChoice, EachUserTurnsItOnAndOff) {
    const std::string program = "C:\\Voltanor\\voltanor.exe";
    const std::string ownEntry = "\"" + program + "\" /vigiar /entrada";
    const struct {
        const char* what;
        std::optional<std::string> machine, user, chosen;
        bool turnOn;
        bool onBefore, onAfter;
        std::optional<std::string> userAfter, chosenAfter;
    } cases[] = {
        {"installed, turned off", "\"C:\\P\\voltanor.exe\" /vigiar /entrada", {}, {}, false, true, false, {}, "NAO"},
        {"installed, off, turned on", "x /vigiar /entrada", {}, "NAO", true, false, true, {}, "SIM"},
        {"not installed, turned on: an entry of the user's", {}, {}, {}, true, false, true, ownEntry, "SIM"},
        {"an earlier version's entry, turned off: it goes", {}, "x /vigiar", {}, false, true, false, {}, "NAO"},
        {"an earlier version's entry beside the machine's, on: kept", "x", "x /vigiar", {}, true, true, true, "x /vigiar", "SIM"},
    };
    for (const auto& c : cases) {
        write(machineEntry, c.machine);
        write(userEntry, c.user);
        write(choice, c.chosen);
        EXPECT_EQ(logonStartOn(), c.onBefore) << c.what;
        EXPECT_EQ(logonWarningsWanted(), c.chosen != std::optional<std::string>("NAO")) << c.what;
        EXPECT_TRUE(setLogonStart(c.turnOn, program)) << c.what;
        EXPECT_EQ(logonStartOn(), c.onAfter) << c.what;
        EXPECT_EQ(logonWarningsWanted(), c.turnOn) << c.what;
        EXPECT_EQ(read(userEntry), c.userAfter) << c.what;
        EXPECT_EQ(read(choice), c.chosenAfter) << c.what;
        EXPECT_EQ(read(machineEntry), c.machine) << c.what << ": the machine's entry is the installer's";
    }
}

}  // namespace
