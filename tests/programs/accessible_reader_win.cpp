// Reads the console window as a screen reader does, from another process:
//     accessible_reader.exe FOLDER
// Sets an out-of-context WinEvent hook, makes FOLDER\ready (the program may
// start), and follows the value changes of the window "Voltanor - Medidor de
// bateria" until its text is there; then writes FOLDER\value.txt (the text in
// UTF-8) and FOLDER\facts.txt ("key=value" lines: role, state, name, value
// changes, the caret's cell, the frame's object), ends the program with a key
// while holding the object, and records what the calls made after the end
// answered.  The caption's changes are counted too.  Exit code 1: no window.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

HWND window = nullptr;
int valueChanges = 0, changesWithText = 0, nameChanges = 0;
FILE* facts = nullptr;

void put(const char* key, const std::string& value) { std::fprintf(facts, "%s=%s\n", key, value.c_str()); }

VARIANT self() {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

IAccessible* objectOf(LONG id, HRESULT* result = nullptr, HWND handle = window) {
    IAccessible* object = nullptr;
    HRESULT hr = AccessibleObjectFromWindow(handle, static_cast<DWORD>(id), IID_IAccessible,
                                            reinterpret_cast<void**>(&object));
    if (result) *result = hr;
    return SUCCEEDED(hr) ? object : nullptr;
}

// A text property in UTF-8 (empty on failure).
template <typename Getter>
std::string textOf(IAccessible* object, Getter getter, HRESULT* result = nullptr) {
    BSTR text = nullptr;
    HRESULT hr = (object->*getter)(self(), &text);
    if (result) *result = hr;
    std::string utf8;
    if (SUCCEEDED(hr) && text) {
        int length = static_cast<int>(SysStringLen(text));
        utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr));
        WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    }
    SysFreeString(text);
    return utf8;
}

// The report may be written before the window is found by its caption: the
// events of every console window count.
void CALLBACK changed(HWINEVENTHOOK, DWORD event, HWND handle, LONG id, LONG child, DWORD, DWORD) {
    char className[16] = {};
    GetClassNameA(handle, className, sizeof className);
    if (std::string(className) != "OxWinCrt" || id != OBJID_CLIENT || child != CHILDID_SELF) return;
    if (event == EVENT_OBJECT_NAMECHANGE) ++nameChanges;
    if (event != EVENT_OBJECT_VALUECHANGE) return;
    ++valueChanges;
    if (IAccessible* object = objectOf(OBJID_CLIENT, nullptr, handle)) {
        if (!textOf(object, &IAccessible::get_accValue).empty()) ++changesWithText;
        object->Release();
    }
}

void pumpFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

long roleOf(IAccessible* object) {
    VARIANT role{};
    HRESULT hr = object->get_accRole(self(), &role);
    return SUCCEEDED(hr) && role.vt == VT_I4 ? role.lVal : hr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    CoInitialize(nullptr);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, changed,
                                         0, 0, WINEVENT_OUTOFCONTEXT);
    if (FILE* ready = std::fopen((folder + "\\ready").c_str(), "w")) std::fclose(ready);
    for (int tries = 0; tries < 3000 && !window; ++tries) {
        window = FindWindowA("OxWinCrt", "Voltanor - Medidor de bateria");
        if (!window) pumpFor(20);
    }
    if (!window) return 1;
    for (int tries = 0; tries < 300 && changesWithText == 0; ++tries) pumpFor(100);
    pumpFor(1000);  // later changes, if any, count too

    facts = std::fopen((folder + "\\facts.txt").c_str(), "w");
    if (!facts) return 2;
    put("value_changes", std::to_string(valueChanges));
    put("value_changes_with_text", std::to_string(changesWithText));
    put("name_changes", std::to_string(nameChanges));
    IAccessible* object = objectOf(OBJID_CLIENT);
    if (object) {
        VARIANT state{};
        object->get_accState(self(), &state);
        put("role", std::to_string(roleOf(object)));
        put("read_only", state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_READONLY) ? "yes" : "no");
        put("name", textOf(object, &IAccessible::get_accName));
        if (FILE* value = std::fopen((folder + "\\value.txt").c_str(), "wb")) {
            std::fputs(textOf(object, &IAccessible::get_accValue).c_str(), value);
            std::fclose(value);
        }
        // The place of the client area, from the standard object.
        LONG left = 0, top = 0, width = 0, height = 0;
        RECT client{};
        POINT origin{0, 0};
        GetClientRect(window, &client);
        ClientToScreen(window, &origin);
        bool same = SUCCEEDED(object->accLocation(&left, &top, &width, &height, self())) && left == origin.x &&
                    top == origin.y && width == client.right && height == client.bottom;
        put("location_is_client_area", same ? "yes" : "no");
    }
    // The caret is as wide as a cell; the 8-line client area is 8 lines high.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    DWORD processId = 0;
    RECT client{};
    GetClientRect(window, &client);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, &processId), &thread) && thread.hwndCaret == window) {
        const RECT& caret = thread.rcCaret;
        put("caret_height", std::to_string(caret.bottom - caret.top));
        if (caret.right > caret.left && client.bottom >= 8)
            put("caret_cell", std::to_string(caret.left / (caret.right - caret.left)) + "," +
                                  std::to_string(caret.top / (client.bottom / 8)));
    }
    // Another object of the window: the standard one, never the text.
    HRESULT hr = S_OK;
    if (IAccessible* frame = objectOf(OBJID_WINDOW, &hr)) {
        put("window_role", std::to_string(roleOf(frame)));
        frame->Release();
    } else {
        put("window_role", "no object " + std::to_string(hr));
    }

    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(window, WM_CHAR, ' ', 0);
    put("program_ended", process && WaitForSingleObject(process, 60000) == WAIT_OBJECT_0 ? "yes" : "no");
    if (object) {
        textOf(object, &IAccessible::get_accValue, &hr);
        put("held_object_after_end", SUCCEEDED(hr) ? "answered" : "failed");
        object->Release();
    }
    IAccessible* late = objectOf(OBJID_CLIENT);
    put("object_after_window_gone", late ? "object" : "failed");
    if (late) late->Release();
    put("done", "yes");
    std::fclose(facts);
    if (hook) UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
}
