#include "tts/tavin_settings.h"

#include "settings/settings_file.h"
#include "text/cp1252.h"

const char* const mbrolaDatabasesKey = "SOFTWARE\\TCTS\\Mbrola\\databases\\";

bool readRegistryString(platform::RegistryRoot root, const std::string& path, std::string& text) {
    std::size_t split = path.rfind('\\');
    if (split == std::string::npos) return false;
    return platform::registryString(root, path.substr(0, split), path.substr(split + 1), text);
}

namespace {

// The path up to its last backslash, "" when it has none.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The folder the configured database's registry path names.  MBROLA's voices
// come in a folder of their own named after them (br1\br1), and the engine's
// data files are installed beside that folder, not in it.
std::string configuredVoiceFolder(const std::string& databaseName) {
    std::string databasePath;
    if (!readRegistryString(platform::RegistryRoot::localMachine,
                            std::string(mbrolaDatabasesKey) + databaseName + "\\", databasePath))
        return "";
    const std::string folder = folderOf(databasePath);
    if (folder.size() < 2) return folder;
    const std::string parent = folderOf(folder.substr(0, folder.size() - 1));
    const std::string folderName = folder.substr(parent.size(), folder.size() - 1 - parent.size());
    return !parent.empty() && cp1252::upper(folderName) == cp1252::upper(databaseName) ? parent : folder;
}

// The directory of the data files when DIR is empty: beside the configured
// voice; for br4, and where the configured voice has no registry path, the
// BR4 path less its last 3 characters (the database file's name), which the
// suite's other programs record; else "\kelmar\tavintts\".
std::string dataDirectory(const std::string& configured, const std::string& databaseName) {
    std::string directory = configured;
    if (directory.empty() && cp1252::upper(databaseName) != "BR4") directory = configuredVoiceFolder(databaseName);
    if (directory.empty()) {
        std::string databasePath;
        if (readRegistryString(platform::RegistryRoot::localMachine,
                               std::string(mbrolaDatabasesKey) + "BR4\\", databasePath))
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
    const std::string stem = dataDirectory(directory, settings.databaseName) + (base.empty() ? "portug" : base);
    settings.rulesFile = stem + ".nrl";
    settings.exceptionsFile = stem + ".exc";
    settings.abbreviationsFile = stem + ".abr";
    settings.prosodyFile = stem + ".pro";
    settings.diphoneListFile = stem + ".dfn";
    return settings;
}

TavinSettings readTavinSettings(const std::string& startDirectory) {
    auto read = [&](const char* key) { return readSetting("TAVINTTS", key, startDirectory); };
    return tavinSettingsFrom(read("MBROLA_DB"), read("DIR"), read("BASE"));
}
