// Native stand-in for loading mbrola.dll.
#include <algorithm>
#include <cstring>

#include "fakes/fake_mbrola.h"
#include "tts/mbrola_binding.h"

namespace {

fake::MbrolaDouble state;
int pending = 0, handedOut = 0, lastError = 0, reads = 0;

bool full() { return pending > state.inputRoom; }
int MBROLA_CALL init(char* path) { return state.log.push_back(std::string("init_MBR ") + path), state.initResult; }
int MBROLA_CALL write(char* line) {
    if (full()) return 0;
    state.log.push_back(std::string("write_MBR ") + line);
    if (state.errorAfterLine + "\r\n" == line) lastError = state.errorCode;
    return pending += state.samplesPerLine, static_cast<int>(std::strlen(line));
}
int MBROLA_CALL flush() { return full() ? 0 : (state.log.push_back("flush_MBR"), pending += state.samplesPerLine, 1); }
int MBROLA_CALL read(void* into, int wanted) {
    if (++reads == state.failingRead) return lastError = -2, -1;
    int n = std::min(pending, wanted);
    for (int i = 0; i < n; ++i) static_cast<short*>(into)[i] = fake::mbrolaSample(handedOut++);
    return pending -= n, n;
}
void MBROLA_CALL close() { state.log.push_back("close_MBR"); }
int MBROLA_CALL reset() { return state.log.push_back("reset_MBR"), lastError = pending = 0, 1; }
int MBROLA_CALL error() { return lastError; }
void MBROLA_CALL noError(int on) { state.log.push_back("setNoError_MBR " + std::to_string(on)); }
int MBROLA_CALL frequency() { return state.rate; }

void* lookup(const char* name, void*) {
    const std::pair<const char*, void*> doubles[] = {
        {"init_MBR", reinterpret_cast<void*>(init)},   {"write_MBR", reinterpret_cast<void*>(write)},
        {"flush_MBR", reinterpret_cast<void*>(flush)}, {"read_MBR", reinterpret_cast<void*>(read)},
        {"close_MBR", reinterpret_cast<void*>(close)}, {"reset_MBR", reinterpret_cast<void*>(reset)},
        {"lastError_MBR", reinterpret_cast<void*>(error)}, {"setNoError_MBR", reinterpret_cast<void*>(noError)},
        {"getFreq_MBR", reinterpret_cast<void*>(frequency)}};
    for (const auto& [entry, address] : doubles)
        if (std::strcmp(entry, name) == 0) return address;
    return nullptr;  // never called by the engine
}

}  // namespace

fake::MbrolaDouble& fake::mbrolaDouble() { return state; }
void fake::resetMbrola() { state = {}, pending = handedOut = lastError = reads = 0; }
short fake::mbrolaSample(int index) { return static_cast<short>(index + 1); }

bool loadMbrola() {
    state.log.push_back("load");
    bindMbrolaEntryPoints(mbrola, lookup, nullptr);
    return state.loads;
}
void unloadMbrola() { state.log.push_back("unload"); }
