// The text-to-speech engine over the real MBROLA, without sanitizers, natively
// (MBROLA linked in) or as a Windows program under Wine (mbrola.dll beside
// it): the engine's start, time from tavinSpeak to the first buffer handed to
// wave output, speech seconds per CPU second of the whole engine and MBROLA's
// share of it, and the peak resident memory (working set) after 10 and after
// all the speak calls.
//   tavin_bench BR1-DATABASE DATA-FILES TEXT-FILE [SPEAK-CALLS]
// TEXT-FILE holds one text (code page 1252), spoken at every call through all
// the text stages with the data files DATA-FILES.nrl, .exc, .abr, .pro and
// .dfn; wave output is replaced here by a counter, so only the engine is
// measured.
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/wave_output.h"
#include "platform/platform.h"
#include "settings/settings_file.h"
#include "speech/speech.h"
#include "tts/mbrola_binding.h"
#include "tts/normalization.h"
#include "tts/pipeline.h"
#include "tts/pronunciation.h"
#include "tts/prosody.h"
#include "tts/tavin_engine.h"

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point speakStarted, firstBuffer;
bool bufferSeen = false;
std::uint64_t playedBytes = 0;
double mbrolaSeconds = 0;
std::string text;

// Windows' clock() counts elapsed time, not processor time: under Wine the
// speeds are per elapsed second (of an otherwise idle process).
double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// MBROLA's calls, timed.
MbrolaEntryPoints real;
int MBROLA_CALL timedWrite(char* line) {
    double t = cpuSeconds();
    int n = real.write_MBR(line);
    mbrolaSeconds += cpuSeconds() - t;
    return n;
}
int MBROLA_CALL timedFlush() {
    double t = cpuSeconds();
    int n = real.flush_MBR();
    mbrolaSeconds += cpuSeconds() - t;
    return n;
}
int MBROLA_CALL timedRead(void* into, int wanted) {
    double t = cpuSeconds();
    int n = real.read_MBR(into, wanted);
    mbrolaSeconds += cpuSeconds() - t;
    return n;
}

long peakKilobytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

}  // namespace

// Wave output and the settings, as far as the engine uses them.
void playWaveBuffer(unsigned char* buffer) {
    if (!bufferSeen) firstBuffer = Clock::now();
    bufferSeen = true;
    playedBytes += buffer[40] | buffer[41] << 8 | buffer[42] << 16 | static_cast<std::uint32_t>(buffer[43]) << 24;
}
bool isPlaying() { return false; }
void stopPlayback() {}
void setQuickPlayback(bool) {}
bool quickPlayback() { return false; }
void setTrimSpeech(bool) {}
bool trimSpeech() { return false; }
std::string readSetting(const std::string&, const std::string&, const std::string&) { return ""; }
const std::string& startDirectory() {
    static const std::string none;
    return none;
}
void showMessageBox(const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }
namespace platform {
bool registryString(RegistryRoot, const std::string&, const std::string&, std::string&) { return false; }
}  // namespace platform

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tavin_bench BR1-DATABASE DATA-FILES TEXT-FILE [SPEAK-CALLS]\n");
        return 2;
    }
    std::ifstream in(argv[3], std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    const int calls = argc > 4 ? std::stoi(argv[4]) : 1000;
    tavinUseStages({[] {
                        tts::freePronunciationRules();
                        tts::freeDiphoneList();
                    },
                    tts::loadPronunciationFiles, tts::loadAbbreviations, tts::loadProsody, tts::loadDiphoneList,
                    tts::nextMbrolaPiece});
    const std::string data = argv[2];
    const auto startBegun = Clock::now();
    if (!tavinStart(argv[1], data + ".nrl", data + ".exc", data + ".abr", data + ".pro", data + ".dfn")) {
        std::fprintf(stderr, "the engine did not start with %s\n", argv[1]);
        return 1;
    }
    const double startMilliseconds = std::chrono::duration<double, std::milli>(Clock::now() - startBegun).count();
    const long peakAfterStart = peakKilobytes();
    real = mbrola;
    mbrola.write_MBR = timedWrite;
    mbrola.flush_MBR = timedFlush;
    mbrola.read_MBR = timedRead;

    double firstMilliseconds = 0, allFirstMilliseconds = 0;
    long peakAfter10 = 0;
    const double cpuStart = cpuSeconds();
    for (int call = 1; call <= calls; ++call) {
        bufferSeen = false;
        speakStarted = Clock::now();
        if (!tavinSpeak(text)) std::fprintf(stderr, "speak %d reported an error\n", call);
        const double toFirst = std::chrono::duration<double, std::milli>(firstBuffer - speakStarted).count();
        if (call == 1) firstMilliseconds = toFirst;
        allFirstMilliseconds += toFirst;
        if (call == std::min(10, calls)) peakAfter10 = peakKilobytes();
    }
    const double cpu = cpuSeconds() - cpuStart;
    tavinClose();
    const double speech = playedBytes / 2.0 / tavinSampleRate();
    std::printf("engine start              %.2f ms (MBROLA and the data files), %ld kB resident after it\n",
                startMilliseconds, peakAfterStart);
    std::printf("first buffer after        %.2f ms (first call), %.2f ms (mean of all)\n", firstMilliseconds,
                allFirstMilliseconds / calls);
    std::printf("speech                    %.1f s in %.3f CPU s over %d calls\n", speech, cpu, calls);
    std::printf("engine speed              %.0f x real time\n", speech / cpu);
    std::printf("MBROLA's share            %.1f %% (%.0f x real time alone)\n", 100 * mbrolaSeconds / cpu,
                speech / mbrolaSeconds);
    std::printf("peak resident memory      %ld kB after %d calls, %ld kB after %d\n", peakAfter10, std::min(10, calls),
                peakKilobytes(), calls);
    return 0;
}
