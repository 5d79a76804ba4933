#include "settings/sections.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

SystemVoiceSettings readSystemVoiceSettings(const std::string& startDirectory) {
    auto read = [&](const char* key) { return leadingInteger(readSetting("SERVFALA", key, startDirectory)); };
    SystemVoiceSettings settings;
    settings.voice = read("VOZ");
    settings.rate = read("VELOCIDADE");
    settings.pitch = read("TOM");
    settings.type = read("TIPOSAPI");
    return settings;
}
