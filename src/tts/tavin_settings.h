// Where the text-to-speech engine finds MBROLA's voice database and its own
// data files: section TAVINTTS of the settings file and the registry entries
// of MBROLA's databases.
#pragma once
#include <string>

#include "platform/platform.h"

struct TavinSettings {
    std::string databaseName;  // MBROLA_DB
    std::string rulesFile;     // directory + base + ".nrl"
    std::string exceptionsFile;     // ".exc"
    std::string abbreviationsFile;  // ".abr"
    std::string prosodyFile;        // ".pro"
    std::string diphoneListFile;    // ".dfn"
};

// The key under which MBROLA's databases record their paths.
extern const char* const mbrolaDatabasesKey;  // "SOFTWARE\TCTS\Mbrola\databases\"

// path is split at its last backslash into a key and a value name ("" names
// the key's default value).  False for a path without a backslash, a missing
// key or value, or a value that is not a string.
bool readRegistryString(platform::RegistryRoot root, const std::string& path, std::string& text);

// The values of MBROLA_DB, DIR and BASE as read (each may be empty) made into
// the database name and the five paths.  An empty directory is the one beside
// the configured database's registry path (above the voice's own folder when
// it is named after the voice), else the one of the BR4 database's, or
// "\kelmar\tavintts\" without either.
TavinSettings tavinSettingsFrom(const std::string& databaseName, const std::string& directory,
                                const std::string& base);

// Reads the three values from the settings file found from startDirectory.
TavinSettings readTavinSettings(const std::string& startDirectory);
