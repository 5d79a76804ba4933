// Plays .wav files through wave output and reports what it cost: processor
// time (user and kernel, the whole process including the sound system's own
// threads) per second of sound, and how many C++ allocations happened while
// the files played.  Used by bench/wave_playback.sh.
//   wave_playback_bench.exe [--trim] [--quick] FILE...
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "audio/wave_format.h"
#include "audio/wave_output.h"
#include "console/console.h"
#include "console/console_playback.h"
#include "platform/platform.h"

namespace {
std::atomic<long> allocations{0};

double processSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto toSeconds = [](const FILETIME& t) {
        ULARGE_INTEGER v;
        v.LowPart = t.dwLowDateTime;
        v.HighPart = t.dwHighDateTime;
        return static_cast<double>(v.QuadPart) / 1e7;
    };
    return toSeconds(kernel) + toSeconds(user);
}

struct SoundLength {
    double seconds = 0;
    std::uint32_t bytes = 0;
};

// Length of the sound in a .wav file, from its format and data size.
SoundLength soundLength(const std::string& path) {
    std::FILE* file = platform::openForReading(path);
    if (file == nullptr) return {};
    class Reader : public ByteReader {
    public:
        explicit Reader(std::FILE* f) : f_(f) {}
        std::size_t read(unsigned char* into, std::size_t count) override { return std::fread(into, 1, count, f_); }

    private:
        std::FILE* f_;
    } reader(file);
    static unsigned char scratch[4096];
    WaveFormat format;
    std::uint32_t size = 0;
    const bool ok = readWaveStart(reader, format, size, scratch, sizeof scratch);
    std::fclose(file);
    const double bytesPerSecond = static_cast<double>(format.rate) * format.channels * (format.bits / 8);
    if (!ok || bytesPerSecond <= 0) return {};
    return {size / bytesPerSecond, size};
}
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
    bool trim = false, quick = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trim") == 0) trim = true;
        else if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        else files.emplace_back(argv[i]);
    }
    ensureConsoleWindow();
    waveOutputStart(consolePlaybackHost());
    setTrimSpeech(trim);
    setQuickPlayback(quick);
    // The counter is live: setting up (the list of files) already allocated.
    std::printf("allocations before playing: %ld\n", static_cast<long>(allocations));
    for (const std::string& path : files) {
        const SoundLength length = soundLength(path);
        const double seconds = length.seconds;
        const long allocationsBefore = allocations;
        const double cpuBefore = processSeconds();
        const int result = playWaveFile(path);
        const double cpu = processSeconds() - cpuBefore;
        const long allocated = allocations - allocationsBefore;
        std::printf("%s: result %d, %.1f s of sound, %.3f s CPU, %.2f ms CPU per second of sound, "
                    "%ld allocations while playing %u blocks\n",
                    path.c_str(), result, seconds, cpu, seconds > 0 ? cpu * 1000 / seconds : 0.0, allocated,
                    (length.bytes + 65533) / 65534);
    }
    return 0;
}
