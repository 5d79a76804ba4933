// fala.dll, the installer's voice: an NSIS plug-in (Unicode) that says each
// page, check box, folder and message box with the default voice, from the
// voice data the installer extracts beside it.  Its calls, each taking its
// arguments from NSIS's stack:
//   Iniciar FOLDER PARAMETERS  starts the voice unless the installation is
//                              silent, the switch says no or a screen reader
//                              runs (installer_speech.h); pushes 1 or 0
//   Pagina HEADING TEXT ENTER ESC   a page: ENTER is what Enter does
//                              ("continuar"), ESC 1 when Esc cancels
//   Concluido HEADING TEXT ENTER   a step's end, after what is being said
//   Marcado NAME STATE         a check box, STATE 1 when ticked, after what
//                              is being said
//   Pasta LABEL PATH           the folder chosen, after what is being said
//   Caixa TEXT ANSWERS         a message box about to wait: ANSWERS "ok" or "simnao"
//   PararAviso MILLISECONDS    tells the battery watcher of this session to
//                              end, as /parar does, and waits for its process;
//                              pushes 1 when none runs any more, else 0
//   IniciarAviso PROGRAM ARGUMENTS   starts the watcher for the person logged
//                              on, not elevated (start_as_user.h); pushes 1 or 0
// The voice ends as NSIS unloads the plug-in.
// Any key the installer's window gets stops the speech at once: a keyboard
// hook on the installer's own thread sees it, without taking the focus.  After
// Tab or an arrow the button reached is said, after Space a check box's state.
#include <windows.h>

#include <string>

#include "installer/installer_speech.h"
#include "installer/start_as_user.h"
#include "platform/between_processes.h"
#include "installer/speech_thread.h"

