// Changing values in the text of a settings file while keeping every other
// byte: other sections, comments, blank lines, the order and spelling of
// keys, odd spacing and each line's own line end.  Pure text in, text out;
// the file itself is read and replaced by the caller.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "settings/profile_text.h"

struct SettingChange {
    std::string section;
    std::string key;
    std::string value;
};

enum class TextProblem {
    none,
    notText,       // a zero byte: a binary file, or one in UTF-16
    doubtfulLine,  // a line Windows and Wine may read differently (its number in `line`)
    notWritable,   // a change no line can hold, or one that would not read back as asked
};

struct ChangedText {
    std::string text;  // the whole new text, when problem is none
    TextProblem problem = TextProblem::none;
    std::size_t line = 0;  // from 1, as an editor counts them
};

// The text with each change applied, sections and keys found by the rules of
// profile_text.h.  A key found keeps its line, its spelling and the blanks
// around its value, only the value changes (a line naming the key without
// "=" gets "=" and the value).  A missing key is added after the last key of
// its section (after its heading when it has none), with that line's line
// end; a missing section at the end, after a blank line.  Where a line end
// must be made up, it is the one the file uses most (CR LF for a file without
// one).  The result is checked with readsAsChanged: what it does not pass is
// refused, and so is a text with a doubtful line.
ChangedText withSettingsChanged(const std::string& text, const std::vector<SettingChange>& changes);

// after reads as before with exactly the changes: each changed key gives its
// new value and every other key what it gave before.
bool readsAsChanged(const std::string& before, const std::string& after, const std::vector<SettingChange>& changes);

// Changes as one command-line argument ("[SECTION]KEY=VALUE" one after the
// other) and back, for handing them to an elevated start of the program.
// Nothing for a field the form cannot hold ("[", "]", "=" where they would
// end a field, a quote, a control character) or a list that is not this form.
std::optional<std::string> encodeSettingChanges(const std::vector<SettingChange>& changes);
std::optional<std::vector<SettingChange>> decodeSettingChanges(const std::string& text);
