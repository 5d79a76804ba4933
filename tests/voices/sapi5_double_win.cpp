// A stand-in SAPI 5 voice engine, an in-process COM server serving both voice
// classes: a voice object with two installed voices that logs every call and
// speaks each text on its own thread, one short sound per character.
#include <windows.h>
#include <initguid.h>  // the voice identifiers are defined here, not in a library
#include <sapi.h>

#include <memory>

#include "voices/double_support_win.h"

using namespace voice_double;

static const CLSID CLSID_SpVoice54 = {0xD941651C, 0x44E6, 0x4C17, {0xBA, 0xDF, 0xC3, 0x68, 0x26, 0xFC, 0x34, 0x24}};

namespace {

constexpr long installedVoices = 2;
constexpr int soundRate = 8000;

#define NOT_USED(method, ...) \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return E_NOTIMPL; }

#define DISPATCH_NOT_USED                                                                \
    NOT_USED(GetTypeInfoCount, UINT*)                                                    \
    NOT_USED(GetTypeInfo, UINT, LCID, ITypeInfo**)                                       \
    NOT_USED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)                      \
    NOT_USED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)

template <class Interface>
HRESULT answer(Interface* self, REFIID iid, const IID& own, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == own) {
        *out = self;
        self->AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

class Token : public ISpeechObjectToken, Counted {
public:
    explicit Token(long number) : number_(number) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return answer(this, iid, IID_ISpeechObjectToken, out);
    }
    REFERENCE_COUNTED
    DISPATCH_NOT_USED
    HRESULT STDMETHODCALLTYPE get_Id(BSTR* id) override {
        *id = SysAllocString((L"Voz " + std::to_wstring(number_)).c_str());
        return S_OK;
    }
    NOT_USED(get_DataKey, ISpeechDataKey**)
    NOT_USED(get_Category, ISpeechObjectTokenCategory**)
    NOT_USED(GetDescription, LONG, BSTR*)
    NOT_USED(SetId, BSTR, BSTR, VARIANT_BOOL)
    NOT_USED(GetAttribute, BSTR, BSTR*)
    NOT_USED(CreateInstance, IUnknown*, SpeechTokenContext, IUnknown**)
    NOT_USED(Remove, BSTR)
    NOT_USED(GetStorageFileName, BSTR, BSTR, BSTR, SpeechTokenShellFolder, BSTR*)
    NOT_USED(RemoveStorageFileName, BSTR, BSTR, VARIANT_BOOL)
    NOT_USED(IsUISupported, const BSTR, const VARIANT*, IUnknown*, VARIANT_BOOL*)
    NOT_USED(DisplayUI, LONG, BSTR, const BSTR, const VARIANT*, IUnknown*)
    NOT_USED(MatchesAttributes, BSTR, VARIANT_BOOL*)

private:
    long number_;
};

class Tokens : public ISpeechObjectTokens, Counted {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return answer(this, iid, IID_ISpeechObjectTokens, out);
    }
    REFERENCE_COUNTED
    DISPATCH_NOT_USED
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        logLine("Count");
        *count = installedVoices;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Item(LONG index, ISpeechObjectToken** token) override {
        logLine("Item " + std::to_string(index));
        if (index < 0 || index >= installedVoices) return E_INVALIDARG;
        *token = new Token(index + 1);
        return S_OK;
    }
    NOT_USED(get__NewEnum, IUnknown**)
};

class Voice : public ISpeechVoice, Counted {
public:
    Voice()
        : idle_(CreateEventA(nullptr, TRUE, TRUE, nullptr)),
          speaker_(std::make_unique<Speaker>(soundRate, Speaker::Hooks{[] {}, [this](bool queueEmpty) {
                                                  if (queueEmpty) SetEvent(idle_);
                                              }})) {}
    ~Voice() override {
        speaker_.reset();
        CloseHandle(idle_);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return answer(this, iid, IID_ISpeechVoice, out);
    }
    REFERENCE_COUNTED
    DISPATCH_NOT_USED

