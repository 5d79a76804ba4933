// A stand-in SAPI 4 engine, an in-process COM server of the audio destination
// and the engine enumerator classes: two modes, an engine that logs every
// call and speaks each text on its own thread, one short sound per character,
// while its notifications reach the sinks through messages posted to the
// thread that selected it.
#include <memory>

#include "voices/double_support_win.h"
#include "voices/sapi4_interfaces_win.h"

using namespace voice_double;
using namespace sapi4;

namespace {

constexpr int soundRate = 22050;
constexpr int modeCount = 2;
enum Notification : UINT { started = WM_APP + 1, audioStarted, done, audioStopped };

std::string modeName(int index) { return "Modo " + std::to_string(index + 1); }
GUID modeId(int index) { return {0x7E57A0D0, 0, 0, {0, 0, 0, 0, 0, 0, 0, static_cast<BYTE>(index + 1)}}; }

// IUnknown and First's identifier give First, Second's identifier Second.
template <class First, class Second, class Self>
HRESULT answer(Self* self, REFIID iid, void** out, const IID& firstIid, const IID& secondIid) {
    if (iid == IID_IUnknown || iid == firstIid) *out = static_cast<First*>(self);
    else if (iid == secondIid) *out = static_cast<Second*>(self);
    else return *out = nullptr, E_NOINTERFACE;
    self->AddRef();
    return S_OK;
}

class AudioDestination : public IAudioMultiMediaDevice, Counted {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return answer<IAudioMultiMediaDevice, IAudioMultiMediaDevice>(this, iid, out, IID_IAudioMultiMediaDevice,
                                                                      IID_IAudioMultiMediaDevice);
    }
    REFERENCE_COUNTED
    HRESULT STDMETHODCALLTYPE CustomMessage(UINT, SDATA) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeviceNumGet(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeviceNumSet(DWORD) override { return E_NOTIMPL; }
};

class Engine : public ITTSCentralA, public ITTSAttributesA, Counted {
public:
    explicit Engine(IUnknown* audio) : audio_(audio) {
        audio_->AddRef();
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(deliver));
        // Text processing ends as the audio starts; the audio stops after the
        // last character or when reset.
        speaker_ = std::make_unique<Speaker>(soundRate, Speaker::Hooks{[this] {
                                                 PostMessageA(window_, audioStarted, 0, 0);
                                                 PostMessageA(window_, done, 0, 0);
                                             },
                                             [this](bool) { PostMessageA(window_, audioStopped, 0, 0); }});
    }
    ~Engine() override {
        speaker_.reset();
        DestroyWindow(window_);
        if (notifySink_) notifySink_->Release();
        if (bufferSink_) bufferSink_->Release();
        audio_->Release();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return answer<ITTSCentralA, ITTSAttributesA>(this, iid, out, IID_ITTSCentralA, IID_ITTSAttributesA);
    }
    REFERENCE_COUNTED

