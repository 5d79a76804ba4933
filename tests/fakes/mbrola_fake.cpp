// Native stand-in for loading mbrola.dll.
#include "fakes/fake_mbrola.h"
#include "tts/mbrola_binding.h"

#include <algorithm>
#include <cstring>

namespace {

fake::MbrolaDouble state;
int pending = 0, handedOut = 0, lastError = 0, reads = 0;

void log(const std::string& entry) { state.log.push_back(entry); }
void made() { pending += state.samplesPerLine; }

int MBROLA_CALL init(char* path) { log(std::string("init_MBR ") + path); return state.initResult; }
int MBROLA_CALL write(char* line) {
    if (pending > state.inputRoom) return 0;
    log(std::string("write_MBR ") + line);
    if (state.errorAfterLine + "\r\n" == line) lastError = -1;
    made();
    return static_cast<int>(std::strlen(line));
}
int MBROLA_CALL flush() { log("flush_MBR"); made(); return 1; }
int MBROLA_CALL read(void* into, int wanted) {
    if (++reads == state.failingRead) { lastError = -2; return -1; }
    int n = std::min(pending, wanted);
    for (int i = 0; i < n; ++i) static_cast<short*>(into)[i] = fake::mbrolaSample(handedOut++);
    pending -= n;
    return n;
}
void MBROLA_CALL close() { log("close_MBR"); }
int MBROLA_CALL reset() { log("reset_MBR"); lastError = 0; pending = 0; return 1; }
int MBROLA_CALL error() { return lastError; }
void MBROLA_CALL noError(int on) { log("setNoError_MBR " + std::to_string(on)); }
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

namespace fake {
MbrolaDouble& mbrolaDouble() { return state; }
void resetMbrola() {
    state = MbrolaDouble{};
    pending = handedOut = lastError = reads = 0;
}
short mbrolaSample(int index) { return static_cast<short>(index + 1); }
}  // namespace fake

bool loadMbrola() {
    log("load");
    bindMbrolaEntryPoints(mbrola, lookup, nullptr);
    return state.loads;
}
void unloadMbrola() { log("unload"); }
