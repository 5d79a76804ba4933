// NVDA's controller interface over local RPC, with stubs compiled from
// nvda_controller.idl.  The server's endpoint is named after the session and
// the desktop.  A call to a server that is not there raises an exception in
// the stubs, so every call is made only once the server is seen listening.
#include <rpc.h>

#include "nvda_controller.h"  // generated from nvda_controller.idl
#include "speech/readers/reader_clients_win.h"

extern "C" {
void* __RPC_USER midl_user_allocate(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
void __RPC_USER midl_user_free(void* pointer) { HeapFree(GetProcessHeap(), 0, pointer); }
}

namespace {

handle_t binding = nullptr;
bool bindingTried = false;

std::wstring endpoint() {
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    wchar_t desktop[64] = L"Default";
    GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop, nullptr);
    desktop[63] = 0;
    return L"NvdaCtlr." + std::to_wstring(session) + L"." + desktop;
}

bool listening() {
    if (!bindingTried) {
        bindingTried = true;
        std::wstring name = endpoint();
        RPC_WSTR text = nullptr;
        wchar_t protocol[] = L"ncalrpc";
        if (RpcStringBindingComposeW(nullptr, reinterpret_cast<RPC_WSTR>(protocol), nullptr,
                                     reinterpret_cast<RPC_WSTR>(name.data()), nullptr, &text) == RPC_S_OK) {
            if (RpcBindingFromStringBindingW(text, &binding) != RPC_S_OK) binding = nullptr;
            RpcStringFreeW(&text);
        }
    }
    return binding && RpcMgmtIsServerListening(binding) == RPC_S_OK;
}

}  // namespace

namespace nvda {

bool running() { return listening() && testIfRunning(binding) == 0; }

bool say(const std::wstring& text, bool interrupt) {
    if (!listening()) return false;
    if (interrupt) cancelSpeech(binding);
    if (speakText(binding, text.c_str()) != 0) return false;
    brailleMessage(binding, text.c_str());
    return true;
}

void stop() {
    if (listening()) cancelSpeech(binding);
}

}  // namespace nvda
