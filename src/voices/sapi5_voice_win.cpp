// SAPI 5 and SAPI 5.4 through the automation voice object: the voice speaks on
// its own threads; completion is read from its speak-complete event.
#include "voices/sapi5_voice.h"

#include <windows.h>
#include <initguid.h>  // the voice identifiers are defined here, not in a library
#include <sapi.h>

#include <string>

#include "console/console.h"
#include "voices/sapi5_choice.h"

// The SAPI 5.4 voice class; the platform headers only have the SAPI 5 one.
static const CLSID CLSID_SpVoice54 = {0xD941651C, 0x44E6, 0x4C17, {0xBA, 0xDF, 0xC3, 0x68, 0x26, 0xFC, 0x34, 0x24}};

namespace {

constexpr unsigned wakeMessage = 2980;  // no handler: it only wakes a waiting thread
constexpr SpeechVoiceEvents everyVoiceEvent = static_cast<SpeechVoiceEvents>(33790);

struct Twin {
    const CLSID& voiceClass;
    ISpeechVoice* voice = nullptr;
    HANDLE speakComplete = nullptr;
};

Twin sapi5{CLSID_SpVoice};
Twin sapi54{CLSID_SpVoice54};

template <class T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

struct Bstr {
    BSTR text;
    explicit Bstr(const std::wstring& wide) : text(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()))) {}
    ~Bstr() { SysFreeString(text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
};

std::wstring wideFromSystemCodePage(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// Picks the voice and rate; false when no voice can be had.  A refused rate
// leaves the voice at its own.
bool chooseVoice(ISpeechVoice* voice, int voiceNumber, int rate) {
    Bstr none(L"");
    ISpeechObjectTokens* tokens = nullptr;
    if (FAILED(voice->GetVoices(none.text, none.text, &tokens)) || !tokens) return false;
    LONG installed = 0;
    ISpeechObjectToken* token = nullptr;
    bool chosen = false;
    if (SUCCEEDED(tokens->get_Count(&installed)) && installed > 0) {
        Sapi5Choice choice = chooseSapi5Voice(voiceNumber, rate, installed);
        if (SUCCEEDED(tokens->Item(choice.index, &token)) && token && SUCCEEDED(voice->putref_Voice(token))) {
            voice->put_Rate(choice.rate);
            chosen = true;
        }
    }
    release(token);
    release(tokens);
    return chosen;
}

bool start(Twin& twin, int voiceNumber, int rate) {
    if (FAILED(CoCreateInstance(twin.voiceClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                IID_ISpeechVoice, reinterpret_cast<void**>(&twin.voice))))
        return false;
    twin.voice->put_EventInterests(everyVoiceEvent);  // no event is handled; the handle tells completion
    LONG handle = 0;
    if (chooseVoice(twin.voice, voiceNumber, rate) && SUCCEEDED(twin.voice->SpeakCompleteEvent(&handle)) && handle) {
        twin.speakComplete = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(handle));
        return true;
    }
    release(twin.voice);
    return false;
}

bool speakFlags(Twin& twin, const std::string& text, SpeechVoiceSpeakFlags flags) {
    if (!twin.voice) return false;
    Bstr wide(wideFromSystemCodePage(text));
    LONG stream = 0;
    return SUCCEEDED(twin.voice->Speak(wide.text, flags, &stream));
}

bool speak(Twin& twin, const std::string& text) {
    if (speakFlags(twin, sapi5SpokenText(text), static_cast<SpeechVoiceSpeakFlags>(SVSFlagsAsync | SVSFIsNotXML)))
        return true;
    MessageBeep(0);
    return false;
}

bool busy(Twin& twin) {
    if (!twin.voice || WaitForSingleObject(twin.speakComplete, 20) != WAIT_TIMEOUT) return false;
    postConsoleMessage(wakeMessage);
    return true;
}

void stop(Twin& twin) {
    speakFlags(twin, " ", SVSFPurgeBeforeSpeak);  // discards the queue, speaks the blank synchronously
    sleepPumping(50);
}

void close(Twin& twin) {
    while (busy(twin)) sleepPumping(300);
    release(twin.voice);
    twin.speakComplete = nullptr;  // owned by the voice object
}

std::string systemCodePageFromWide(const BSTR wide) {
    if (!wide) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating zero
    return text;
}

std::vector<std::string> voiceNames(const CLSID& voiceClass) {
    std::vector<std::string> names;
    ISpeechVoice* voice = nullptr;
    if (FAILED(CoCreateInstance(voiceClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                                IID_ISpeechVoice, reinterpret_cast<void**>(&voice))))
        return names;
    Bstr none(L"");
    ISpeechObjectTokens* tokens = nullptr;
    LONG installed = 0;
    if (SUCCEEDED(voice->GetVoices(none.text, none.text, &tokens)) && tokens && SUCCEEDED(tokens->get_Count(&installed))) {
        for (LONG i = 0; i < installed; ++i) {
            ISpeechObjectToken* token = nullptr;
            BSTR description = nullptr;
            if (SUCCEEDED(tokens->Item(i, &token)) && token) token->GetDescription(0, &description);
            names.push_back(systemCodePageFromWide(description));
            SysFreeString(description);
            release(token);
        }
    }
    release(tokens);
    release(voice);
    return names;
}

template <Twin& twin>
struct Operations {
    static bool start(int voice, int rate, int, const std::string&) { return ::start(twin, voice, rate); }
    static void close() { ::close(twin); }
    static bool speak(const std::string& text) { return ::speak(twin, text); }
    static bool busy(bool) { return ::busy(twin); }
    static void stop() { ::stop(twin); }
    static constexpr VoiceBackend backend{start, close, speak, busy, stop};
};

}  // namespace

const VoiceBackend& sapi5Voice() { return Operations<sapi5>::backend; }
const VoiceBackend& sapi54Voice() { return Operations<sapi54>::backend; }

std::vector<std::string> sapi5VoiceNames() { return voiceNames(CLSID_SpVoice); }
std::vector<std::string> sapi54VoiceNames() { return voiceNames(CLSID_SpVoice54); }
