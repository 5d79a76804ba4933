// A voice that never starts, so that all speech goes through the diphone
// synthesizer and the recorded sounds.  A voice that never started is never
// closed, asked or stopped; these do nothing if it is.
#include "voices/voice_backends.h"

namespace {

bool startUnavailable(int, int, int, const std::string&) { return false; }
void nothing() {}
void speakNothing(const std::string&) {}
bool neverBusy(bool) { return false; }

const VoiceBackend unavailable{startUnavailable, nothing, speakNothing, neverBusy, nothing};

}  // namespace

const VoiceBackend& unavailableVoice() { return unavailable; }
