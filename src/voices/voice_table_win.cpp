// Which back end serves each kind of voice.  The built-in text-to-speech
// engine is not part of the program yet, so its kind never starts.
#include "voices/sapi4_voice.h"
#include "voices/sapi5_voice.h"
#include "voices/voice_backends.h"

const VoiceBackend& voiceBackend(VoiceKind kind) {
    switch (kind) {
    case VoiceKind::tavin:
        return unavailableVoice();
    case VoiceKind::sapi5:
        return sapi5Voice();
    case VoiceKind::sapi54:
        return sapi54Voice();
    default:
        return sapi4Voice();
    }
}
