// The voice dispatcher: remembers the configured VoiceType and forwards the
// five voice operations to the voice of that kind.
#include "voices/voice.h"

#include "console/console.h"
#include "voices/voice_backends.h"

int VoiceType = 4;

namespace {
const VoiceBackend& selected() { return voiceBackend(voiceKindFor(VoiceType)); }
}  // namespace

VoiceKind voiceKindFor(int voiceType) {
    switch (voiceType) {
    case 3:
        return VoiceKind::tavin;
    case 5:
        return VoiceKind::sapi5;
    case 54:
        return VoiceKind::sapi54;
    default:
        return VoiceKind::sapi4;
    }
}

void voiceModuleStart() { VoiceType = 4; }

bool startVoice(int voice, int rate, int pitch, const std::string& extra, int voiceType) {
    VoiceType = voiceType;
    bool ready = selected().start(voice, rate, pitch, extra);
    if (ready) {
        while (voiceBusy(true)) sleepPumping(50);  // until the new voice is idle
    }
    return ready;
}

void closeVoice() { selected().close(); }
bool speakVoice(const std::string& text) { return selected().speak(text); }

bool voiceBusy(bool onlyUnprocessed) {
    pumpMessages();  // lets the voice's notifications arrive
    return selected().busy(onlyUnprocessed);
}

void stopVoice() { selected().stop(); }
