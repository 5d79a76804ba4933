// The settings file: its location, the marker expansion and the per-speed
// synthesizer settings.
#include "speech/settings_file.h"

#include "audio/wave_output.h"
#include "diphone/diphone.h"
#include "platform/platform.h"
#include "settings/setting_values.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

namespace {

const char* const settingsFileName = "ORAVIX.INI";
constexpr unsigned valueBufferSize = 255;
constexpr std::size_t databaseNameLength = 8;

std::string withBackslash(std::string directory) {
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

}  // namespace

std::string settingsFilePath() {
    std::string windows = withBackslash(platform::windowsDirectory());
    if (platform::fileExists(windows + settingsFileName)) return settingsFileName;
    return startDirectory() + "\\" + settingsFileName;
}

std::string lettersDirectoryFromSettings() {
    std::string directory = platform::profileString(settingsFileName, "TRADUTOR", "DIRLETRAS",
                                                    "c:\\kelmar\\som\\letras\\", valueBufferSize);
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    return directory;
}

std::string readSetting(const std::string& section, const std::string& key) {
    std::string file = settingsFilePath();
    std::string sectionName = section.empty() ? "ORAVIX" : section;
    std::string value = platform::profileString(file, sectionName, key, "", valueBufferSize);
    if (value.find('@') == std::string::npos) return value;
    std::string programDirectory = platform::profileString(file, "ORAVIX", "PGMORAVIX", "", valueBufferSize);
    return expandProgramMarker(value, programDirectory, startDirectory());
}

SpeechSettings readSpeechSettings(int speed) {
    const std::string suffix = std::to_string(speed);
    auto read = [&](const char* stem) { return readSetting("SINTETIZADOR", stem + suffix); };
    SpeechSettings settings;
    settings.databaseName = read("DIFONES").substr(0, databaseNameLength);
    settings.cutLength = leadingInteger(read("CORTEFON"));
    settings.minimumLength = wholeInteger(read("SOBRAFON"), 0);
    settings.tokenPause = wholeInteger(read("INTERPAL"), 0);
    settings.trimSpeech = settingBoolean(read("CORTAFALA"));
    settings.quickPlayback = settingBoolean(read("RAPIDINHO"));
    settings.fullStopPause = wholeInteger(read("PAUSAPONTO"), 250);
    settings.commaPause = wholeInteger(read("PAUSAVIRG"), 150);
    settings.colonPause = wholeInteger(read("PAUSADOISPONTOS"), 200);
    return settings;
}

void loadSpeechSettings(int speed) {
    SpeechSettings settings = readSpeechSettings(speed);
    setDiphoneTuning(settings.databaseName, settings.cutLength, settings.minimumLength,
                     settings.tokenPause);
    setTrimSpeech(settings.trimSpeech);
    setQuickPlayback(settings.quickPlayback);
    SpeechState& state = speechState();
    state.fullStopPause = settings.fullStopPause;
    state.commaPause = settings.commaPause;
    state.colonPause = settings.colonPause;
    state.databaseName = settings.databaseName;
}
