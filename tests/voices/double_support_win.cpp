#include "voices/double_support_win.h"

#include <cstdlib>

namespace voice_double {

std::atomic<long> liveObjects{0};

namespace {
CRITICAL_SECTION* logLock() {
    static CRITICAL_SECTION lock;
    static bool ready = (InitializeCriticalSection(&lock), true);
    (void)ready;
    return &lock;
}
}  // namespace

void logLine(const std::string& line) {
    const char* path = std::getenv("VOLTANOR_VOICE_LOG");
    if (!path || !*path) return;
    EnterCriticalSection(logLock());
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    LeaveCriticalSection(logLock());
}

std::string utf8(const wchar_t* text, int length) {
    if (!text) return {};
    if (length < 0) length = static_cast<int>(wcslen(text));
    if (length == 0) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '"' || c == '\\') out += std::string("\\") + c;
        else out += c;
    }
    return out + "\"";
}

bool holdAfterFirstCharacter() {
    const char* hold = std::getenv("VOLTANOR_VOICE_HOLD");
    return hold && *hold;
}

void logLiveObjectsAtEnd() { logLine("live " + std::to_string(liveObjects.load())); }

std::string characterSound(unsigned char character, int rate) {
    int count = rate / 20;
    int halfPeriod = 4 + character % 16;
    int loudness = 1000 + character * 100;
    std::string samples;
    samples.reserve(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        int value = (i / halfPeriod) % 2 ? -loudness : loudness;
        samples += static_cast<char>(value & 0xFF);
        samples += static_cast<char>((value >> 8) & 0xFF);
    }
    return samples;
}

std::string textSound(const std::string& text, int rate) {
    std::string samples;
    for (char c : text) samples += characterSound(static_cast<unsigned char>(c), rate);
    return samples;
}

SoundOut::SoundOut(int rate) : rate_(rate) {
    done_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = format.nSamplesPerSec * 2;
    if (waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR)
        device_ = nullptr;
}

SoundOut::~SoundOut() {
    if (device_) {
        waveOutReset(device_);
        waveOutClose(device_);
    }
    CloseHandle(done_);
}

bool SoundOut::start(const std::string& samples) {
    if (!device_ || samples.empty()) return false;
    header_ = WAVEHDR{};
    header_.lpData = const_cast<char*>(samples.data());
    header_.dwBufferLength = static_cast<DWORD>(samples.size());
    if (waveOutPrepareHeader(device_, &header_, sizeof header_) != MMSYSERR_NOERROR) return false;
    if (waveOutWrite(device_, &header_, sizeof header_) == MMSYSERR_NOERROR) return true;
    waveOutUnprepareHeader(device_, &header_, sizeof header_);
    return false;
}

void SoundOut::cut() {
    if (device_) waveOutReset(device_);
}

Speaker::Speaker(int rate, Hooks hooks) : rate_(rate), hooks_(std::move(hooks)), thread_([this] { speakQueue(); }) {}

Speaker::~Speaker() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        quit_ = true;
        ++generation_;
    }
    wake_.notify_all();
    thread_.join();
}

void Speaker::queue(const std::string& text, const std::function<void()>& whileLocked) {
    std::lock_guard<std::mutex> hold(lock_);
    whileLocked();
    queue_.push_back(text);
    wake_.notify_all();
}

std::size_t Speaker::purge() {
    std::unique_lock<std::mutex> hold(lock_);
    std::size_t discarded = queue_.size();
    queue_.clear();
    ++generation_;
    wake_.notify_all();
    wake_.wait(hold, [this] { return !speaking_; });
    return discarded;
}

void Speaker::speakQueue() {
    SoundOut sound(rate_);
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        wake_.wait(hold, [this] { return quit_ || !queue_.empty(); });
        if (quit_) return;
        std::string text = queue_.front();
        queue_.pop_front();
        speaking_ = true;
        unsigned long generation = generation_;
        hooks_.began();
        hold.unlock();
        auto cancelled = [&] {
            std::lock_guard<std::mutex> peek(lock_);
            return generation_ != generation;
        };
        std::size_t held = holdAfterFirstCharacter() && !text.empty() ? 1 : 0;
        sound.play(textSound(text.substr(0, held), rate_), cancelled);
        if (held) {
            std::unique_lock<std::mutex> wait(lock_);
            wake_.wait(wait, [&] { return quit_ || generation_ != generation; });
        }
        if (!cancelled()) sound.play(textSound(text.substr(held), rate_), cancelled);
        hold.lock();
        speaking_ = false;
        hooks_.ended(queue_.empty());
        wake_.notify_all();
    }
}

}  // namespace voice_double

// Both doubles stay loaded to the end of the process, which they report.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_DETACH) voice_double::logLiveObjectsAtEnd();
    return TRUE;
}
