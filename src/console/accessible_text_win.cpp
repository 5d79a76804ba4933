// What assistive technology (screen readers, magnifiers) reads of the console
// window: an IAccessible object for the window's client area that is a
// read-only text holding the screen's text, and the value-change event that
// tells them the text changed.  Everything the object does not answer itself
// (position, navigation, focus, the frame) comes from the standard object
// Windows makes for any window.
//
// oleacc.dll is loaded at the first request, so that a run with no assistive
// technology loads nothing more than before.
#include <windows.h>

#include <oleacc.h>

#include <string>

#include "console/screen_text.h"
#include "console/window_state_win.h"
#include "text/cp1252.h"

namespace {

using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);

struct Oleacc {
    LresultFromObjectFunction lresultFromObject = nullptr;
    CreateStdAccessibleObjectFunction createStdAccessibleObject = nullptr;
};

template <typename Function>
Function function(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Oleacc& oleacc() {
    static const Oleacc functions = [] {
        Oleacc loaded;
        if (HMODULE module = LoadLibraryA("oleacc.dll")) {
            loaded.lresultFromObject = function<LresultFromObjectFunction>(module, "LresultFromObject");
            loaded.createStdAccessibleObject =
                function<CreateStdAccessibleObjectFunction>(module, "CreateStdAccessibleObject");
        }
        return loaded;
    }();
    return functions;
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT stringResult(const std::u16string& text, BSTR* result) {
    if (!result) return E_POINTER;
    *result = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    return *result ? S_OK : E_OUTOFMEMORY;
}

std::u16string unicodeOf(const std::string& text) {
    std::u16string result;
    for (char c : text) result += cp1252::toUnicode(static_cast<unsigned char>(c));
    return result;
}

// The client area as a read-only text.  Once the window is gone, the object
// answers nothing of the screen (CO_E_OBJNOTCONNECTED) but stays safe to call.
class AccessibleText final : public IAccessible, public IOleWindow {
public:
    AccessibleText(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == IID_IOleWindow) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IOleWindow: which window this object belongs to.
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argumentError);
    }

    // IAccessible: what makes the client area a text.
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return standard_->get_accName(child, name);
        if (!alive()) return CO_E_OBJNOTCONNECTED;
        return stringResult(unicodeOf(console::detail::captionNow()), name);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
        if (!isSelf(child)) return standard_->get_accValue(child, value);
        if (!alive()) return CO_E_OBJNOTCONNECTED;
        return stringResult(console::detail::screenTextNow(), value);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child)) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_TEXT;
        return S_OK;
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
        HRESULT result = standard_->get_accState(child, state);
        if (isSelf(child) && SUCCEEDED(result) && state->vt == VT_I4) state->lVal |= STATE_SYSTEM_READONLY;
        return result;
    }

    // The rest as the standard object answers it.
    STDMETHODIMP get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    STDMETHODIMP get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override { return standard_->get_accHelp(child, text); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    STDMETHODIMP get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    STDMETHODIMP get_accSelection(VARIANT* children) override { return standard_->get_accSelection(children); }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_->get_accDefaultAction(child, text);
    }
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override { return standard_->accHitTest(x, y, child); }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override {
        return isSelf(child) ? E_ACCESSDENIED : standard_->put_accValue(child, value);  // read-only text
    }

private:
    ~AccessibleText() { standard_->Release(); }
    bool alive() const { return console::detail::windowAlive(window_); }

    LONG references_ = 1;
    HWND window_;
    IAccessible* standard_;
};

bool textChanged = false;

}  // namespace

namespace console::detail {

LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    const Oleacc& functions = oleacc();
    if (!functions.lresultFromObject || !functions.createStdAccessibleObject)
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    // The object is handed over through COM; a request that comes before the
    // speech has started COM on this thread starts it (it stays started, as
    // the speech leaves it).
    static const bool comStarted = SUCCEEDED(CoInitialize(nullptr));
    (void)comStarted;
    IAccessible* standard = nullptr;
    if (FAILED(functions.createStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                                   reinterpret_cast<void**>(&standard))) ||
        !standard)
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    auto* text = new AccessibleText(window, standard);
    LRESULT result = functions.lresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(text));
    text->Release();  // the result holds its own reference
    return result;
}

void screenTextChanged() { textChanged = true; }

void announceTextChange(HWND window) {
    if (!textChanged) return;
    textChanged = false;
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void announceCaptionChange(HWND window) { NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF); }

}  // namespace console::detail
