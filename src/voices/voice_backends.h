// The four kinds of system voice behind the dispatcher and the operations
// each one offers.
#pragma once
#include <string>

enum class VoiceKind { tavin, sapi5, sapi54, sapi4 };

// 3 the built-in text-to-speech engine, 5 SAPI 5, 54 SAPI 5.4, any other SAPI 4.
VoiceKind voiceKindFor(int voiceType);

struct VoiceBackend {
    bool (*start)(int voice, int rate, int pitch, const std::string& extra);
    void (*close)();
    bool (*speak)(const std::string& text);  // false when the voice reports it failed
    bool (*busy)(bool onlyUnprocessed);
    void (*stop)();
};

const VoiceBackend& voiceBackend(VoiceKind kind);  // the table of back ends
const VoiceBackend& tavinVoice();                  // the text-to-speech engine
