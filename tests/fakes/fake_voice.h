// Control of the native fake of the system voices behind the voice dispatcher
// (voices/voice_backends.h): every call is recorded with the kind of voice
// that received it.
#pragma once
#include <string>
#include <vector>

#include "voices/voice_backends.h"

namespace fake {

struct VoiceCall {
    std::string operation;  // "start", "close", "speak", "busy", "stop"
    VoiceKind kind;
    int voice = 0, rate = 0, pitch = 0;
    std::string text;  // extra text of start, text of speak
    bool flag = false;  // argument of busy
};

void resetVoices();  // no calls, start fails, speak succeeds, never busy
std::vector<VoiceCall>& voiceCalls();
void setVoiceStartResult(bool ready);
void setVoiceSpeakResult(bool spoken);
void setVoiceBusyAnswers(int trueAnswers);  // busy says true this many times, then false

}  // namespace fake
