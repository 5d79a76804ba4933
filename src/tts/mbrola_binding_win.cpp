// Loading mbrola.dll at run time.
#include <windows.h>

#include "tts/mbrola_binding.h"

namespace {

HMODULE library = nullptr;

void* procedure(const char* name, void* module) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

}  // namespace

bool loadMbrola() {
    library = LoadLibraryA("mbrola.dll");
    if (library == nullptr) return false;
    if (!bindMbrolaEntryPoints(mbrola, procedure, library)) {
        unloadMbrola();
        return false;
    }
    return true;
}

void unloadMbrola() {
    if (library == nullptr) return;
    FreeLibrary(library);
    library = nullptr;
}
