#include <cstdint>

#include "settings/sections.h"
#include "settings/setting_values.h"
#include "settings/settings_file.h"

namespace {

constexpr unsigned displayValueBufferSize = 80;

std::string lookup(const char* section, const char* key, const char* defaultValue,
                   unsigned bufferSize = displayValueBufferSize) {
    return readWindowsSetting(section, key, defaultValue, bufferSize);
}

}  // namespace


DisplaySettings readDisplaySettings(int workAreaWidth, int workAreaHeight) {
    DisplaySettings settings;

    std::string colors = lookup("VIDEO", "TABCORES", "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15");
    if (!colors.empty()) parseColorTable(colors, settings.colorTable);

    settings.scrollByCopy = settingSaysSim(lookup("VIDEO", "LENTO", "N"));

    std::int32_t background = 0, foreground = 7;
    std::string value = lookup("VIDEO", "CORFUNDO", "0");
    if (!value.empty()) parseWholeInteger(value, background);
    value = lookup("VIDEO", "CORLETRA", "15");
    if (!value.empty()) parseWholeInteger(value, foreground);
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
        parseWholeInteger(value, size);
        settings.fontWidth = size;
    } else {
        settings.fontWidth = static_cast<int>(workAreaWidth / 1024.0 * 13);
    }
    value = lookup("VIDEO", "ALTURALETRA", "");
    if (!value.empty()) {
        size = 0;
        parseWholeInteger(value, size);
        settings.fontHeight = size;
    } else {
        settings.fontHeight = static_cast<int>(workAreaHeight / 734.0 * 28);
    }

    value = lookup("VIDEO", "CANTOTELA", "SIM");
    settings.startMaximized = !value.empty() && !settingSaysSim(value);
    return settings;
}
