// A stand-in for JAWS's COM object: an in-process class that the end-to-end
// scripts register under the ProgID "FreedomSci.JawsApi".  It logs each call
// (SayString "text" flush, StopSpeech) to VOLTANOR_VOICE_LOG; with
// VOLTANOR_READER_FAIL set, SayString answers false as JAWS does when it is
// not running.
#include <cstdlib>

#include "voices/double_support_win.h"

using namespace voice_double;

namespace {

// {6A3E0C51-5B2D-4F7A-9C1E-3D8B2A4F7E10}
const CLSID standInClass = {0x6a3e0c51, 0x5b2d, 0x4f7a, {0x9c, 0x1e, 0x3d, 0x8b, 0x2a, 0x4f, 0x7e, 0x10}};
constexpr DISPID sayStringId = 1, stopSpeechId = 2;

bool failing() {
    const char* fail = std::getenv("VOLTANOR_READER_FAIL");
    return fail && *fail;
}

class JawsApi : public IDispatch, public Counted {
public:
    REFERENCE_COUNTED
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) return AddRef(), *out = this, S_OK;
        return *out = nullptr, E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; i < count; ++i) {
            std::string name = utf8(names[i]);
            ids[i] = name == "SayString" ? sayStringId : name == "StopSpeech" ? stopSpeechId : DISPID_UNKNOWN;
            if (ids[i] == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        bool answer = true;
        if (id == sayStringId) {
            // Arguments come last first: flush, then the text.
            if (parameters->cArgs != 2 || parameters->rgvarg[1].vt != VT_BSTR || parameters->rgvarg[0].vt != VT_BOOL)
                return DISP_E_TYPEMISMATCH;
            const BSTR text = parameters->rgvarg[1].bstrVal;
            logLine("SayString " + quoted(utf8(text, static_cast<int>(SysStringLen(text)))) +
                    (parameters->rgvarg[0].boolVal ? " flush" : ""));
            answer = !failing();
        } else if (id == stopSpeechId) {
            logLine("StopSpeech");
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (result) {
            VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = answer ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    }
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** out) {
    static Factory<JawsApi> factory("JawsApi");
    if (id != standInClass) return *out = nullptr, CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, out);
}