namespace {

// NSIS's plug-in interface (Unicode): the stack of strings and the
// installer's flags, as NSIS hands them to every call.
struct NsisStackItem {
    NsisStackItem* next;
    wchar_t text[1];
};
struct NsisExecFlags {
    int autoclose, allUserVar, execError, abort, execReboot, rebootCalled, curInstType,
        pluginApiVersion, silent, instdirError, rtl, errlvl, alterRegView, statusUpdate;
};
enum NsisPluginMessage { nsisUnload, nsisGuiUnload };
using NsisPluginCallback = UINT_PTR (*)(NsisPluginMessage);
struct NsisExtraParameters {
    NsisExecFlags* execFlags;
    int(__stdcall* executeCodeSegment)(int, HWND);
    void(__stdcall* validateFilename)(wchar_t*);
    int(__stdcall* registerPluginCallback)(HMODULE, NsisPluginCallback);
};

HMODULE pluginModule = nullptr;
HHOOK keyboardHook = nullptr;
bool speaking = false;

std::wstring popWide(NsisStackItem** stack) {
    if (stack == nullptr || *stack == nullptr) return {};
    NsisStackItem* top = *stack;
    std::wstring text = top->text;
    *stack = top->next;
    GlobalFree(top);
    return text;
}

// Code page 1252, the speech front end's text; a letter it lacks becomes "?".
std::string codePage1252(const std::wstring& wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(1252, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(1252, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

std::string pop(NsisStackItem** stack) { return codePage1252(popWide(stack)); }

void push(NsisStackItem** stack, int stringSize, const wchar_t* text) {
    if (stack == nullptr) return;
    auto* item = static_cast<NsisStackItem*>(
        GlobalAlloc(GPTR, sizeof(NsisStackItem) + static_cast<std::size_t>(stringSize) * sizeof(wchar_t)));
    if (item == nullptr) return;
    lstrcpynW(item->text, text, stringSize);
    item->next = *stack;
    *stack = item;
}

bool screenReaderRunning() {
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

// The focused control, once the key that moved to it or changed it has been
// handled: a push button after Tab or an arrow, a check box after either or Space.
bool spaceReleased = false;
// The timer that says it: killed before the plug-in is unloaded, whose code it would call.
UINT_PTR focusTimer = 0;

void CALLBACK sayFocusedControl(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    focusTimer = 0;
    HWND focus = GetFocus();
    wchar_t className[16] = L"";
    if (focus == nullptr || GetClassNameW(focus, className, 16) == 0 || lstrcmpiW(className, L"Button") != 0) return;
    const LONG type = GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK;
    const bool checkBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    const bool pushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    if (!checkBox && (!pushButton || spaceReleased)) return;
    wchar_t caption[128] = L"";
    GetWindowTextW(focus, caption, 128);
    const bool ticked = SendMessageW(focus, BM_GETCHECK, 0, 0) == BST_CHECKED;
    speechThreadSay(focusedControlSpeech(checkBox ? ControlKind::checkBox : ControlKind::button,
                                         codePage1252(caption), ticked));
}

LRESULT CALLBACK keySeen(int code, WPARAM key, LPARAM flags) {
    const bool pressed = (flags & 0x80000000) == 0;
    if (code == HC_ACTION && pressed) speechThreadStop();
    const bool moves = key == VK_TAB || (key >= VK_LEFT && key <= VK_DOWN);
    if (code == HC_ACTION && !pressed && (moves || key == VK_SPACE)) {
        spaceReleased = key == VK_SPACE;
        if (focusTimer != 0) KillTimer(nullptr, focusTimer);
        focusTimer = SetTimer(nullptr, 0, 50, sayFocusedControl);
    }
    return CallNextHookEx(keyboardHook, code, key, flags);
}

void endVoice() {
    if (keyboardHook != nullptr) UnhookWindowsHookEx(keyboardHook);
    keyboardHook = nullptr;
    if (focusTimer != 0) KillTimer(nullptr, focusTimer);
    focusTimer = 0;
    speechThreadEnd();
    speaking = false;
}

// NSIS calls it as it ends, before it unloads the plug-in and removes its
// folder: the thread and the voice's open files must be gone by then.
UINT_PTR pluginCallback(NsisPluginMessage) {
    endVoice();
    return 0;
}

}  // namespace

#define NSIS_CALL(name)                                                                             \
    extern "C" __declspec(dllexport) void __cdecl name(HWND, [[maybe_unused]] int stringSize, wchar_t*, \
                                                       NsisStackItem** stack,                      \
                                                       [[maybe_unused]] NsisExtraParameters* extra)

NSIS_CALL(Iniciar) {
    const std::string folder = pop(stack);
    const std::string parameters = pop(stack);
    if (!speaking && extra != nullptr &&
        installerSpeaks(speechSwitch(parameters), extra->execFlags->silent != 0, screenReaderRunning()) &&
        speechThreadStart(folder)) {
        speaking = true;
        extra->registerPluginCallback(pluginModule, pluginCallback);
        keyboardHook = SetWindowsHookExW(WH_KEYBOARD, keySeen, nullptr, GetCurrentThreadId());
    }
    push(stack, stringSize, speaking ? L"1" : L"0");
}

NSIS_CALL(Pagina) {
    const std::string heading = pop(stack);
    const std::string text = pop(stack);
    const std::string enterAction = pop(stack);
    const bool escCancels = pop(stack) == "1";
    if (speaking) speechThreadSay(pageSpeech(heading, text, enterAction, escCancels));
}

NSIS_CALL(Concluido) {
    const std::string heading = pop(stack);
    const std::string text = pop(stack);
    const std::string enterAction = pop(stack);
    if (speaking) speechThreadAdd(pageSpeech(heading, text, enterAction, false));
}

NSIS_CALL(Marcado) {
    const std::string name = pop(stack);
    const bool ticked = pop(stack) == "1";
    if (speaking) speechThreadAdd(checkBoxSpeech(name, ticked));
}

NSIS_CALL(Pasta) {
    const std::string label = pop(stack);
    const std::string path = pop(stack);
    if (speaking) speechThreadAdd(folderSpeech(label, path));
}

NSIS_CALL(Caixa) {
    const std::string text = pop(stack);
    const std::string answers = pop(stack);
    if (speaking) speechThreadSay(messageBoxSpeech(text, answers == "simnao" ? BoxAnswers::yesNo : BoxAnswers::ok));
}

NSIS_CALL(PararAviso) {
    const unsigned milliseconds = static_cast<unsigned>(_wtoi(popWide(stack).c_str()));
    const bool ended = !between_processes::askWatcherToStop() ||
                       between_processes::waitUntilWatcherEnded(milliseconds);
    push(stack, stringSize, ended ? L"1" : L"0");
}

NSIS_CALL(IniciarAviso) {
    const std::wstring program = popWide(stack);
    const std::wstring arguments = popWide(stack);
    push(stack, stringSize, startAsLoggedOnUser(program, arguments) ? L"1" : L"0");
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) pluginModule = instance;
    return TRUE;
}
