// Native loader of the real MBROLA, linked in (mbrola_native): the table is
// filled with the library's own functions, so that native tests and tools run
// the real synthesizer through the same table as the program.
#include <cstring>

#include "tts/mbrola_binding.h"

extern "C" {
int init_MBR(char*);
int init_rename_MBR(char*, char*, char*);
int write_MBR(char*);
int flush_MBR();
int read_MBR(void*, int);
int readtype_MBR(void*, int, int);
void close_MBR();
int reset_MBR();
int lastError_MBR();
int lastErrorStr_MBR(char*, int);
void setNoError_MBR(int);
int getNoError_MBR();
void setFreq_MBR(int);
int getFreq_MBR();
void setVolumeRatio_MBR(float);
float getVolumeRatio_MBR();
int getVersion_MBR(char*, int);
int getDatabaseInfo_MBR(char*, int, int);
void setParser_MBR(void*);
void* init_Phone(char*, float);
void reset_Phone(void*);
void close_Phone(void*);
void appendf0_Phone(void*, float, float);
}

namespace {
void* linked(const char* name, void*) {
    void* const addresses[mbrolaEntryPointCount] = {
        reinterpret_cast<void*>(init_MBR),           reinterpret_cast<void*>(init_rename_MBR),
        reinterpret_cast<void*>(write_MBR),          reinterpret_cast<void*>(flush_MBR),
        reinterpret_cast<void*>(read_MBR),           reinterpret_cast<void*>(readtype_MBR),
        reinterpret_cast<void*>(close_MBR),          reinterpret_cast<void*>(reset_MBR),
        reinterpret_cast<void*>(lastError_MBR),      reinterpret_cast<void*>(lastErrorStr_MBR),
        reinterpret_cast<void*>(setNoError_MBR),     reinterpret_cast<void*>(getNoError_MBR),
        reinterpret_cast<void*>(setFreq_MBR),        reinterpret_cast<void*>(getFreq_MBR),
        reinterpret_cast<void*>(setVolumeRatio_MBR), reinterpret_cast<void*>(getVolumeRatio_MBR),
        reinterpret_cast<void*>(getVersion_MBR),     reinterpret_cast<void*>(getDatabaseInfo_MBR),
        reinterpret_cast<void*>(setParser_MBR),      reinterpret_cast<void*>(init_Phone),
        reinterpret_cast<void*>(reset_Phone),        reinterpret_cast<void*>(close_Phone),
        reinterpret_cast<void*>(appendf0_Phone)};
    for (std::size_t i = 0; i < mbrolaEntryPointCount; ++i)
        if (std::strcmp(mbrolaEntryPointNames[i], name) == 0) return addresses[i];
    return nullptr;
}
}  // namespace

bool loadMbrola() { return bindMbrolaEntryPoints(mbrola, linked, nullptr); }
void unloadMbrola() {}
