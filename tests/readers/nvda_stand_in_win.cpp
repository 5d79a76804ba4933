// A stand-in server of NVDA's controller interface, from the same interface
// declaration as the program's client: it listens on the endpoint the client
// looks for, logs each call (speakText "text", brailleMessage "text",
// cancelSpeech) to VOLTANOR_VOICE_LOG, and writes "ready" there once it
// listens.  With VOLTANOR_READER_FAIL set, speakText fails.  It ends once the
// file named by its argument exists, or after a minute.
#include <rpc.h>

#include <cstdio>
#include <cstdlib>

#include "nvda_controller.h"
#include "voices/double_support_win.h"

using namespace voice_double;

extern "C" {
void* __RPC_USER midl_user_allocate(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
void __RPC_USER midl_user_free(void* pointer) { HeapFree(GetProcessHeap(), 0, pointer); }

error_status_t testIfRunning(handle_t) { return 0; }
error_status_t speakText(handle_t, const wchar_t* text) {
    logLine("speakText " + quoted(utf8(text)));
    const char* fail = std::getenv("VOLTANOR_READER_FAIL");
    return fail && *fail ? RPC_S_CALL_FAILED : 0;
}
error_status_t cancelSpeech(handle_t) {
    logLine("cancelSpeech");
    return 0;
}
error_status_t brailleMessage(handle_t, const wchar_t* message) {
    logLine("brailleMessage " + quoted(utf8(message)));
    return 0;
}
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    wchar_t desktop[64] = L"Default";
    GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop, nullptr);
    std::wstring endpoint = L"NvdaCtlr." + std::to_wstring(session) + L"." + desktop;
    wchar_t protocol[] = L"ncalrpc";
    if (RpcServerUseProtseqEpW(reinterpret_cast<RPC_WSTR>(protocol), RPC_C_PROTSEQ_MAX_REQS_DEFAULT,
                               reinterpret_cast<RPC_WSTR>(endpoint.data()), nullptr) != RPC_S_OK ||
        RpcServerRegisterIf(NvdaController_v1_0_s_ifspec, nullptr, nullptr) != RPC_S_OK ||
        RpcServerListen(1, RPC_C_LISTEN_MAX_CALLS_DEFAULT, TRUE) != RPC_S_OK) {
        std::fprintf(stderr, "nvda_stand_in: cannot listen\n");
        return 1;
    }
    logLine("ready");
    const DWORD started = GetTickCount();
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES && GetTickCount() - started < 60000) Sleep(50);
    RpcMgmtStopServerListening(nullptr);
    return 0;
}
