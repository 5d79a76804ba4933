#include "watch/logon_choice.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr const char* choiceKey = "Software\\Voltanor";
constexpr const char* choiceValue = "AvisoAoEntrar";
constexpr const char* offText = "NAO";
constexpr const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* runValue = "Voltanor";

// The machine's entry is where the 32-bit installer writes it.
bool machineEntryPresent() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, runKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return false;
    bool present = RegQueryValueExA(key, runValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}

bool userEntryPresent() {
    return RegGetValueA(HKEY_CURRENT_USER, runKey, runValue, RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool setUserValue(const char* keyName, const char* valueName, const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

}  // namespace

bool logonWarningsWanted() {
    char text[16] = {};
    DWORD size = sizeof text - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, choiceKey, choiceValue, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return true;
    return _stricmp(text, offText) != 0;
}

bool logonStartOn() { return (machineEntryPresent() && logonWarningsWanted()) || userEntryPresent(); }

bool setLogonStart(bool on, const std::string& programPath) {
    if (!setUserValue(choiceKey, choiceValue, on ? "SIM" : offText)) return false;
    if (!on) {
        LONG status = RegDeleteKeyValueA(HKEY_CURRENT_USER, runKey, runValue);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    if (machineEntryPresent() || userEntryPresent()) return true;
    return setUserValue(runKey, runValue, "\"" + programPath + "\" /vigiar " + logonOption);
}
