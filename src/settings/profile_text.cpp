#include "settings/profile_text.h"

#include "text/cp1252.h"

namespace {

bool isProfileBlank(char c) { return c == ' ' || c == '\t'; }
bool isProfileLineEnd(char c) { return c == '\r' || c == '\n'; }
// Blanks to Wine, not to Windows.
bool isDoubtfulBlank(char c) { return c == '\v' || c == '\f' || c == '\x1a' || c == '\xa0'; }

void trimProfileBlanks(std::string_view text, std::size_t& first, std::size_t& last) {
    while (first < last && isProfileBlank(text[first])) ++first;
    while (last > first && isProfileBlank(text[last - 1])) --last;
}

bool hasDoubtfulEnd(std::string_view text, std::size_t first, std::size_t last) {
    return first < last && (isDoubtfulBlank(text[first]) || isDoubtfulBlank(text[last - 1]));
}

bool startsWithUtf8Mark(std::string_view text) { return text.substr(0, 3) == "\xef\xbb\xbf"; }

void classifyProfileLine(std::string_view text, ProfileLine& line) {
    std::size_t first = line.start, last = line.contentEnd;
    trimProfileBlanks(text, first, last);
    line.doubtful = hasDoubtfulEnd(text, first, last);
    if (first == last) {
        line.kind = ProfileLineKind::blank;
        return;
    }
    if (text[first] == ';') {
        line.kind = ProfileLineKind::comment;
        line.doubtful = false;
        return;
    }
    if (text[first] == '[') {
        line.kind = ProfileLineKind::heading;
        std::size_t close = text.substr(0, last).find(']', first);
        std::size_t lastClose = text.substr(0, last).rfind(']');
        line.nameStart = first + 1;
        line.nameEnd = close == std::string_view::npos ? last : close;
        std::size_t trimmedStart = line.nameStart, trimmedEnd = line.nameEnd;
        trimProfileBlanks(text, trimmedStart, trimmedEnd);
        line.doubtful = line.doubtful || close == std::string_view::npos || close != lastClose ||
                        trimmedStart != line.nameStart || trimmedEnd != line.nameEnd ||
                        hasDoubtfulEnd(text, line.nameStart, line.nameEnd);
        line.nameStart = trimmedStart;
        line.nameEnd = trimmedEnd;
        return;
    }
    line.kind = ProfileLineKind::key;
    std::size_t equals = text.substr(0, last).find('=', first);
    line.hasEquals = equals != std::string_view::npos;
    line.nameStart = first;
    line.nameEnd = line.hasEquals ? equals : last;
    trimProfileBlanks(text, line.nameStart, line.nameEnd);
    if (line.hasEquals) {
        line.valueStart = equals + 1;
        line.valueEnd = last;
        trimProfileBlanks(text, line.valueStart, line.valueEnd);
    }
    line.doubtful = line.doubtful || hasDoubtfulEnd(text, line.nameStart, line.nameEnd) ||
                    hasDoubtfulEnd(text, line.valueStart, line.valueEnd);
}

bool sameProfileName(std::string_view text, std::size_t first, std::size_t last, std::string_view name) {
    return cp1252::upper(text.substr(first, last - first)) == cp1252::upper(name);
}

std::string profileValueOf(std::string_view text, const ProfileLine& line) {
    std::string_view value = text.substr(line.valueStart, line.valueEnd - line.valueStart);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

}  // namespace

std::vector<ProfileLine> profileLines(std::string_view text) {
    std::vector<ProfileLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        ProfileLine line;
        line.start = start;
        line.contentEnd = start;
        while (line.contentEnd < text.size() && !isProfileLineEnd(text[line.contentEnd])) ++line.contentEnd;
        line.end = line.contentEnd;
        while (line.end < text.size() && isProfileLineEnd(text[line.end])) ++line.end;
        classifyProfileLine(text, line);
        lines.push_back(line);
        start = line.end;
    }
    // Behind a byte-order mark Windows sees a key line where Wine sees a heading.
    if (!lines.empty() && startsWithUtf8Mark(text)) {
        ProfileLine behind = lines[0];
        behind.start += 3;
        classifyProfileLine(text, behind);
        lines[0].doubtful = lines[0].doubtful || behind.kind == ProfileLineKind::heading;
    }
    return lines;
}

std::size_t sectionHeading(std::string_view text, const std::vector<ProfileLine>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == ProfileLineKind::heading && sameProfileName(text, lines[i].nameStart, lines[i].nameEnd, section))
            return i;
    return lines.size();
}

std::size_t keyLine(std::string_view text, const std::vector<ProfileLine>& lines, std::size_t heading,
                    std::string_view key) {
    std::size_t i = heading + 1;
    for (; i < lines.size() && lines[i].kind != ProfileLineKind::heading; ++i)
        if (lines[i].kind == ProfileLineKind::key && sameProfileName(text, lines[i].nameStart, lines[i].nameEnd, key)) return i;
    return i;
}

std::optional<std::string> settingValueIn(std::string_view text, std::string_view section, std::string_view key) {
    const std::vector<ProfileLine> lines = profileLines(text);
    const std::size_t heading = sectionHeading(text, lines, section);
    if (heading == lines.size()) return std::nullopt;
    const std::size_t found = keyLine(text, lines, heading, key);
    if (found == lines.size() || lines[found].kind != ProfileLineKind::key || !lines[found].hasEquals) return std::nullopt;
    return profileValueOf(text, lines[found]);
}

ProfileReadings profileReadings(std::string_view text) {
    ProfileReadings readings;
    std::map<std::string, bool> sectionsSeen;
    bool searched = false;  // the lines belong to the first section of their name
    std::string section;
    for (const ProfileLine& line : profileLines(text)) {
        if (line.kind == ProfileLineKind::heading) {
            section = cp1252::upper(text.substr(line.nameStart, line.nameEnd - line.nameStart));
            searched = sectionsSeen.emplace(section, true).second;
        } else if (line.kind == ProfileLineKind::key && searched) {
            std::string key = cp1252::upper(text.substr(line.nameStart, line.nameEnd - line.nameStart));
            std::optional<std::string> value;
            if (line.hasEquals) value = profileValueOf(text, line);
            readings.emplace(std::make_pair(section, key), value);
        }
    }
    return readings;
}
