#include "settings/sections.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t databaseNameLength = 8;
constexpr unsigned settingsValueSize = 255;

template <typename Read>
SpeechSettings speechSettings(Read read) {
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

}  // namespace

SpeechSettings readSpeechSettings(int speed, const std::string& startDirectory) {
    const std::string suffix = std::to_string(speed);
    return speechSettings([&](const char* stem) { return readSetting("SINTETIZADOR", stem + suffix, startDirectory); });
}

SpeechSettings readSpeechSettingsFromFile(int speed, const std::string& file) {
    const std::string suffix = std::to_string(speed);
    return speechSettings([&](const char* stem) {
        return platform::profileString(file, "SINTETIZADOR", stem + suffix, "", settingsValueSize);
    });
}
