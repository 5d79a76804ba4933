// ORAVIX.INI, the suite's settings file: where it is found, how one value is
// read, and the "@" program-directory marker in its values.  Every module's
// settings are read through here (the sections in sections.h).
#pragma once
#include <string>

constexpr const char* settingsFileName = "ORAVIX.INI";

// "ORAVIX.INI" (resolved in the Windows directory by the profile functions)
// when the file exists there, otherwise startDirectory + "\ORAVIX.INI".
std::string settingsFilePath(const std::string& startDirectory);

// Value of key in section ("" means ORAVIX) of the file settingsFilePath finds,
// with the "@" program-directory marker expanded.
std::string readSetting(const std::string& section, const std::string& key,
                        const std::string& startDirectory);

// Value of key in section of the file in the Windows directory, as written
// (no marker expansion): at most bufferSize - 1 characters, defaultValue when
// the key is missing.
std::string readWindowsSetting(const std::string& section, const std::string& key,
                               const std::string& defaultValue, unsigned bufferSize);

// Expands the marker in value: a leading "@" and every "@\" become the program
// directory (programDirectory, or startDirectory when that is empty or itself
// begins with "@").  An "@" that arrived inside an inserted directory is
// never taken for a marker, so the expansion always ends.
std::string expandProgramMarker(const std::string& value, const std::string& programDirectory,
                                const std::string& startDirectory);
