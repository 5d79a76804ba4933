// The lines of a settings file read as Windows' profile functions
// (GetPrivateProfileStringA) read them, so that the menu shows, and the
// writer changes, what the program will use.  The rules, each for its reason:
//
// - A line ends at CR or LF; a run of them (CR LF, LF LF, CR CR LF...) is one
//   line end: the functions split on either byte and skip empty lines.
// - Blanks are space and tab; they are taken off both ends of a line, of a
//   key's name and of its value.  Wine also takes ^K ^L ^Z and the no-break
//   space (0xA0) for blanks, which Windows need not: a heading or key line
//   with one of those at an end is doubtful.
// - A UTF-8 byte-order mark is three bytes of the first line, not a mark:
//   Windows reads the file in the ANSI code page and finds no heading behind
//   the mark (Wine skips it).  A heading right behind it is doubtful.
// - A line whose first non-blank is "[" is a section heading; its name runs
//   to the "]".  Without "]", with two of them, or with blanks inside the
//   brackets, Wine and Windows may take another name: doubtful.
// - A line whose first non-blank is ";" is a comment: no key of ours starts
//   with ";", so it never names one.
// - Any other line names a key: the text before its first "=" (the whole line
//   without one), its value the text after.  A line without "=" still names
//   its key and gives the default, as Wine does; the writer gives it the "="
//   and the value, which every reader then finds first.
// - Sections and keys are named without regard to case: code page 1252's
//   letters, as Windows compares names converted to Unicode (Wine folds only
//   A to Z; every name the program uses is ASCII).
// - The first section of a name is the only one searched, and the first line
//   naming a key in it wins; lines before the first heading are in none.
// - A value between a pair of the same quotes (" or ') is read without them,
//   as the functions document.
// Doubtful lines are read as above; the writer refuses a file that has one.
#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class ProfileLineKind { blank, heading, key, comment };

struct ProfileLine {
    std::size_t start = 0, contentEnd = 0, end = 0;  // its text [start, contentEnd), its line end to end
    ProfileLineKind kind = ProfileLineKind::blank;
    std::size_t nameStart = 0, nameEnd = 0;  // a heading's section or a key line's key, without blanks
    bool hasEquals = false;
    std::size_t valueStart = 0, valueEnd = 0;  // after "=", without blanks, quotes kept
    bool doubtful = false;  // Windows and Wine may read this line differently
};

std::vector<ProfileLine> profileLines(std::string_view text);

// The value GetPrivateProfileStringA gives for key in section: nothing when it
// would give its default (no such key, or its line holds no "=").
std::optional<std::string> settingValueIn(std::string_view text, std::string_view section, std::string_view key);

// Everything the functions can find in the text: (SECTION, KEY) in capitals
// to the value, as settingValueIn gives it.
using ProfileReadings = std::map<std::pair<std::string, std::string>, std::optional<std::string>>;
ProfileReadings profileReadings(std::string_view text);

// Index of the first heading of section, or lines.size().
std::size_t sectionHeading(std::string_view text, const std::vector<ProfileLine>& lines, std::string_view section);
// Index of the first line naming key in the section whose heading is at
// heading, or the index of the section's end (the next heading, or lines.size()).
std::size_t keyLine(std::string_view text, const std::vector<ProfileLine>& lines, std::size_t heading,
                    std::string_view key);
