// Which back end serves each kind of voice.
#include "voices/sapi4_voice.h"
#include "voices/sapi5_voice.h"
#include "voices/voice_backends.h"

const VoiceBackend& voiceBackend(VoiceKind kind) {
    switch (kind) {
    case VoiceKind::tavin:
        return tavinVoice();
    case VoiceKind::sapi5:
        return sapi5Voice();
    case VoiceKind::sapi54:
        return sapi54Voice();
    default:
        return sapi4Voice();
    }
}
