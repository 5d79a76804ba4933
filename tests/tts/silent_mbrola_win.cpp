// A stand-in mbrola.dll that starts with any database, takes every line and
// never gives a sample: the engine over it must count as unable to speak.
#include <cstring>

#define EXPORT extern "C" __declspec(dllexport)
#define CALL __stdcall

EXPORT int CALL init_MBR(char*) { return 0; }
EXPORT int CALL init_rename_MBR(char*, char*, char*) { return 0; }
EXPORT int CALL write_MBR(char* line) { return static_cast<int>(std::strlen(line)); }
EXPORT int CALL flush_MBR() { return 1; }
EXPORT int CALL read_MBR(void*, int) { return 0; }
EXPORT int CALL readtype_MBR(void*, int, int) { return 0; }
EXPORT void CALL close_MBR() {}
EXPORT int CALL reset_MBR() { return 1; }
EXPORT int CALL lastError_MBR() { return 0; }
EXPORT int CALL lastErrorStr_MBR(char* text, int size) { return size > 0 ? (text[0] = '\0', 0) : 0; }
EXPORT void CALL setNoError_MBR(int) {}
EXPORT int CALL getNoError_MBR() { return 1; }
EXPORT void CALL setFreq_MBR(int) {}
EXPORT int CALL getFreq_MBR() { return 16000; }
EXPORT void CALL setVolumeRatio_MBR(float) {}
EXPORT float CALL getVolumeRatio_MBR() { return 1.0f; }
EXPORT int CALL getVersion_MBR(char* text, int size) { return lastErrorStr_MBR(text, size); }
EXPORT int CALL getDatabaseInfo_MBR(char* text, int size, int) { return lastErrorStr_MBR(text, size); }
EXPORT void CALL setParser_MBR(void*) {}
EXPORT void* CALL init_Phone(char*, float) { return nullptr; }
EXPORT void CALL reset_Phone(void*) {}
EXPORT void CALL close_Phone(void*) {}
EXPORT void CALL appendf0_Phone(void*, float, float) {}
