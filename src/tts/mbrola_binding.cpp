// Filling the entry-point table by name, shared by every loader.
#include "tts/mbrola_binding.h"

#include <cstring>

MbrolaEntryPoints mbrola{};

const char* const mbrolaEntryPointNames[mbrolaEntryPointCount] = {
    "init_MBR",           "init_rename_MBR",  "write_MBR",          "flush_MBR",
    "read_MBR",           "readtype_MBR",     "close_MBR",          "reset_MBR",
    "lastError_MBR",      "lastErrorStr_MBR", "setNoError_MBR",     "getNoError_MBR",
    "setFreq_MBR",        "getFreq_MBR",      "setVolumeRatio_MBR", "getVolumeRatio_MBR",
    "getVersion_MBR",     "getDatabaseInfo_MBR", "setParser_MBR",   "init_Phone",
    "reset_Phone",        "close_Phone",      "appendf0_Phone"};

// The table is 23 function pointers of one size in declaration order, so
// entry i is stored at the i-th pointer-sized place.
static_assert(sizeof(MbrolaEntryPoints) == mbrolaEntryPointCount * sizeof(void (*)()));

bool bindMbrolaEntryPoints(MbrolaEntryPoints& table, MbrolaLookup lookup, void* context) {
    bool all = true;
    auto* places = reinterpret_cast<unsigned char*>(&table);
    for (std::size_t i = 0; i < mbrolaEntryPointCount; ++i) {
        void* address = lookup(mbrolaEntryPointNames[i], context);
        if (address == nullptr) all = false;
        std::memcpy(places + i * sizeof(void (*)()), &address, sizeof(void (*)()));
    }
    return all;
}
