// Our declarations of the SAPI 4 text-to-speech interfaces, identifiers and
// records (ANSI build); the platform headers have none.  Slots are in vtable
// order; sizes and offsets are checked for both architectures below.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <cstddef>

namespace sapi4 {

using QWORD = unsigned long long;  // time stamps

struct SDATA {
    void* pData;
    DWORD dwSize;  // bytes
};

struct LANGUAGEA {
    WORD LanguageID;
    char szDialect[64];
};

constexpr int nameLength = 262;

struct TTSMODEINFOA {
    GUID gEngineID;
    char szMfgName[nameLength];
    char szProductName[nameLength];
    GUID gModeID;
    char szModeName[nameLength];
    LANGUAGEA language;
    char szSpeaker[nameLength];
    char szStyle[nameLength];
    WORD wGender;
    WORD wAge;
    DWORD dwFeatures;
    DWORD dwInterfaces;
    DWORD dwEngineFeatures;
};

struct TTSMOUTH {
    BYTE bMouthHeight, bMouthWidth, bMouthUpturn, bJawOpen, bTeethUpperVisible, bTeethLowerVisible,
        bTonguePosn, bLipTension;
};

enum VOICECHARSET { CHARSET_TEXT = 0, CHARSET_IPAPHONETIC = 1, CHARSET_ENGINEPHONETIC = 2 };

constexpr DWORD TTSBNS_ABORTED = 1;
constexpr HRESULT TTSERR_INVALIDMODE = static_cast<HRESULT>(0x80040206);

static_assert(sizeof(LANGUAGEA) == 66 && alignof(LANGUAGEA) == 2);
static_assert(sizeof(TTSMODEINFOA) == 1424 && alignof(TTSMODEINFOA) == 4);
static_assert(offsetof(TTSMODEINFOA, szProductName) == 278);
static_assert(offsetof(TTSMODEINFOA, gModeID) == 540);
static_assert(offsetof(TTSMODEINFOA, szModeName) == 556);
static_assert(offsetof(TTSMODEINFOA, language) == 818);
static_assert(offsetof(TTSMODEINFOA, szSpeaker) == 884);
static_assert(offsetof(TTSMODEINFOA, szStyle) == 1146);
static_assert(offsetof(TTSMODEINFOA, wGender) == 1408);
static_assert(offsetof(TTSMODEINFOA, dwFeatures) == 1412);
static_assert(offsetof(TTSMODEINFOA, dwEngineFeatures) == 1420);
static_assert(sizeof(TTSMOUTH) == 8);
static_assert(sizeof(VOICECHARSET) == 4);
static_assert(sizeof(SDATA) == 2 * sizeof(void*) && offsetof(SDATA, dwSize) == sizeof(void*));

struct ITTSCentralA;

struct ITTSEnumA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG count, TTSMODEINFOA* modes, ULONG* fetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG count) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(ITTSEnumA** copy) = 0;
    virtual HRESULT STDMETHODCALLTYPE Select(GUID modeId, ITTSCentralA** central, IUnknown* audioDestination) = 0;
};

struct ITTSCentralA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Inject(const char* tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE ModeGet(TTSMODEINFOA* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE Phoneme(VOICECHARSET charset, DWORD flags, SDATA text, SDATA* phonemes) = 0;
    virtual HRESULT STDMETHODCALLTYPE PosnGet(QWORD* timeStamp) = 0;
    virtual HRESULT STDMETHODCALLTYPE TextData(VOICECHARSET charset, DWORD flags, SDATA text, void* notifySink,
                                               IID notifyInterface) = 0;
    virtual HRESULT STDMETHODCALLTYPE ToFileTime(QWORD* timeStamp, FILETIME* fileTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioPause() = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioResume() = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioReset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Register(void* notifySink, IID notifyInterface, DWORD* key) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnRegister(DWORD key) = 0;
};

struct ITTSAttributesA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE PitchGet(WORD* pitch) = 0;
    virtual HRESULT STDMETHODCALLTYPE PitchSet(WORD pitch) = 0;
    virtual HRESULT STDMETHODCALLTYPE RealTimeGet(DWORD* realTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE RealTimeSet(DWORD realTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE SpeedGet(DWORD* speed) = 0;
    virtual HRESULT STDMETHODCALLTYPE SpeedSet(DWORD speed) = 0;
    virtual HRESULT STDMETHODCALLTYPE VolumeGet(DWORD* volume) = 0;
    virtual HRESULT STDMETHODCALLTYPE VolumeSet(DWORD volume) = 0;
};

struct ITTSNotifySinkA : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AttribChanged(DWORD attribute) = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioStart(QWORD timeStamp) = 0;
    virtual HRESULT STDMETHODCALLTYPE AudioStop(QWORD timeStamp) = 0;
    virtual HRESULT STDMETHODCALLTYPE Visual(QWORD timeStamp, CHAR ipaPhoneme, CHAR enginePhoneme, DWORD hints,
                                             TTSMOUTH* mouth) = 0;
};

struct ITTSBufNotifySink : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE TextDataDone(QWORD timeStamp, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD timeStamp) = 0;
    virtual HRESULT STDMETHODCALLTYPE BookMark(QWORD timeStamp, DWORD mark) = 0;
    virtual HRESULT STDMETHODCALLTYPE WordPosition(QWORD timeStamp, DWORD byteOffset) = 0;
};

struct IAudioMultiMediaDevice : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CustomMessage(UINT message, SDATA data) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeviceNumGet(DWORD* device) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeviceNumSet(DWORD device) = 0;
};

constexpr GUID CLSID_MMAudioDest = {0xCB96B400, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
constexpr GUID CLSID_TTSEnumerator = {0xD67C0280, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
constexpr GUID IID_IAudioMultiMediaDevice = {0xB68AD320, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};
constexpr GUID IID_ITTSEnumA = {0x05EB6C6D, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID IID_ITTSCentralA = {0x05EB6C6A, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID IID_ITTSAttributesA = {0x0FD6E2A1, 0xE77D, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID IID_ITTSNotifySinkA = {0x05EB6C6F, 0xDBAB, 0x11CD, {0xB3, 0xCA, 0x00, 0xAA, 0x00, 0x47, 0xBA, 0x4F}};
constexpr GUID IID_ITTSBufNotifySink = {0xE4963D40, 0xC743, 0x11CD, {0x80, 0xE5, 0x00, 0xAA, 0x00, 0x3E, 0x4B, 0x50}};

}  // namespace sapi4
