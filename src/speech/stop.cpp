// Stopping and waiting: the one decision that the user wants the speech to
// stop (a key is pending), the stop itself, and the waits of every speaking
// module, which all end when that decision says stop.
#include "audio/wave_output.h"
#include "console/console.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "voices/voice.h"

namespace {

constexpr unsigned stopMessage = 1024 + 99;  // WM_USER + 99: wakes a waiting loop

}  // namespace

bool stopWanted() { return keyPending(); }

bool isSpeaking() {
    if (stopWanted()) {
        stopSpeech();
        return false;
    }
    if (speechState().systemVoiceActive) return isPlaying() || voiceBusy(false);
    return isPlaying();
}

void stopSpeech() {
    speechState().destination.stop();
    stopOwnVoice();
}

void stopOwnVoice() {
    SpeechState& state = speechState();
    stopPlayback();
    state.stopRequested = true;
    if (state.systemVoiceActive && (voiceBusy(false) || state.currentVoiceType == 3)) stopVoice();
    postConsoleMessage(stopMessage);
}

void waitWhileSpeaking() {
    while (isSpeaking()) waitForMessage();
}

void waitForVoice() {
    SpeechState& state = speechState();
    if (!state.voicePending) return;
    waitWhileSpeaking();
    state.voicePending = false;
}

void playBufferQueued(unsigned char* waveBuffer) {
    waitForVoice();
    noteBufferPlayed(waveBuffer);  // before the speech trim may change the samples
    playWaveBuffer(waveBuffer);
}

void playBufferAndWait(unsigned char* waveBuffer) {
    playBufferQueued(waveBuffer);
    waitWhileSpeaking();
}
