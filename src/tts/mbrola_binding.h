// The binding to MBROLA, the outside diphone synthesizer: its 23 entry points
// as a table of function pointers, filled when the library is loaded at run
// time, so that the program works where MBROLA is not installed.  The engine
// calls the entry points through the table directly.
#pragma once
#include <cstddef>

// The library's calling convention: stdcall on 32-bit Windows (the callee
// removes the arguments); elsewhere there is one convention.
#if defined(_WIN32)
#define MBROLA_CALL __stdcall
#else
#define MBROLA_CALL
#endif

struct MbrolaEntryPoints {
    int(MBROLA_CALL* init_MBR)(char* databasePath);  // negative on failure
    int(MBROLA_CALL* init_rename_MBR)(char* databasePath, char* renames, char* clones);
    int(MBROLA_CALL* write_MBR)(char* line);  // characters taken; 0 when the input is full
    int(MBROLA_CALL* flush_MBR)();            // 0 when the input is full
    int(MBROLA_CALL* read_MBR)(void* samples, int maximumSamples);  // 16-bit samples read
    int(MBROLA_CALL* readtype_MBR)(void* samples, int maximumSamples, int sampleType);
    void(MBROLA_CALL* close_MBR)();
    int(MBROLA_CALL* reset_MBR)();
    int(MBROLA_CALL* lastError_MBR)();  // 0 when the last operation worked
    int(MBROLA_CALL* lastErrorStr_MBR)(char* text, int size);
    void(MBROLA_CALL* setNoError_MBR)(int silenceForMissingDiphones);
    int(MBROLA_CALL* getNoError_MBR)();
    void(MBROLA_CALL* setFreq_MBR)(int rate);
    int(MBROLA_CALL* getFreq_MBR)();  // samples per second of the output
    void(MBROLA_CALL* setVolumeRatio_MBR)(float ratio);
    float(MBROLA_CALL* getVolumeRatio_MBR)();
    int(MBROLA_CALL* getVersion_MBR)(char* text, int size);
    int(MBROLA_CALL* getDatabaseInfo_MBR)(char* text, int size, int index);
    void(MBROLA_CALL* setParser_MBR)(void* parser);
    void*(MBROLA_CALL* init_Phone)(char* name, float milliseconds);
    void(MBROLA_CALL* reset_Phone)(void* phone);
    void(MBROLA_CALL* close_Phone)(void* phone);
    void(MBROLA_CALL* appendf0_Phone)(void* phone, float percent, float hertz);
};

constexpr std::size_t mbrolaEntryPointCount = 23;
// The exported names, in the table's order.
extern const char* const mbrolaEntryPointNames[mbrolaEntryPointCount];

// The table the engine calls through; valid while loadMbrola's result holds.
extern MbrolaEntryPoints mbrola;

// Loads "mbrola.dll" (the system's library search order) and resolves all 23
// names; true only when the library loaded and every name resolved.  A library
// lacking a name is released again.
bool loadMbrola();
// Releases the library when one is held.
void unloadMbrola();

// Fills the table from lookup(name) in the table's order, storing whatever
// each lookup gives; true when none gave null.
using MbrolaLookup = void* (*)(const char* name, void* context);
bool bindMbrolaEntryPoints(MbrolaEntryPoints& table, MbrolaLookup lookup, void* context);
