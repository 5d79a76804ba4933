// Native stand-in for the system voices behind the voice dispatcher.
#include "fakes/fake_voice.h"

namespace {

std::vector<fake::VoiceCall> calls;
bool startResult = false;
bool speakResult = true;
int busyAnswers = 0;

template <VoiceKind kind>
struct Recorder {
    static bool start(int voice, int rate, int pitch, const std::string& extra) {
        calls.push_back({"start", kind, voice, rate, pitch, extra, false});
        return startResult;
    }
    static void close() { calls.push_back({"close", kind, 0, 0, 0, "", false}); }
    static bool speak(const std::string& text) {
        calls.push_back({"speak", kind, 0, 0, 0, text, false});
        return speakResult;
    }
    static bool busy(bool flag) {
        calls.push_back({"busy", kind, 0, 0, 0, "", flag});
        if (busyAnswers > 0) {
            --busyAnswers;
            return true;
        }
        return false;
    }
    static void stop() { calls.push_back({"stop", kind, 0, 0, 0, "", false}); }
    static constexpr VoiceBackend backend{start, close, speak, busy, stop};
};

}  // namespace

namespace fake {
void resetVoices() {
    calls.clear();
    startResult = false;
    speakResult = true;
    busyAnswers = 0;
}
std::vector<VoiceCall>& voiceCalls() { return calls; }
void setVoiceStartResult(bool ready) { startResult = ready; }
void setVoiceSpeakResult(bool spoken) { speakResult = spoken; }
void setVoiceBusyAnswers(int trueAnswers) { busyAnswers = trueAnswers; }
}  // namespace fake

const VoiceBackend& voiceBackend(VoiceKind kind) {
    switch (kind) {
    case VoiceKind::tavin:
        return Recorder<VoiceKind::tavin>::backend;
    case VoiceKind::sapi5:
        return Recorder<VoiceKind::sapi5>::backend;
    case VoiceKind::sapi54:
        return Recorder<VoiceKind::sapi54>::backend;
    default:
        return Recorder<VoiceKind::sapi4>::backend;
    }
}
