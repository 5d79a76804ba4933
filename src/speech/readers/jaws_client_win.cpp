// JAWS's COM object, late-bound through IDispatch: SayString(text, flush)
// and StopSpeech.  It answers false (and SayString gives false) when JAWS is
// installed but not running.
#include <oleauto.h>

#include <cstdlib>

#include "speech/readers/reader_clients_win.h"

namespace {

IDispatch* api = nullptr;
DISPID sayId = DISPID_UNKNOWN, stopId = DISPID_UNKNOWN;

DISPID idOf(const wchar_t* name) {
    std::wstring copy = name;
    LPOLESTR names[] = {copy.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(api->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
    return id;
}

// Arguments in DISPPARAMS order (the last one first); true when the call
// succeeded and did not answer false.
bool invoke(DISPID id, VARIANTARG* arguments, UINT count) {
    if (!api || id == DISPID_UNKNOWN) return false;
    DISPPARAMS parameters{arguments, nullptr, count, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT status = api->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result, nullptr,
                                 nullptr);
    bool answeredFalse = result.vt == VT_BOOL && result.boolVal == VARIANT_FALSE;
    VariantClear(&result);
    return SUCCEEDED(status) && !answeredFalse;
}

}  // namespace

namespace jaws {

bool open() {
    if (api) return true;
    CLSID jawsClass;
    if (FAILED(CLSIDFromProgID(L"FreedomSci.JawsApi", &jawsClass))) return false;
    if (FAILED(CoCreateInstance(jawsClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&api))))
        return api = nullptr, false;
    // Released as the program ends, while COM still runs.
    std::atexit([] {
        api->Release();
        api = nullptr;
    });
    sayId = idOf(L"SayString");
    stopId = idOf(L"StopSpeech");
    return true;
}

bool say(const std::wstring& text, bool interrupt) {
    BSTR said = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!said) return false;
    VARIANTARG arguments[2];
    VariantInit(&arguments[0]);
    arguments[0].vt = VT_BOOL;
    arguments[0].boolVal = interrupt ? VARIANT_TRUE : VARIANT_FALSE;
    VariantInit(&arguments[1]);
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = said;
    bool taken = invoke(sayId, arguments, 2);
    SysFreeString(said);
    return taken;
}

void stop() { invoke(stopId, nullptr, 0); }

}  // namespace jaws
