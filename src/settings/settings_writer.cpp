#include "settings/settings_writer.h"

#include <cstddef>

#include "text/cp1252.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// One line of the text: where it starts, where its content ends and where
// its line end ("\n" or "\r\n", none on a last line without one) ends.
struct Line {
    std::size_t start, contentEnd, end;
};

std::vector<Line> linesOf(const std::string& text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t newline = text.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({start, text.size(), text.size()});
            break;
        }
        std::size_t contentEnd = newline > start && text[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back({start, contentEnd, newline + 1});
        start = newline + 1;
    }
    return lines;
}

// [first, last) of text without the blanks at both ends.
void trim(const std::string& text, std::size_t& first, std::size_t& last) {
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
}

bool sameName(const std::string& text, std::size_t first, std::size_t last, const std::string& name) {
    trim(text, first, last);
    return cp1252::upper(std::string_view(text).substr(first, last - first)) == cp1252::upper(name);
}

bool isSectionHeading(const std::string& text, const Line& line) {
    std::size_t first = line.start, last = line.contentEnd;
    trim(text, first, last);
    return first < last && text[first] == '[';
}

bool isSection(const std::string& text, const Line& line, const std::string& name) {
    if (!isSectionHeading(text, line)) return false;
    std::size_t open = text.find('[', line.start) + 1;
    std::size_t close = text.find(']', open);
    if (close == std::string::npos || close > line.contentEnd) close = line.contentEnd;
    return sameName(text, open, close, name);
}

// The "=" of a key line, npos for a comment, a heading or a line without one.
std::size_t equalsSign(const std::string& text, const Line& line) {
    std::size_t first = line.start, last = line.contentEnd;
    trim(text, first, last);
    if (first == last || text[first] == ';' || text[first] == '[') return std::string::npos;
    std::size_t equals = text.find('=', first);
    return equals < last ? equals : std::string::npos;
}

// Where a key is, or where it would go.
struct Place {
    bool sectionFound = false, keyFound = false;
    std::size_t valueStart = 0, valueEnd = 0;  // the value without its blanks, when the key was found
    std::size_t lastLineOfSection = 0;         // index of the heading or of the section's last key
};

Place find(const std::string& text, const std::vector<Line>& lines, const std::string& section,
           const std::string& key) {
    Place place;
    std::size_t i = 0;
    while (i < lines.size() && !isSection(text, lines[i], section)) ++i;
    if (i == lines.size()) return place;
    place.sectionFound = true;
    place.lastLineOfSection = i;
    for (++i; i < lines.size() && !isSectionHeading(text, lines[i]); ++i) {
        std::size_t equals = equalsSign(text, lines[i]);
        if (equals == std::string::npos) continue;
        place.lastLineOfSection = i;
        if (!sameName(text, lines[i].start, equals, key)) continue;
        place.keyFound = true;
        place.valueStart = equals + 1;
        place.valueEnd = lines[i].contentEnd;
        trim(text, place.valueStart, place.valueEnd);
        return place;
    }
    return place;
}

std::string usualLineEnd(const std::string& text) {
    std::size_t crlf = 0, lf = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') ++(i > 0 && text[i - 1] == '\r' ? crlf : lf);
    return lf > crlf ? "\n" : "\r\n";
}

std::string lineEndOf(const std::string& text, const Line& line) {
    return text.substr(line.contentEnd, line.end - line.contentEnd);
}

void apply(std::string& text, const SettingChange& change) {
    const std::vector<Line> lines = linesOf(text);
    const Place place = find(text, lines, change.section, change.key);
    if (place.keyFound) {
        if (text.compare(place.valueStart, place.valueEnd - place.valueStart, change.value) != 0)
            text.replace(place.valueStart, place.valueEnd - place.valueStart, change.value);
        return;
    }
    const std::string keyLine = change.key + "=" + change.value;
    if (place.sectionFound) {
        const Line& after = lines[place.lastLineOfSection];
        std::string lineEnd = lineEndOf(text, after);
        if (lineEnd.empty()) {  // the file's last line: it gets a line end, the new one none
            text.insert(after.end, usualLineEnd(text) + keyLine);
        } else {
            text.insert(after.end, keyLine + lineEnd);
        }
        return;
    }
    const std::string lineEnd = usualLineEnd(text);
    if (!text.empty() && text.back() != '\n') text += lineEnd;
    if (!lines.empty() && lines.back().contentEnd > lines.back().start) text += lineEnd;
    text += "[" + change.section + "]" + lineEnd + keyLine + lineEnd;
}

bool hasControlCharacter(const std::string& field) {
    for (unsigned char c : field)
        if (c < 32) return true;
    return false;
}

}  // namespace

std::string settingsTextProblem(const std::string& text) {
    return text.find('\0') == std::string::npos ? "" : "not text";
}

std::optional<std::string> withSettingsChanged(const std::string& text, const std::vector<SettingChange>& changes) {
    if (!settingsTextProblem(text).empty()) return std::nullopt;
    std::string changed = text;
    for (const SettingChange& change : changes) apply(changed, change);
    return changed;
}

std::optional<std::string> settingValueIn(const std::string& text, const std::string& section,
                                          const std::string& key) {
    const Place place = find(text, linesOf(text), section, key);
    if (!place.keyFound) return std::nullopt;
    return text.substr(place.valueStart, place.valueEnd - place.valueStart);
}

std::string encodeSettingChanges(const std::vector<SettingChange>& changes) {
    std::string text;
    for (const SettingChange& change : changes) text += change.section + "\t" + change.key + "\t" + change.value + "\r\n";
    return text;
}

std::optional<std::vector<SettingChange>> decodeSettingChanges(const std::string& text) {
    std::vector<SettingChange> changes;
    for (const Line& line : linesOf(text)) {
        std::string content = text.substr(line.start, line.contentEnd - line.start);
        std::size_t tab1 = content.find('\t');
        std::size_t tab2 = tab1 == std::string::npos ? tab1 : content.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) return std::nullopt;
        SettingChange change{content.substr(0, tab1), content.substr(tab1 + 1, tab2 - tab1 - 1), content.substr(tab2 + 1)};
        if (change.section.empty() || change.key.empty() || hasControlCharacter(change.section) ||
            hasControlCharacter(change.key) || hasControlCharacter(change.value))
            return std::nullopt;
        changes.push_back(change);
    }
    return changes;
}
