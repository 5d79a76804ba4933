// A UI Automation notification event raised for the program's window, which
// Narrator (and other readers) speak.  The calls are found in
// uiautomationcore.dll at run time: a system without them (Windows before
// 10 1709, Wine) must still start the program.
#include <oleauto.h>

#include "speech/readers/reader_clients_win.h"

namespace {

// NotificationKind_Other; NotificationProcessing_ImportantMostRecent cuts
// what is being said, NotificationProcessing_ImportantAll queues.
constexpr int kindOther = 4, processingImportantAll = 0, processingImportantMostRecent = 1;

using HostProviderFromWindow = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotification = HRESULT(WINAPI*)(IUnknown*, int kind, int processing, BSTR text, BSTR activity);

using ClientsListening = BOOL(WINAPI*)();

struct Calls {
    HostProviderFromWindow hostProvider = nullptr;
    RaiseNotification raise = nullptr;
    ClientsListening clientsListening = nullptr;
};

const Calls& calls() {
    static const Calls found = [] {
        Calls result;
        HMODULE library = LoadLibraryW(L"uiautomationcore.dll");
        if (!library) return result;
        auto find = [&](const char* name) { return reinterpret_cast<void (*)()>(GetProcAddress(library, name)); };
        result.hostProvider = reinterpret_cast<HostProviderFromWindow>(find("UiaHostProviderFromHwnd"));
        result.raise = reinterpret_cast<RaiseNotification>(find("UiaRaiseNotificationEvent"));
        result.clientsListening = reinterpret_cast<ClientsListening>(find("UiaClientsAreListening"));
        return result;
    }();
    return found;
}

}  // namespace

namespace notification {

bool say(HWND window, const std::wstring& text, bool interrupt) {
    const Calls& uia = calls();
    IUnknown* provider = nullptr;
    // With no client listening (Narrator off) nobody would hear it: the own voice says it.
    if (!window || !uia.hostProvider || !uia.raise || !uia.clientsListening || !uia.clientsListening() ||
        FAILED(uia.hostProvider(window, &provider)) || !provider)
        return false;
    BSTR said = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    BSTR activity = SysAllocString(L"Voltanor");
    HRESULT status = said && activity ? uia.raise(provider, kindOther,
                                                  interrupt ? processingImportantMostRecent : processingImportantAll,
                                                  said, activity)
                                      : E_OUTOFMEMORY;
    SysFreeString(said);
    SysFreeString(activity);
    provider->Release();
    return SUCCEEDED(status);
}

}  // namespace notification
