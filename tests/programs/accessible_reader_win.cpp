// Reads the console window as a screen reader does, from another process:
//     accessible_reader.exe FOLDER
// Waits for the window "Voltanor - Medidor de bateria", follows its value
// changes with an out-of-context WinEvent hook until its text is there, and
// writes into FOLDER: value.txt (the text, UTF-8, lines joined with CR LF) and
// facts.txt, one "key=value" a line (role, read-only state, name, the number of
// value changes, the caret's cell, the window's own object, and what calls
// answer once the program has ended).  It ends the program with a key press,
// holding the object meanwhile.  Exit code 0 when every call it made returned
// without crashing; 1 when the window never came.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

constexpr const char* caption = "Voltanor - Medidor de bateria";
HWND window = nullptr;
int valueChanges = 0;
int changesWithText = 0;

std::string utf8(const wchar_t* text, int length) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::string hex(long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
    return text;
}

VARIANT self() {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

IAccessible* objectOf(HWND handle, LONG id, HRESULT* result = nullptr) {
    IAccessible* object = nullptr;
    HRESULT hr = AccessibleObjectFromWindow(handle, static_cast<DWORD>(id), IID_IAccessible,
                                            reinterpret_cast<void**>(&object));
    if (result) *result = hr;
    return SUCCEEDED(hr) ? object : nullptr;
}

// The value as UTF-8 (empty on failure); *result gets the call's HRESULT.
std::string valueOf(IAccessible* object, HRESULT* result = nullptr) {
    BSTR value = nullptr;
    HRESULT hr = object->get_accValue(self(), &value);
    if (result) *result = hr;
    std::string text = SUCCEEDED(hr) && value ? utf8(value, static_cast<int>(SysStringLen(value))) : "";
    SysFreeString(value);
    return text;
}

void CALLBACK valueChanged(HWINEVENTHOOK, DWORD, HWND handle, LONG id, LONG child, DWORD, DWORD) {
    if (!window || handle != window || id != OBJID_CLIENT || child != CHILDID_SELF) return;
    ++valueChanges;
    if (IAccessible* object = objectOf(window, OBJID_CLIENT)) {
        if (!valueOf(object).empty()) ++changesWithText;
        object->Release();
    }
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

void put(FILE* facts, const char* key, const std::string& value) { std::fprintf(facts, "%s=%s\n", key, value.c_str()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    CoInitialize(nullptr);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, valueChanged,
                                         0, 0, WINEVENT_OUTOFCONTEXT);
    for (int tries = 0; tries < 3000 && !window; ++tries) {
        window = FindWindowA("OxWinCrt", caption);
        if (!window) pumpFor(20);
    }
    if (!window) return 1;
    // The report is written after the caption is set: wait for its change.
    for (int tries = 0; tries < 300 && changesWithText == 0; ++tries) pumpFor(100);
    pumpFor(1000);  // later changes, if any, are counted too

    FILE* facts = std::fopen((folder + "\\facts.txt").c_str(), "w");
    if (!facts) return 2;
    put(facts, "hook", hook ? "yes" : "no");
    put(facts, "value_changes", std::to_string(valueChanges));
    put(facts, "value_changes_with_text", std::to_string(changesWithText));

    HRESULT hr = S_OK;
    IAccessible* object = objectOf(window, OBJID_CLIENT, &hr);
    put(facts, "client_object", hex(hr));
    if (object) {
        VARIANT role, state;
        VariantInit(&role);
        VariantInit(&state);
        object->get_accRole(self(), &role);
        object->get_accState(self(), &state);
        put(facts, "role", std::to_string(role.vt == VT_I4 ? role.lVal : -1));
        put(facts, "read_only", state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_READONLY) ? "yes" : "no");
        BSTR name = nullptr;
        if (SUCCEEDED(object->get_accName(self(), &name)) && name)
            put(facts, "name", utf8(name, static_cast<int>(SysStringLen(name))));
        SysFreeString(name);
        FILE* value = std::fopen((folder + "\\value.txt").c_str(), "wb");
        if (value) {
            std::string text = valueOf(object);
            std::fwrite(text.data(), 1, text.size(), value);
            std::fclose(value);
        }
        // The client area's place on the screen comes from the standard object.
        LONG left = 0, top = 0, width = 0, height = 0;
        hr = object->accLocation(&left, &top, &width, &height, self());
        RECT client{};
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        put(facts, "location_is_client_area",
            SUCCEEDED(hr) && left == origin.x && top == origin.y && width == client.right && height == client.bottom
                ? "yes"
                : "no");
    }

    // The caret: as wide as a cell and 2 pixels high, under the cell of the
    // write position, one line height per row (the 8-line window's client
    // area is 8 line heights high).
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(window, &processId);
    if (GetGUIThreadInfo(threadId, &thread) && thread.hwndCaret == window) {
        RECT client{};
        GetClientRect(window, &client);
        int cellWidth = thread.rcCaret.right - thread.rcCaret.left;
        int lineHeight = client.bottom / 8;
        put(facts, "caret_height", std::to_string(thread.rcCaret.bottom - thread.rcCaret.top));
        if (cellWidth > 0 && lineHeight > 0)
            put(facts, "caret_cell",
                std::to_string(thread.rcCaret.left / cellWidth) + "," + std::to_string(thread.rcCaret.top / lineHeight));
    } else {
        put(facts, "caret_cell", "none");
    }

    // Another object of the window than its client area: the standard one.
    // Its role is whatever that one says (Wine's leaves it unimplemented),
    // never the text's.
    if (IAccessible* frame = objectOf(window, OBJID_WINDOW, &hr)) {
        VARIANT role;
        VariantInit(&role);
        hr = frame->get_accRole(self(), &role);
        put(facts, "window_role", SUCCEEDED(hr) && role.vt == VT_I4 ? std::to_string(role.lVal) : hex(hr));
        frame->Release();
    } else {
        put(facts, "window_role", "no object " + hex(hr));
    }

    // A key ends the speech and so the program, while the object is held.
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(window, WM_CHAR, ' ', 0);
    bool ended = process && WaitForSingleObject(process, 60000) == WAIT_OBJECT_0;
    put(facts, "program_ended", ended ? "yes" : "no");
    if (object) {
        valueOf(object, &hr);
        put(facts, "held_object_after_end", SUCCEEDED(hr) ? "answered" : "failed");
        object->Release();
    }
    IAccessible* late = objectOf(window, OBJID_CLIENT, &hr);
    put(facts, "object_after_window_gone", late ? "object" : "failed");
    if (late) late->Release();
    put(facts, "done", "yes");
    std::fclose(facts);
    if (hook) UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
}
