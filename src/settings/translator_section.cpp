#include "settings/sections.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

TranslatorSettings readTranslatorSettings(const std::string& startDirectory) {
    TranslatorSettings settings;
    settings.speed = leadingInteger(readSetting("TRADUTOR", "VELOCIDADE", startDirectory));
    settings.systemVoice = settingBoolean(readSetting("TRADUTOR", "SAPI", startDirectory));
    settings.lettersDirectory = readWindowsSetting("TRADUTOR", "DIRLETRAS", "c:\\kelmar\\som\\letras\\", 255);
    settings.diphoneDirectory = readWindowsSetting("TRADUTOR", "DIRDIFONES", "c:\\kelmar\\som\\difones",
                                                   synthesizerDirectoryLength + 1);
    return settings;
}
