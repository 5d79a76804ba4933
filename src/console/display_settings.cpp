// Reads the console window's display settings from the suite settings file.
#include "console/display_settings.h"

#include "platform/platform.h"

namespace console {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string lookup(const char* section, const char* key, const char* defaultValue,
                   unsigned bufferSize = 80) {
    return platform::profileString(displaySettingsFile, section, key, defaultValue, bufferSize);
}

}  // namespace

DisplaySettings readDisplaySettings(int workAreaWidth, int workAreaHeight) {
    DisplaySettings settings;

    std::string colors = lookup("VIDEO", "TABCORES", "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15");
    if (!colors.empty()) parseColorTable(colors, settings.colorTable);

    std::string slow = lookup("VIDEO", "LENTO", "N");
    settings.scrollByCopy = !slow.empty() && upper(slow[0]) == 'S';

    std::int32_t background = 0, foreground = 7;
    std::string value = lookup("VIDEO", "CORFUNDO", "0");
    if (!value.empty()) parseSettingInteger(value, background);
    value = lookup("VIDEO", "CORLETRA", "15");
    if (!value.empty()) parseSettingInteger(value, foreground);
    settings.textAttribute = static_cast<std::uint8_t>(
        (static_cast<std::uint32_t>(background) * 16u + static_cast<std::uint32_t>(foreground)) & 0xFF);

    value = lookup("BRAILLE", "MODO", "0");
    if (!value.empty()) settings.brailleMode = static_cast<unsigned char>(value[0]) & 3;

    value = lookup("VIDEO", "AMPLIF", "2", 2);  // one character
    if (!value.empty()) settings.magnifyFactor = static_cast<unsigned char>(value[0]) & 7;

    settings.fontFace = lookup("VIDEO", "FONTE", "Lucida Console");

    std::int32_t size = 0;
    value = lookup("VIDEO", "LARGURALETRA", "");
    if (!value.empty()) {
        parseSettingInteger(value, size);
        settings.fontWidth = size;
    } else {
        settings.fontWidth = static_cast<int>(workAreaWidth / 1024.0 * 13);
    }
    value = lookup("VIDEO", "ALTURALETRA", "");
    if (!value.empty()) {
        size = 0;
        parseSettingInteger(value, size);
        settings.fontHeight = size;
    } else {
        settings.fontHeight = static_cast<int>(workAreaHeight / 734.0 * 28);
    }

    value = lookup("VIDEO", "CANTOTELA", "SIM");
    settings.startMaximized = !value.empty() && upper(value[0]) != 'S';
    return settings;
}

}  // namespace console
