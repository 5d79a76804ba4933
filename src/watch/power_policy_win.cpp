#include <windows.h>

#include <cstdlib>

#include "watch/power_policy.h"

namespace {

using GetActiveScheme = DWORD(WINAPI*)(HKEY, GUID**);
using ReadDcValueIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);

// The battery settings of a power scheme (as the SDK's GUID_BATTERY_* name them).
constexpr GUID batterySubgroup{0xe73a048d, 0xbf27, 0x4f12, {0x97, 0x31, 0x8b, 0x20, 0x76, 0xe8, 0x89, 0x1f}};
constexpr GUID criticalAction{0x637ea02f, 0xbbcb, 0x4015, {0x8e, 0x2c, 0xa1, 0xc7, 0xb9, 0xc0, 0xb5, 0x46}};
constexpr GUID criticalLevel{0x9a66d8d7, 0x4ff7, 0x4ef9, {0xb5, 0xa2, 0x5a, 0x32, 0x6c, 0xa2, 0xa4, 0x69}};
constexpr GUID lowLevel{0x8183ba9a, 0xe910, 0x48da, {0x87, 0x69, 0x14, 0xae, 0x6d, 0xc1, 0x17, 0x0a}};
constexpr GUID reserveLevel{0xf3c5027d, 0xcd16, 0x4930, {0xaa, 0x6b, 0x90, 0xdb, 0x84, 0x4a, 0x8f, 0x00}};

template <typename Function>
Function procedure(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

PowerPolicy readPowerPolicy() {
    if (const char* standIn = std::getenv("VOLTANOR_POWER_POLICY"); standIn && *standIn)
        return powerPolicyFromText(standIn);
    // Loaded only here: the watcher without AVISOS=WINDOWS never loads it.
    HMODULE library = LoadLibraryA("powrprof.dll");
    if (!library) return {};
    auto activeScheme = procedure<GetActiveScheme>(library, "PowerGetActiveScheme");
    auto readValue = procedure<ReadDcValueIndex>(library, "PowerReadDCValueIndex");
    GUID* scheme = nullptr;
    PowerPolicy policy;
    if (activeScheme && readValue && activeScheme(nullptr, &scheme) == ERROR_SUCCESS && scheme) {
        DWORD low = 0, reserve = 0, critical = 0, action = 0;
        auto read = [&](const GUID& setting, DWORD& value) {
            return readValue(nullptr, scheme, &batterySubgroup, &setting, &value) == ERROR_SUCCESS;
        };
        // Without a reserve level (older systems) the low and critical ones still stand.
        if (read(lowLevel, low) && read(criticalLevel, critical) && read(criticalAction, action)) {
            if (!read(reserveLevel, reserve)) reserve = 0;
            policy = powerPolicyFrom(low, reserve, critical, action);
        }
    }
    if (scheme) LocalFree(scheme);
    FreeLibrary(library);
    return policy;
}
