// What the voice engine doubles share: the call log the tests read, the count
// of live objects reported when the process ends, and the sound each character
// makes on the wave device.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace voice_double {

// Appends one line to the file named by VOLTANOR_VOICE_LOG (nothing without it).
void logLine(const std::string& line);
std::string utf8(const wchar_t* text, int length = -1);
// The text in double quotes on one line: line ends, quotes and backslashes
// escaped as in C.
std::string quoted(const std::string& text);

// Objects of the double alive now; the count is logged as "live N" when the
// process ends.
extern std::atomic<long> liveObjects;
void logLiveObjectsAtEnd();

#define REFERENCE_COUNTED                                                    \
    ULONG STDMETHODCALLTYPE AddRef() override { return addReference(); }      \
    ULONG STDMETHODCALLTYPE Release() override { return releaseReference(); }

// A reference-counted object that counts itself among the live ones.
class Counted {
public:
    Counted() { ++liveObjects; }
    virtual ~Counted() { --liveObjects; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

protected:
    ULONG addReference() { return static_cast<ULONG>(++references_); }
    ULONG releaseReference() {
        long left = --references_;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

private:
    std::atomic<long> references_{1};
};

// The class object of a double: each instance it makes is logged as
// "create NAME".  It lives as long as the library.
template <class Object>
class Factory : public IClassFactory {
public:
    explicit Factory(const char* name) : name_(name) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) return *out = this, S_OK;
        return *out = nullptr, E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        logLine(std::string("create ") + name_);
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* object = new Object;
        HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    const char* name_;
};

// Samples of one character: 50 ms of a square wave whose period and loudness
// both follow the byte, so every character sounds different.
std::string characterSound(unsigned char character, int rate);
std::string textSound(const std::string& text, int rate);

// With VOLTANOR_VOICE_HOLD set the doubles stop after the first character of
// a text until they are silenced, so a test can interrupt them in time.
bool holdAfterFirstCharacter();

// One wave device kept open, 16-bit mono; play() returns when the sound has
// been played or cut off.
class SoundOut {
public:
    explicit SoundOut(int rate);
    ~SoundOut();
    SoundOut(const SoundOut&) = delete;
    SoundOut& operator=(const SoundOut&) = delete;
    // Plays to the end unless cancelled() turns true while it plays.
    template <class Cancelled>
    void play(const std::string& samples, Cancelled cancelled) {
        if (!start(samples)) return;
        while (!finished()) {
            if (cancelled()) cut();
            WaitForSingleObject(done_, 10);
        }
        waveOutUnprepareHeader(device_, &header_, sizeof header_);
    }
    void cut();
    int rate() const { return rate_; }

private:
    bool start(const std::string& samples);
    bool finished() const { return *static_cast<const volatile DWORD*>(&header_.dwFlags) & WHDR_DONE; }
    int rate_;
    WAVEHDR header_{};
    HWAVEOUT device_ = nullptr;
    HANDLE done_ = nullptr;
};

// Speaks queued texts (code page 1252 bytes) on a thread of its own through
// its own wave device.  The engine's hooks run with the queue locked: began
// when a text is taken from the queue, ended when its sound has stopped.
class Speaker {
public:
    struct Hooks {
        std::function<void()> began;
        std::function<void(bool queueEmpty)> ended;
    };
    Speaker(int rate, Hooks hooks);
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;
    // Queues a text; whileLocked runs before the speaking thread can see it.
    void queue(const std::string& text, const std::function<void()>& whileLocked);
    // Discards the queue and cuts the text being spoken; returns when silent,
    // with the number of texts discarded unspoken.
    std::size_t purge();

private:
    void speakQueue();
    int rate_;
    Hooks hooks_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::string> queue_;
    bool speaking_ = false;
    bool quit_ = false;
    unsigned long generation_ = 0;  // raised by every purge
    std::thread thread_;
};

}  // namespace voice_double
