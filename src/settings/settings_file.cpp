#include "settings/settings_file.h"

#include "platform/directory_path.h"
#include "platform/platform.h"

namespace {

constexpr unsigned valueBufferSize = 255;

}  // namespace

std::string settingsFilePath(const std::string& startDirectory) {
    std::string windows = withTrailingBackslash(platform::windowsDirectory());
    if (platform::fileExists(windows + settingsFileName)) return settingsFileName;
    return startDirectory + "\\" + settingsFileName;
}

std::string readSetting(const std::string& section, const std::string& key,
                        const std::string& startDirectory) {
    std::string file = settingsFilePath(startDirectory);
    std::string sectionName = section.empty() ? "ORAVIX" : section;
    std::string value = platform::profileString(file, sectionName, key, "", valueBufferSize);
    if (value.find('@') == std::string::npos) return value;
    std::string programDirectory = platform::profileString(file, "ORAVIX", "PGMORAVIX", "", valueBufferSize);
    return expandProgramMarker(value, programDirectory, startDirectory);
}

std::string readWindowsSetting(const std::string& section, const std::string& key,
                               const std::string& defaultValue, unsigned bufferSize) {
    return platform::profileString(settingsFileName, section, key, defaultValue, bufferSize);
}
