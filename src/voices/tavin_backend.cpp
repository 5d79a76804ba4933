// The text-to-speech engine behind voice type 3 of the dispatcher.
#include "tts/tavin_voice.h"
#include "voices/voice_backends.h"

namespace {

bool start(int voice, int rate, int pitch, const std::string& extra) {
    return tavinVoiceStart(voice, rate, pitch, extra);
}
bool busy(bool) { return tavinVoiceBusy(); }

const VoiceBackend tavin{start, tavinVoiceClose, tavinVoiceSpeak, busy, tavinVoiceStop};

}  // namespace

const VoiceBackend& tavinVoice() { return tavin; }
