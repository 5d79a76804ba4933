// Saving the menu's changes (Win32 edge): the settings file replaced whole
// and safely, the logon entry, and the save a standard user asks Windows to
// allow, done by the program itself started elevated.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "menu/settings_menu.h"

namespace menu {

// The full path of the settings file the program reads (settingsFilePath).
std::string settingsFileFullPath(const std::string& startDirectory);
// Its bytes, "" when it is missing; nothing when it cannot be read.
std::optional<std::string> settingsFileBytes(const std::string& path);

// The changes written into the file at path: its new text goes to a file
// beside it, is flushed, then replaces it, so that the file is always whole,
// old or new.  Nothing when saved (or nothing to change); needsPermission
// when this process may not write there but an elevated one might.
enum class SaveStep { saved, needsPermission, failed };
struct SaveResult {
    SaveStep step = SaveStep::saved;
    SaveProblem problem = SaveProblem::cannotWrite;  // when failed
};
SaveResult saveSettingChanges(const std::string& path, const std::vector<SettingChange>& changes);

// Starts this program elevated ("runas") on a file holding the changes and
// waits for it; Windows asks the user first.
SaveResult saveSettingChangesElevated(const std::vector<SettingChange>& changes, const std::string& startDirectory);
// What the elevated program does with that file: the changes saved into the
// settings file it finds itself.  True when saved.
bool saveChangesFromFile(const std::string& changesFile, const std::string& startDirectory);

// The HKCU Run value "Voltanor" that starts the battery warning at logon.
bool logonEntryPresent();
bool setLogonEntry(bool present);

}  // namespace menu