    HRESULT STDMETHODCALLTYPE put_EventInterests(SpeechVoiceEvents flags) override {
        logLine("EventInterests " + std::to_string(flags));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetVoices(BSTR required, BSTR optional, ISpeechObjectTokens** tokens) override {
        logLine("GetVoices " + quoted(utf8(required)) + " " + quoted(utf8(optional)));
        *tokens = new Tokens;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE putref_Voice(ISpeechObjectToken* token) override {
        BSTR id = nullptr;
        if (!token || FAILED(token->get_Id(&id))) return E_INVALIDARG;
        logLine("Voice " + utf8(id));
        SysFreeString(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Rate(LONG rate) override {
        logLine("Rate " + std::to_string(rate));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SpeakCompleteEvent(LONG* handle) override {
        logLine("SpeakCompleteEvent");
        *handle = static_cast<LONG>(reinterpret_cast<LONG_PTR>(idle_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Speak(BSTR text, SpeechVoiceSpeakFlags flags, LONG* stream) override {
        std::wstring wide(text ? text : L"", text ? SysStringLen(text) : 0);
        logLine("Speak " + std::to_string(flags) + " " + quoted(utf8(wide.c_str(), static_cast<int>(wide.size()))));
        if (flags & SVSFPurgeBeforeSpeak) {
            speaker_->purge();
            SetEvent(idle_);
        }
        if (stream) *stream = 1;
        if (!(flags & SVSFlagsAsync)) return S_OK;  // only blanks are spoken at once: no sound
        std::string bytes;  // the letters of code page 1252 are Latin-1 here
        for (wchar_t c : wide) bytes += static_cast<char>(c);
        speaker_->queue(bytes, [this] { ResetEvent(idle_); });
        return S_OK;
    }

    NOT_USED(get_Status, ISpeechVoiceStatus**)
    NOT_USED(get_Voice, ISpeechObjectToken**)
    NOT_USED(get_AudioOutput, ISpeechObjectToken**)
    NOT_USED(putref_AudioOutput, ISpeechObjectToken*)
    NOT_USED(get_AudioOutputStream, ISpeechBaseStream**)
    NOT_USED(putref_AudioOutputStream, ISpeechBaseStream*)
    NOT_USED(get_Rate, LONG*)
    NOT_USED(get_Volume, LONG*)
    NOT_USED(put_Volume, LONG)
    NOT_USED(put_AllowAudioOutputFormatChangesOnNextSet, VARIANT_BOOL)
    NOT_USED(get_AllowAudioOutputFormatChangesOnNextSet, VARIANT_BOOL*)
    NOT_USED(get_EventInterests, SpeechVoiceEvents*)
    NOT_USED(put_Priority, SpeechVoicePriority)
    NOT_USED(get_Priority, SpeechVoicePriority*)
    NOT_USED(put_AlertBoundary, SpeechVoiceEvents)
    NOT_USED(get_AlertBoundary, SpeechVoiceEvents*)
    NOT_USED(put_SynchronousSpeakTimeout, LONG)
    NOT_USED(get_SynchronousSpeakTimeout, LONG*)
    NOT_USED(SpeakStream, ISpeechBaseStream*, SpeechVoiceSpeakFlags, LONG*)
    NOT_USED(Pause)
    NOT_USED(Resume)
    NOT_USED(Skip, const BSTR, LONG, LONG*)
    NOT_USED(GetAudioOutputs, BSTR, BSTR, ISpeechObjectTokens**)
    NOT_USED(WaitUntilDone, LONG, VARIANT_BOOL*)
    NOT_USED(IsUISupported, const BSTR, const VARIANT*, VARIANT_BOOL*)
    NOT_USED(DisplayUI, LONG, BSTR, const BSTR, const VARIANT*)

private:
    HANDLE idle_;  // manual reset, signalled while nothing is queued or spoken
    std::unique_ptr<Speaker> speaker_;
};

Factory<Voice> sapi5Factory("5");
Factory<Voice> sapi54Factory("54");

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (clsid == CLSID_SpVoice) return sapi5Factory.QueryInterface(iid, out);
    if (clsid == CLSID_SpVoice54) return sapi54Factory.QueryInterface(iid, out);
    *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
