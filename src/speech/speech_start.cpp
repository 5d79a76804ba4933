// Module start, speech start and speech finish of the speech front end.
#include <random>
#include <string>

#include "console/console.h"
#include "diphone/diphone.h"
#include "platform/platform.h"
#include "audio/wave_output.h"
#include "platform/directory_path.h"
#include "settings/sections.h"
#include "speech/com.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "voices/voice.h"

namespace {

SpeechState state;

constexpr int noiseSamples = 64;

// The first samples of the repeat tone are soft noise (128..187), the rest
// silence.  A fixed generator keeps the tone the same on every run.
void makeRepeatToneSamples() {
    std::minstd_rand generator(1);
    unsigned char* samples = state.repeatTone.data() + 44;
    for (int i = 0; i < repeatToneSamples; ++i)
        samples[i] = i < noiseSamples ? static_cast<unsigned char>(128 + generator() % 60) : 128;
}

StartFailureEnding startFailureEnding = nullptr;

[[noreturn]] void reportStartFailure(int code) {
    // A hidden watcher's window must be seen (and read by a screen reader)
    // rather than wait unseen and say nothing.
    revealConsoleWindow();
    std::string lines = "Erro de inicializa\xE7\xE3o: " + std::to_string(code) + "\r\n" +
                        "Banco de dados de voz: " + state.databaseName + "\r\n";
    writeString(lines);
    diphoneClose();
    if (startFailureEnding) startFailureEnding(lines);
    // The lines wait for Enter.
    char line[256];
    readLine(line, sizeof line);
    closeConsoleWindow();
}

void startSystemVoice(SystemVoiceSettings voice) {
    int rate = voice.type != 4 && voice.rate > 10 ? 0 : voice.rate;
    state.systemVoiceActive = startVoice(voice.voice, rate, voice.pitch, "", voice.type);
    state.currentVoiceType = voice.type;
}

// The diphone synthesizer over the database and tuning of a speed (0: the
// configured one; out of 1..5: 3).
void startDefaultVoice(const TranslatorSettings& translator, int speed) {
    if (speed <= 0) speed = translator.speed;
    if (speed < 1 || speed > 5) speed = 3;
    loadSpeechSettings(speed);
    int code = diphoneStart({translator.lettersDirectory.substr(0, synthesizerDirectoryLength),
                             translator.diphoneDirectory},
                            playBufferQueued);
    if (code != 0) reportStartFailure(code);
}

}  // namespace

SpeechState& speechState() { return state; }
void setStartFailureEnding(StartFailureEnding ending) { startFailureEnding = ending; }
const std::string& startDirectory() { return state.startDirectory; }
const std::string& lettersDirectory() { return state.lettersDirectory; }

void speechModuleStart() {
    initializeComForThread();
    state = SpeechState{};
    state.startDirectory = withoutOneTrailingBackslash(platform::currentDirectory());
    state.currentVoiceType = 4;
    makeRepeatToneSamples();
    setPlaybackStopQuestion(stopWanted);
}

void loadSpeechSettings(int speed) { applySpeechSettings(readSpeechSettings(speed, state.startDirectory)); }

void applySpeechSettings(const SpeechSettings& settings) {
    state.tuning = {settings.databaseName, settings.cutLength, settings.minimumLength, settings.tokenPause};
    setDiphoneTuning(state.tuning);
    setTrimSpeech(settings.trimSpeech);
    setQuickPlayback(settings.quickPlayback);
    state.fullStopPause = settings.fullStopPause;
    state.commaPause = settings.commaPause;
    state.colonPause = settings.colonPause;
    state.databaseName = settings.databaseName;
}

void startSpeech(int speed, const std::string& soundsDirectory) {
    TranslatorSettings translator = readTranslatorSettings(state.startDirectory);
    startDefaultVoice(translator, speed);
    state.soundsDirectory = withTrailingBackslashUnlessEmpty(soundsDirectory);
    state.lettersDirectory = withTrailingBackslashUnlessEmpty(translator.lettersDirectory);
    state.systemVoiceActive = false;
    if (translator.systemVoice) startSystemVoice(readSystemVoiceSettings(state.startDirectory));
}

void changeDefaultVoiceSpeed(int speed) {
    stopSpeech();
    startDefaultVoice(readTranslatorSettings(state.startDirectory), speed);
}

void changeVoice(bool systemVoice, int type, int voice) {
    stopSpeech();
    if (state.systemVoiceActive) closeVoice();
    state.systemVoiceActive = false;
    state.voicePending = false;
    if (!systemVoice) return;
    SystemVoiceSettings settings = readSystemVoiceSettings(state.startDirectory);
    settings.type = type;
    settings.voice = voice;
    startSystemVoice(settings);
}

int startDefaultVoice(const DiphoneFolders& folders, const SpeechSettings& settings) {
    applySpeechSettings(settings);
    int code = diphoneStart(folders, playBufferQueued);
    state.lettersDirectory = withTrailingBackslashUnlessEmpty(folders.letters);
    state.systemVoiceActive = false;
    return code;
}

void finishSpeech() {
    while (isSpeaking()) waitForMessage();
    stopOwnVoice();
    if (state.systemVoiceActive) {
        closeVoice();
        state.systemVoiceActive = false;
    }
    diphoneClose();
}
