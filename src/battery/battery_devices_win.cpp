// The battery class driver: the battery device interfaces the setup API
// lists, opened with CreateFile and asked with DeviceIoControl.  The setup
// API is loaded only here, so that the report without details loads no more
// than before.  The driver's codes and layouts are declared here from the
// documented ones (the toolchain's headers do not all have them).
#include <windows.h>
#include <setupapi.h>
#include <winioctl.h>
#include <batclass.h>

#include <cstring>

#include "battery/battery_devices.h"

namespace {

// The battery device interface class {72631e54-78a4-11d0-bcf7-00aa00b7b32a}.
constexpr GUID batteryInterface = {0x72631e54, 0x78a4, 0x11d0, {0xbc, 0xf7, 0x00, 0xaa, 0x00, 0xb7, 0xb3, 0x2a}};
// CTL_CODE(FILE_DEVICE_BATTERY 0x29, function 0x10/0x11/0x13, METHOD_BUFFERED, FILE_READ_ACCESS).
constexpr DWORD queryTagCode = 0x294040;
constexpr DWORD queryInformationCode = 0x294044;
constexpr DWORD queryStatusCode = 0x29404C;
static_assert(queryTagCode == IOCTL_BATTERY_QUERY_TAG && queryInformationCode == IOCTL_BATTERY_QUERY_INFORMATION &&
              queryStatusCode == IOCTL_BATTERY_QUERY_STATUS);

struct QueryInformation {  // BATTERY_QUERY_INFORMATION
    ULONG tag;
    ULONG level;
    LONG atRate;
};
struct WaitStatus {  // BATTERY_WAIT_STATUS
    ULONG tag;
    ULONG timeout;
    ULONG powerState;
    ULONG lowCapacity;
    ULONG highCapacity;
};

constexpr int mostDevices = 16;
constexpr DWORD answerSize = 512;  // the longest level asked is a name; longer is cut

using GetClassDevs = HDEVINFO(WINAPI*)(const GUID*, PCWSTR, HWND, DWORD);
using EnumInterfaces = BOOL(WINAPI*)(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA);
using InterfaceDetail = BOOL(WINAPI*)(HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_W, DWORD,
                                      PDWORD, PSP_DEVINFO_DATA);
using DestroyList = BOOL(WINAPI*)(HDEVINFO);

HANDLE devices[mostDevices];
int deviceCount = 0;

template <typename Call>
Call procedure(HMODULE library, const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

HANDLE openInterface(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& interface, InterfaceDetail detail) {
    DWORD size = 0;
    detail(list, &interface, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || size > 64 * 1024) return INVALID_HANDLE_VALUE;
    auto* data = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(LocalAlloc(LPTR, size));
    if (!data) return INVALID_HANDLE_VALUE;
    data->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    HANDLE device = INVALID_HANDLE_VALUE;
    if (detail(list, &interface, data, size, &size, nullptr)) {
        for (DWORD access : {GENERIC_READ | GENERIC_WRITE, DWORD{GENERIC_READ}}) {
            device = CreateFileW(data->DevicePath, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            if (device != INVALID_HANDLE_VALUE) break;
        }
    }
    LocalFree(data);
    return device;
}

BatteryAnswer ask(int index, DWORD code, const void* question, DWORD questionSize, std::vector<unsigned char>& answer) {
    answer.clear();
    if (index < 0 || index >= deviceCount) return BatteryAnswer::failed;
    answer.assign(answerSize, 0);
    DWORD returned = 0;
    if (!DeviceIoControl(devices[index], code, const_cast<void*>(question), questionSize, answer.data(), answerSize,
                         &returned, nullptr)) {
        answer.clear();
        switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND: return BatteryAnswer::tagGone;
        case ERROR_INVALID_FUNCTION:
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_PARAMETER: return BatteryAnswer::unsupported;
        default: return BatteryAnswer::failed;
        }
    }
    answer.resize(returned < answerSize ? returned : answerSize);
    return BatteryAnswer::given;
}

}  // namespace

int openBatteryDevices() {
    closeBatteryDevices();
    HMODULE library = LoadLibraryA("setupapi.dll");
    if (!library) return 0;
    auto getClassDevs = procedure<GetClassDevs>(library, "SetupDiGetClassDevsW");
    auto enumInterfaces = procedure<EnumInterfaces>(library, "SetupDiEnumDeviceInterfaces");
    auto detail = procedure<InterfaceDetail>(library, "SetupDiGetDeviceInterfaceDetailW");
    auto destroy = procedure<DestroyList>(library, "SetupDiDestroyDeviceInfoList");
    if (getClassDevs && enumInterfaces && detail && destroy) {
        HDEVINFO list = getClassDevs(&batteryInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (list != INVALID_HANDLE_VALUE) {
            for (DWORD i = 0; deviceCount < mostDevices && i < 4 * mostDevices; ++i) {
                SP_DEVICE_INTERFACE_DATA interface{};
                interface.cbSize = sizeof interface;
                if (!enumInterfaces(list, nullptr, &batteryInterface, i, &interface)) break;
                HANDLE device = openInterface(list, interface, detail);
                if (device != INVALID_HANDLE_VALUE) devices[deviceCount++] = device;
            }
            destroy(list);
        }
    }
    FreeLibrary(library);
    return deviceCount;
}

void closeBatteryDevices() {
    for (int i = 0; i < deviceCount; ++i) CloseHandle(devices[i]);
    deviceCount = 0;
}

std::uint32_t batteryTag(int index) {
    const ULONG wait = 0;  // no battery now: answer at once
    std::vector<unsigned char> answer;
    if (ask(index, queryTagCode, &wait, sizeof wait, answer) != BatteryAnswer::given || answer.size() < 4) return 0;
    std::uint32_t tag;  // the machine's order is the driver's (little-endian)
    std::memcpy(&tag, answer.data(), sizeof tag);
    return tag;
}

BatteryAnswer queryBatteryLevel(int index, std::uint32_t tag, BatteryLevel level, std::vector<unsigned char>& answer) {
    const QueryInformation question{tag, static_cast<ULONG>(level), 0};
    return ask(index, queryInformationCode, &question, sizeof question, answer);
}

BatteryAnswer queryBatteryStatus(int index, std::uint32_t tag, std::vector<unsigned char>& answer) {
    const WaitStatus question{tag, 0, 0, 0, 0};
    return ask(index, queryStatusCode, &question, sizeof question, answer);
}
