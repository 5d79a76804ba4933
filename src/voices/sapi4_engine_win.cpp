// The SAPI 4 engine through COM: the audio destination, the engine enumerator,
// the engine of the chosen mode and our two notification sinks, which hand
// the engine's notifications to the voice (sapi4_voice.cpp).
#include <atomic>
#include <cstring>

#include "voices/sapi4_interfaces_win.h"
#include "voices/sapi4_voice.h"

using namespace sapi4;

namespace {

constexpr DWORD anyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// A reference-counted object answering IUnknown and its one interface.
template <class Interface>
class Sink : public Interface {
public:
    explicit Sink(const IID& own) : own_(own) {}
    virtual ~Sink() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == own_) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        long left = --references_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

private:
    const IID& own_;
    std::atomic<long> references_{1};
};

class TTSNotifySink : public Sink<ITTSNotifySinkA> {
public:
    TTSNotifySink() : Sink(IID_ITTSNotifySinkA) {}
    HRESULT STDMETHODCALLTYPE AttribChanged(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE AudioStart(QWORD) override { return sapi4AudioStarted(), S_OK; }
    HRESULT STDMETHODCALLTYPE AudioStop(QWORD) override { return sapi4AudioStopped(), S_OK; }
    HRESULT STDMETHODCALLTYPE Visual(QWORD, CHAR, CHAR, DWORD, TTSMOUTH*) override { return S_OK; }
};

class TTSBufNotifySink : public Sink<ITTSBufNotifySink> {
public:
    TTSBufNotifySink() : Sink(IID_ITTSBufNotifySink) {}
    HRESULT STDMETHODCALLTYPE TextDataDone(QWORD, DWORD) override { return sapi4TextDataDone(), S_OK; }
    HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD) override { return sapi4TextDataStarted(), S_OK; }
    HRESULT STDMETHODCALLTYPE BookMark(QWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE WordPosition(QWORD, DWORD) override { return S_OK; }
};

IUnknown* audioDestination = nullptr;
ITTSEnumA* enumerator = nullptr;
ITTSCentralA* central = nullptr;
TTSBufNotifySink* bufferSink = nullptr;
TTSNotifySink* notifySink = nullptr;
DWORD notifyKey = 0;

template <class T>
void release(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

void closeEngine() {
    release(audioDestination);
    release(enumerator);
    release(bufferSink);
    if (notifySink && central) central->UnRegister(notifyKey);
    release(notifySink);
    release(central);
}

// Asks for n mode records into the same buffer: the n-th one, or the last
// one when there are fewer, stays there.  False when there was none.
bool fetchMode(int n, TTSMODEINFOA& record) {
    bool fetchedAny = false;
    enumerator->Reset();
    for (int i = 0; i < n; ++i) {
        ULONG fetched = 0;
        if (enumerator->Next(1, &record, &fetched) == S_OK && fetched == 1) fetchedAny = true;
    }
    return fetchedAny;
}

bool setSpeedAndPitch(int rate, int pitch) {
    ITTSAttributesA* attributes = nullptr;
    if (FAILED(central->QueryInterface(IID_ITTSAttributesA, reinterpret_cast<void**>(&attributes))) || !attributes)
        return false;
    if (rate != 0) attributes->SpeedSet(static_cast<DWORD>(rate));
    if (pitch != 0) attributes->PitchSet(static_cast<WORD>(pitch & 0xFFFF));
    attributes->Release();
    return true;
}

bool openEngine(int mode, int rate, int pitch) {
    if (FAILED(CoCreateInstance(CLSID_MMAudioDest, nullptr, anyServer, IID_IAudioMultiMediaDevice,
                                reinterpret_cast<void**>(&audioDestination))))
        return false;
    auto* record = new TTSMODEINFOA{};
    bool ready = SUCCEEDED(CoCreateInstance(CLSID_TTSEnumerator, nullptr, anyServer, IID_ITTSEnumA,
                                            reinterpret_cast<void**>(&enumerator))) &&
                 fetchMode(mode, *record) && SUCCEEDED(enumerator->Select(record->gModeID, &central, audioDestination));
    delete record;
    if (ready) {
        bufferSink = new TTSBufNotifySink;
        notifySink = new TTSNotifySink;
        ready = SUCCEEDED(central->Register(static_cast<ITTSNotifySinkA*>(notifySink), IID_ITTSNotifySinkA, &notifyKey));
        if (!ready) release(notifySink);  // not registered: nothing to take back
        ready = ready && setSpeedAndPitch(rate, pitch);
    }
    if (!ready) closeEngine();
    return ready;
}

bool textData(const char* text, unsigned long bytes) {
    SDATA data{const_cast<char*>(text), static_cast<DWORD>(bytes)};
    return SUCCEEDED(central->TextData(CHARSET_TEXT, 0, data, static_cast<ITTSBufNotifySink*>(bufferSink),
                                       IID_ITTSBufNotifySink));
}

bool audioReset() { return SUCCEEDED(central->AudioReset()); }

const Sapi4Engine comEngine{openEngine, textData, audioReset, closeEngine};

bool start(int voice, int rate, int pitch, const std::string&) { return sapi4Start(comEngine, voice, rate, pitch); }
bool speak(const std::string& text) { return sapi4Speak(text); }
bool busy(bool onlyUnprocessed) { return sapi4Busy(onlyUnprocessed); }
const VoiceBackend backend{start, sapi4Close, speak, busy, sapi4Stop};

}  // namespace

const VoiceBackend& sapi4Voice() { return backend; }

std::vector<std::string> sapi4VoiceNames() {
    std::vector<std::string> names;
    ITTSEnumA* modes = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TTSEnumerator, nullptr, anyServer, IID_ITTSEnumA, reinterpret_cast<void**>(&modes))) ||
        !modes)
        return names;
    auto* record = new TTSMODEINFOA{};
    ULONG fetched = 0;
    constexpr std::size_t mostModes = 100;  // an enumerator that never ends stops here
    while (names.size() < mostModes && modes->Next(1, record, &fetched) == S_OK && fetched == 1)
        names.emplace_back(record->szModeName, strnlen(record->szModeName, sizeof record->szModeName));
    delete record;
    modes->Release();
    return names;
}
