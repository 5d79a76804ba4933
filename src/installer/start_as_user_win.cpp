#include "installer/start_as_user.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shlguid.h>

namespace {

// The program starts in its own folder, as its shortcut starts it: a folder
// that is some process's current one cannot be removed.
std::wstring folderOf(const std::wstring& program) { return program.substr(0, program.find_last_of(L'\\')); }

bool processIsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) && elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

template <class Interface>
struct Com {
    Interface* pointer = nullptr;
    ~Com() {
        if (pointer) pointer->Release();
    }
    Interface** out() { return &pointer; }
    Interface* operator->() const { return pointer; }
};

// The shell's desktop folder view, and through it the shell's own
// ShellExecute: the program starts in Explorer's process, as its user.
bool startThroughDesktopShell(const std::wstring& program, const std::wstring& arguments) {
    Com<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                reinterpret_cast<void**>(windows.out()))))
        return false;
    VARIANT location{}, root{};
    VariantInit(&location);
    VariantInit(&root);
    long window = 0;
    Com<IDispatch> desktop;
    if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.out()) != S_OK ||
        !desktop.pointer)
        return false;
    Com<IServiceProvider> services;
    Com<IShellBrowser> browser;
    Com<IShellView> view;
    Com<IDispatch> background;
    Com<IShellFolderViewDual> folderView;
    Com<IDispatch> application;
    Com<IShellDispatch2> shell;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(services.out()))) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(browser.out()))) ||
        FAILED(browser->QueryActiveShellView(view.out())) ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(background.out()))) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, reinterpret_cast<void**>(folderView.out()))) ||
        FAILED(folderView->get_Application(application.out())) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(shell.out()))))
        return false;
    BSTR file = SysAllocString(program.c_str());
    VARIANT args{}, directory{}, operation{}, show{};
    args.vt = VT_BSTR;
    args.bstrVal = SysAllocString(arguments.c_str());
    directory.vt = VT_BSTR;
    directory.bstrVal = SysAllocString(folderOf(program).c_str());
    operation.vt = VT_EMPTY;
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    bool started = SUCCEEDED(shell->ShellExecute(file, args, directory, operation, show));
    SysFreeString(file);
    SysFreeString(args.bstrVal);
    SysFreeString(directory.bstrVal);
    return started;
}

bool startHere(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folderOf(program).c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool startAsLoggedOnUser(const std::wstring& program, const std::wstring& arguments) {
    if (!processIsElevated()) return startHere(program, arguments);
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool started = startThroughDesktopShell(program, arguments);
    if (SUCCEEDED(com)) CoUninitialize();
    return started;
}
