#include "settings/settings_writer.h"

#include "text/cp1252.h"

namespace {

// The first line end of a run: CR LF, CR or LF.
std::size_t firstLineEndSize(const std::string& text, std::size_t at) {
    if (at >= text.size()) return 0;
    return text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
}

std::string usualLineEnd(const std::string& text) {
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            ++crlf;
            ++i;
        } else if (text[i] == '\n') {
            ++lf;
        } else if (text[i] == '\r') {
            ++cr;
        }
    }
    if (lf > crlf && lf >= cr) return "\n";
    if (cr > crlf && cr > lf) return "\r";
    return "\r\n";
}

// Line ends at the end of the text, counted as an editor counts them.
std::size_t lineEndsAtTheEnd(const std::string& text) {
    std::size_t count = 0, i = text.size();
    while (i > 0 && (text[i - 1] == '\r' || text[i - 1] == '\n')) {
        i -= i >= 2 && text.compare(i - 2, 2, "\r\n") == 0 ? 2 : 1;
        ++count;
    }
    return count;
}

std::size_t editorLineNumber(const std::string& text, std::size_t at) {
    std::size_t number = 1;
    for (std::size_t i = 0; i < at; ++i) {
        if (text.compare(i, 2, "\r\n") == 0) ++i;
        if (text[i] == '\r' || text[i] == '\n') ++number;
    }
    return number;
}

bool hasControlCharacter(const std::string& field) {
    for (unsigned char c : field)
        if (c < 32) return true;
    return false;
}

void applySettingChange(std::string& text, const SettingChange& change) {
    const std::vector<ProfileLine> lines = profileLines(text);
    const std::size_t heading = sectionHeading(text, lines, change.section);
    const std::string keyLineText = change.key + "=" + change.value;
    if (heading == lines.size()) {
        const std::string lineEnd = usualLineEnd(text);
        if (!text.empty()) {
            if (lineEndsAtTheEnd(text) == 0) text += lineEnd;
            if (lineEndsAtTheEnd(text) < 2) text += lineEnd;
        }
        text += "[" + change.section + "]" + lineEnd + keyLineText + lineEnd;
        return;
    }
    const std::size_t found = keyLine(text, lines, heading, change.key);
    if (found < lines.size() && lines[found].kind == ProfileLineKind::key) {
        const ProfileLine& line = lines[found];
        if (line.hasEquals)
            text.replace(line.valueStart, line.valueEnd - line.valueStart, change.value);
        else
            text.insert(line.nameEnd, "=" + change.value);
        return;
    }
    std::size_t last = heading;
    for (std::size_t i = heading + 1; i < found; ++i)
        if (lines[i].kind == ProfileLineKind::key) last = i;
    const ProfileLine& after = lines[last];
    const std::size_t lineEndLength = firstLineEndSize(text, after.contentEnd);
    if (lineEndLength == 0) {  // the file's last line: it gets a line end, the new one none
        text += usualLineEnd(text) + keyLineText;
    } else {
        text.insert(after.contentEnd + lineEndLength, keyLineText + text.substr(after.contentEnd, lineEndLength));
    }
}

ProfileReadings::key_type readingKeyOf(const SettingChange& change) {
    return {cp1252::upper(change.section), cp1252::upper(change.key)};
}

}  // namespace

ChangedText withSettingsChanged(const std::string& text, const std::vector<SettingChange>& changes) {
    if (text.find('\0') != std::string::npos) return {"", TextProblem::notText, 0};
    for (const ProfileLine& line : profileLines(text))
        if (line.doubtful) return {"", TextProblem::doubtfulLine, editorLineNumber(text, line.start)};
    std::string changed = text;
    for (const SettingChange& change : changes) {
        if (change.section.empty() || change.key.empty() || hasControlCharacter(change.section) ||
            hasControlCharacter(change.key) || hasControlCharacter(change.value))
            return {"", TextProblem::notWritable, 0};
        applySettingChange(changed, change);
    }
    if (!readsAsChanged(text, changed, changes)) return {"", TextProblem::notWritable, 0};
    for (const ProfileLine& line : profileLines(changed))
        if (line.doubtful) return {"", TextProblem::notWritable, 0};
    return {changed, TextProblem::none, 0};
}

bool readsAsChanged(const std::string& before, const std::string& after, const std::vector<SettingChange>& changes) {
    ProfileReadings expected = profileReadings(before);
    for (const SettingChange& change : changes) expected[readingKeyOf(change)] = change.value;
    return profileReadings(after) == expected;
}

std::optional<std::string> encodeSettingChanges(const std::vector<SettingChange>& changes) {
    std::string text;
    for (const SettingChange& change : changes) {
        const std::string fields = change.section + change.key + change.value;
        if (change.section.empty() || change.key.empty() || hasControlCharacter(fields) ||
            fields.find_first_of("[\"") != std::string::npos || change.section.find(']') != std::string::npos ||
            change.key.find_first_of("]=") != std::string::npos)
            return std::nullopt;
        text += "[" + change.section + "]" + change.key + "=" + change.value;
    }
    return text;
}

std::optional<std::vector<SettingChange>> decodeSettingChanges(const std::string& text) {
    std::vector<SettingChange> changes;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] != '[') return std::nullopt;
        const std::size_t close = text.find(']', at);
        const std::size_t equals = close == std::string::npos ? close : text.find('=', close);
        if (equals == std::string::npos) return std::nullopt;
        const std::size_t next = std::min(text.find('[', equals), text.size());
        SettingChange change{text.substr(at + 1, close - at - 1), text.substr(close + 1, equals - close - 1),
                             text.substr(equals + 1, next - equals - 1)};
        if (!encodeSettingChanges({change})) return std::nullopt;
        changes.push_back(change);
        at = next;
    }
    return changes;
}
