// Changing values in the text of a settings file while keeping every other
// byte: other sections, comments, blank lines, the order and spelling of
// keys, odd spacing and each line's own line end.  Pure text in, text out;
// the file itself is read and replaced by the caller.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct SettingChange {
    std::string section;
    std::string key;
    std::string value;
};

// The text with each change applied.  Sections and keys are found as the
// profile functions find them: names compared without case and without the
// blanks around them, the first section of a name, the first key in it; a
// line whose first non-blank character is ";" is a comment.  A key found
// keeps its line, its spelling and the blanks around its value, only the
// value changes (a value already equal is left alone).  A missing key is
// added after the last key of its section (after its heading when it has
// none), with that line's line end; a missing section at the end, after a
// blank line.  Where a line end must be made up, it is the one the file uses
// most (CR LF for a file without one).  Nothing for a text that is not a settings text (settingsTextProblem).
std::optional<std::string> withSettingsChanged(const std::string& text, const std::vector<SettingChange>& changes);

// Why a file's bytes cannot be changed as a settings text: a zero byte
// (a binary file, or one in UTF-16) gives "not text"; "" when it can.
std::string settingsTextProblem(const std::string& text);

// The value of key in section as the profile functions give it (blanks
// around it removed); nothing when the key is missing.
std::optional<std::string> settingValueIn(const std::string& text, const std::string& section,
                                          const std::string& key);

// Changes written one a line ("SECTION<TAB>KEY<TAB>VALUE" and CR LF) and read
// back, for handing them to another process.  A line that is not three
// fields, or a field holding a control character, makes the whole list
// unreadable (nothing).
std::string encodeSettingChanges(const std::vector<SettingChange>& changes);
std::optional<std::vector<SettingChange>> decodeSettingChanges(const std::string& text);
