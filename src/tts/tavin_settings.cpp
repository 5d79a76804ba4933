#include "tts/tavin_settings.h"

#include "speech/speech.h"

const char* const mbrolaDatabasesKey = "SOFTWARE\\TCTS\\Mbrola\\databases\\";

bool readRegistryString(platform::RegistryRoot root, const std::string& path, std::string& text) {
    std::size_t split = path.rfind('\\');
    if (split == std::string::npos) return false;
    return platform::registryString(root, path.substr(0, split), path.substr(split + 1), text);
}

namespace {

std::string dataDirectory(const std::string& configured) {
    std::string directory = configured;
    if (directory.empty()) {
        std::string databasePath;
        if (readRegistryString(platform::RegistryRoot::localMachine,
                               std::string(mbrolaDatabasesKey) + "BR4\\", databasePath))
            // The database file is named after the database: what is left is its folder.
            directory = databasePath.substr(0, databasePath.size() < 3 ? 0 : databasePath.size() - 3);
        else
            directory = "\\kelmar\\tavintts\\";
    }
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

}  // namespace

TavinSettings tavinSettingsFrom(const std::string& databaseName, const std::string& directory,
                                const std::string& base) {
    TavinSettings settings;
    settings.databaseName = databaseName.empty() ? "br4" : databaseName;
    const std::string stem = dataDirectory(directory) + (base.empty() ? "portug" : base);
    settings.rulesFile = stem + ".nrl";
    settings.exceptionsFile = stem + ".exc";
    settings.abbreviationsFile = stem + ".abr";
    settings.prosodyFile = stem + ".pro";
    settings.diphoneListFile = stem + ".dfn";
    return settings;
}

TavinSettings readTavinSettings() {
    return tavinSettingsFrom(readSetting("TAVINTTS", "MBROLA_DB"), readSetting("TAVINTTS", "DIR"),
                             readSetting("TAVINTTS", "BASE"));
}