    HRESULT STDMETHODCALLTYPE TextData(VOICECHARSET charset, DWORD flags, SDATA text, void* sink, IID iid) override {
        std::string bytes(static_cast<const char*>(text.pData), text.dwSize ? text.dwSize - 1 : 0);
        logLine("TextData " + std::to_string(charset) + " " + std::to_string(flags) + " " +
                std::to_string(text.dwSize) + " " + quoted(utf8(wide(bytes).c_str())) +
                (iid == IID_ITTSBufNotifySink ? " ITTSBufNotifySink" : " ?"));
        if (static_cast<const char*>(text.pData)[text.dwSize - 1] != '\0') return E_INVALIDARG;
        auto* bufferSink = static_cast<ITTSBufNotifySink*>(sink);
        bufferSink->AddRef();
        if (bufferSink_) bufferSink_->Release();
        bufferSink_ = bufferSink;
        speaker_->queue(bytes, [this] { PostMessageA(window_, started, 0, 0); });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AudioReset() override {
        logLine("AudioReset");
        for (std::size_t i = speaker_->purge(); i > 0; --i) PostMessageA(window_, done, TTSBNS_ABORTED, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Register(void* sink, IID iid, DWORD* key) override {
        logLine(iid == IID_ITTSNotifySinkA ? "Register ITTSNotifySinkA" : "Register ?");
        if (notifySink_) return E_FAIL;
        notifySink_ = static_cast<ITTSNotifySinkA*>(sink);
        notifySink_->AddRef();
        *key = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnRegister(DWORD key) override {
        logLine("UnRegister " + std::to_string(key));
        if (key != 1 || !notifySink_) return E_INVALIDARG;
        notifySink_->Release();
        notifySink_ = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SpeedSet(DWORD speed) override {
        logLine("SpeedSet " + std::to_string(speed));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PitchSet(WORD pitch) override {
        logLine("PitchSet " + std::to_string(pitch));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Inject(const char*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ModeGet(TTSMODEINFOA*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Phoneme(VOICECHARSET, DWORD, SDATA, SDATA*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PosnGet(QWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ToFileTime(QWORD*, FILETIME*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AudioPause() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AudioResume() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PitchGet(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RealTimeGet(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RealTimeSet(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SpeedGet(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeGet(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeSet(DWORD) override { return E_NOTIMPL; }

private:
    static std::wstring wide(const std::string& bytes) {
        std::wstring out;
        for (unsigned char c : bytes) out += static_cast<wchar_t>(c);  // code page 1252 letters are Latin-1 here
        return out;
    }

    // Runs on the thread that selected the engine, while it pumps messages.
    static LRESULT CALLBACK deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Engine*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self || message < started || message > audioStopped) return DefWindowProcA(window, message, wParam, lParam);
        if (message == started && self->bufferSink_) self->bufferSink_->TextDataStarted(0);
        if (message == done && self->bufferSink_) self->bufferSink_->TextDataDone(0, static_cast<DWORD>(wParam));
        if (message == audioStarted && self->notifySink_) self->notifySink_->AudioStart(0);
        if (message == audioStopped && self->notifySink_) self->notifySink_->AudioStop(0);
        return 0;
    }

    IUnknown* audio_;
    HWND window_ = nullptr;
    ITTSNotifySinkA* notifySink_ = nullptr;
    ITTSBufNotifySink* bufferSink_ = nullptr;
    std::unique_ptr<Speaker> speaker_;
};

class Enumerator : public ITTSEnumA, Counted {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return answer<ITTSEnumA, ITTSEnumA>(this, iid, out, IID_ITTSEnumA, IID_ITTSEnumA);
    }
    REFERENCE_COUNTED
    HRESULT STDMETHODCALLTYPE Next(ULONG count, TTSMODEINFOA* modes, ULONG* fetched) override {
        if (count != 1 || next_ >= modeCount) {
            logLine("Next " + std::to_string(count) + " none");
            if (fetched) *fetched = 0;
            return S_FALSE;  // the record is left as it was
        }
        *modes = TTSMODEINFOA{};
        modes->gModeID = modeId(next_);
        lstrcpyA(modes->szModeName, modeName(next_).c_str());
        logLine("Next 1 " + modeName(next_));
        ++next_;
        if (fetched) *fetched = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override {
        logLine("Reset");
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(ITTSEnumA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Select(GUID id, ITTSCentralA** central, IUnknown* audio) override {
        for (int i = 0; i < modeCount; ++i) {
            if (id != modeId(i)) continue;
            IAudioMultiMediaDevice* device = nullptr;
            bool isDestination = audio && SUCCEEDED(audio->QueryInterface(IID_IAudioMultiMediaDevice,
                                                                         reinterpret_cast<void**>(&device)));
            logLine("Select " + modeName(i) + (isDestination ? " with the audio destination" : " without audio"));
            if (!isDestination) return E_INVALIDARG;
            device->Release();
            *central = new Engine(audio);
            return S_OK;
        }
        logLine("Select unknown mode");
        return TTSERR_INVALIDMODE;
    }

private:
    int next_ = 0;
};

Factory<AudioDestination> audioFactory("MMAudioDest");
Factory<Enumerator> enumeratorFactory("TTSEnumerator");

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (clsid == CLSID_MMAudioDest) return audioFactory.QueryInterface(iid, out);
    if (clsid == CLSID_TTSEnumerator) return enumeratorFactory.QueryInterface(iid, out);
    *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
