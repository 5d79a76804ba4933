// Module start, speech start and speech finish of the speech front end.
#include <random>
#include <string>

#include "console/console.h"
#include "diphone/diphone.h"
#include "platform/platform.h"
#include "speech/com.h"
#include "settings/setting_values.h"
#include "speech/settings_file.h"
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

std::string removeOneTrailingBackslash(std::string directory) {
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    return directory;
}

std::string withBackslashUnlessEmpty(std::string directory) {
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    return directory;
}

[[noreturn]] void reportStartFailure(int code) {
    writeString("Erro de inicializa\xE7\xE3o: " + std::to_string(code) + "\r\n");
    writeString("Banco de dados de voz: " + state.databaseName + "\r\n");
    diphoneClose();
    char line[256];
    readLine(line, sizeof line);
    closeConsoleWindow();
}

void startSystemVoiceWhenAsked() {
    if (!settingBoolean(readSetting("TRADUTOR", "SAPI"))) return;
    int voice = leadingInteger(readSetting("SERVFALA", "VOZ"));
    int rate = leadingInteger(readSetting("SERVFALA", "VELOCIDADE"));
    int pitch = leadingInteger(readSetting("SERVFALA", "TOM"));
    int type = leadingInteger(readSetting("SERVFALA", "TIPOSAPI"));
    if (type != 4 && rate > 10) rate = 0;
    state.systemVoiceActive = startVoice(voice, rate, pitch, "", type);
    state.currentVoiceType = type;
}

}  // namespace

SpeechState& speechState() { return state; }
const std::string& startDirectory() { return state.startDirectory; }
const std::string& lettersDirectory() { return state.lettersDirectory; }

void speechModuleStart() {
    initializeComForThread();
    state = SpeechState{};
    state.startDirectory = removeOneTrailingBackslash(platform::currentDirectory());
    state.currentVoiceType = 4;
    makeRepeatToneSamples();
}

void startSpeech(int speed, const std::string& soundsDirectory) {
    if (speed <= 0) speed = leadingInteger(readSetting("TRADUTOR", "VELOCIDADE"));
    if (speed < 1 || speed > 5) speed = 3;
    loadSpeechSettings(speed);
    int code = diphoneStart();
    if (code != 0) reportStartFailure(code);
    state.soundsDirectory = withBackslashUnlessEmpty(soundsDirectory);
    state.lettersDirectory = lettersDirectoryFromSettings();
    state.systemVoiceActive = false;
    startSystemVoiceWhenAsked();
}

void finishSpeech() {
    while (isSpeaking()) waitForMessage();
    stopSpeech();
    if (state.systemVoiceActive) {
        closeVoice();
        state.systemVoiceActive = false;
    }
    diphoneClose();
}
