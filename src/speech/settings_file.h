// Where ORAVIX.INI is found and how the "@" program-directory marker in its
// values is expanded.  readSetting (speech.h) is built from these.
#pragma once
#include <string>

// "ORAVIX.INI" (resolved in the Windows directory by the profile functions)
// when the file exists there, otherwise startDirectory + "\ORAVIX.INI".
std::string settingsFilePath();

// DIRLETRAS of section TRADUTOR, always from the file in the Windows
// directory and without the marker expansion; default
// "c:\kelmar\som\letras\".  Ends in a backslash unless it is empty.
std::string lettersDirectoryFromSettings();

// Expands the marker in value: a leading "@" and every "@\" become the program
// directory (programDirectory, or startDirectory when that is empty or itself
// begins with "@").  An "@" that arrived inside an inserted directory is
// never taken for a marker, so the expansion always ends.
std::string expandProgramMarker(const std::string& value, const std::string& programDirectory,
                                const std::string& startDirectory);
