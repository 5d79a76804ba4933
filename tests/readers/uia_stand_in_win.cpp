// A stand-in uiautomationcore.dll, loaded in place of the system's through a
// DLL override: a client always listens, and each notification raised is
// logged (notification KIND PROCESSING "text" ACTIVITY) to VOLTANOR_VOICE_LOG;
// with VOLTANOR_READER_FAIL set the notification fails.
#include <cstdlib>

#include "voices/double_support_win.h"

using namespace voice_double;

namespace {

class Provider : public IUnknown, public Counted {
public:
    REFERENCE_COUNTED
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown) return AddRef(), *out = this, S_OK;
        return *out = nullptr, E_NOINTERFACE;
    }
};

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI UiaClientsAreListening() { return TRUE; }

extern "C" __declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND window, IUnknown** provider) {
    if (!IsWindow(window)) return *provider = nullptr, E_INVALIDARG;
    return *provider = new Provider, S_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI UiaRaiseNotificationEvent(IUnknown* provider, int kind,
                                                                         int processing, BSTR text, BSTR activity) {
    if (!provider) return E_INVALIDARG;
    logLine("notification " + std::to_string(kind) + " " + std::to_string(processing) + " " +
            quoted(utf8(text, static_cast<int>(SysStringLen(text)))) + " " + utf8(activity));
    const char* fail = std::getenv("VOLTANOR_READER_FAIL");
    return fail && *fail ? E_FAIL : S_OK;
}
