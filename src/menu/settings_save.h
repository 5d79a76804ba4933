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
// beside it (path + ".novo"), is flushed, then replaces it, the old one kept
// under path + keptAsideSuffix until the new one reads back as asked, so that
// the file is always whole, old or new, and never lost.  saved also when
// there was nothing to change; needsPermission when this process may not
// write there but an elevated one might.
enum class SaveStep { saved, needsPermission, failed };
struct SaveResult {
    SaveStep step = SaveStep::saved;
    SaveProblem problem = SaveProblem::cannotWrite;  // when failed
    std::size_t line = 0;                            // of a doubtfulLine
};
SaveResult saveSettingChanges(const std::string& path, const std::vector<SettingChange>& changes);

// The file calls a save goes through, the real ones unless a test under Wine
// put in some that fail.  Each gives 0 or a Windows error code.
struct SaveFileCalls {
    unsigned long (*attributes)(const std::string& path, unsigned long& attributes);
    unsigned long (*readWhole)(const std::string& path, std::string& bytes);  // an error unless every byte came
    unsigned long (*writeNew)(const std::string& path, const std::string& bytes);  // created or emptied, flushed
    unsigned long (*replace)(const std::string& path, const std::string& replacement, const std::string& backup);
    unsigned long (*move)(const std::string& from, const std::string& to, bool overExisting);
    unsigned long (*remove)(const std::string& path);
};
SaveFileCalls& saveFileCalls();
const SaveFileCalls& realSaveFileCalls();

// The settings file an elevated start of the program writes: found by itself,
// in the Windows directory or else beside the program, never in the current
// directory its caller chose.
std::string elevatedSettingsFilePath();
bool elevatedSaveWritesTo(const std::string& path);

// Starts this program elevated ("runas") with the changes on its command line
// ("/configurar" and encodeSettingChanges) and waits for it; Windows asks the
// user first.  Refused when the elevated program would find another file than
// path.
SaveResult saveSettingChangesElevated(const std::vector<SettingChange>& changes, const std::string& path);

// The battery warning at logon for this user (watch/logon_choice.h).
bool logonEntryPresent();
bool setLogonEntry(bool present);

}  // namespace menu
