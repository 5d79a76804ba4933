#include "menu/manual_reader.h"

#include <algorithm>

#include "menu/text_mode_keys.h"

namespace manual {

namespace {

bool blank(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string trimmed(const std::string& line) {
    std::size_t first = line.find_first_not_of(" \t"), last = line.find_last_not_of(" \t");
    return first == std::string::npos ? "" : line.substr(first, last - first + 1);
}

// Lines split at CR LF, LF or a lone CR.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// "12. Title": a number, a full stop and a blank, then the title.
bool numberedLine(const std::string& line) {
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    return digits > 0 && digits + 2 < line.size() && line[digits] == '.' && line[digits + 1] == ' ';
}

std::size_t sectionIndexOf(const Manual& manual, std::size_t at) {
    return static_cast<std::size_t>(manual.paragraphs[at].section);
}

std::string sectionTitle(const Manual& manual, int section) {
    return "Seção " + manual.paragraphs[manual.sectionStarts[section - 1]].text;
}

// A paragraph as said after a move: a paragraph of another section is said
// after that section's number and title (its heading says them itself).
std::string sayAt(const Manual& manual, std::size_t at, bool sectionChanged) {
    const Paragraph& p = manual.paragraphs[at];
    if (p.heading) return sectionTitle(manual, p.section);
    if (sectionChanged && p.section > 0) return sectionTitle(manual, p.section) + " " + p.text;
    return p.text;
}

Reaction movedTo(const Manual& manual, Reader& reader, std::size_t to) {
    bool changed = sectionIndexOf(manual, to) != sectionIndexOf(manual, reader.at);
    reader.at = to;
    return {sayAt(manual, to, changed)};
}

}  // namespace

Manual manualFrom(const std::string& text) {
    Manual manual;
    std::vector<std::string> contents;  // the lines of the contents list
    std::vector<std::string> lines;     // the paragraph being gathered
    int section = 0;
    auto close = [&] {
        if (lines.empty()) return;
        Paragraph p;
        for (const std::string& line : lines) p.text += (p.text.empty() ? "" : " ") + trimmed(line);
        bool listed = std::find(contents.begin(), contents.end(), p.text) != contents.end();
        if (lines.size() == 1 && listed) {
            p.heading = true;
            section = static_cast<int>(manual.sectionStarts.size()) + 1;
            manual.sectionStarts.push_back(manual.paragraphs.size());
        } else if (section == 0 && contents.empty()) {
            // The contents list is the first paragraph of numbered lines.
            std::vector<std::string> numbered;
            for (const std::string& line : lines)
                if (numberedLine(trimmed(line))) numbered.push_back(trimmed(line));
            if (numbered.size() >= 2) contents = numbered;
        }
        p.section = section;
        manual.paragraphs.push_back(p);
        lines.clear();
    };
    for (const std::string& line : linesOf(text)) {
        if (blank(line))
            close();
        else
            lines.push_back(line);
    }
    close();
    return manual;
}

Key keyFrom(unsigned char first, unsigned char second) {
    if (first == textkeys::escape) return Key::escape;
    if (first == textkeys::enter) return Key::enter;
    if (first >= '0' && first <= '9') return Key::digit;
    if (first != 0) return Key::other;
    switch (second) {
    case textkeys::up: return Key::up;
    case textkeys::down: return Key::down;
    case textkeys::pageUp: return Key::pageUp;
    case textkeys::pageDown: return Key::pageDown;
    case textkeys::home: return Key::home;
    case textkeys::end: return Key::end;
    case textkeys::f1: return Key::help;
    default: return Key::other;
    }
}

Reaction react(const Manual& manual, Reader& reader, Key key, unsigned char typed) {
    reader.readingOn = false;
    const int typedBefore = reader.typedSection;
    reader.typedSection = 0;
    if (key == Key::escape) return {"", Outcome::leave};
    if (key == Key::help) return {keysText};
    if (manual.paragraphs.empty()) return {missingText};
    const std::size_t last = manual.paragraphs.size() - 1;
    const std::size_t section = sectionIndexOf(manual, reader.at);
    switch (key) {
    case Key::up:
        if (reader.at == 0) return {"Início do manual."};
        return movedTo(manual, reader, reader.at - 1);
    case Key::down:
        if (reader.at == last) return {"Fim do manual."};
        return movedTo(manual, reader, reader.at + 1);
    case Key::pageUp: {
        // Back to this section's heading, or to the one before from there.
        if (section == 0) return {"Início do manual."};
        std::size_t start = manual.sectionStarts[section - 1];
        if (reader.at != start) return movedTo(manual, reader, start);
        if (section == 1) return {"Primeira seção."};
        return movedTo(manual, reader, manual.sectionStarts[section - 2]);
    }
    case Key::pageDown:
        if (section >= manual.sectionStarts.size()) return {"Última seção."};
        return movedTo(manual, reader, manual.sectionStarts[section]);
    case Key::digit: {
        const int digit = typed - '0', sections = static_cast<int>(manual.sectionStarts.size());
        int number = typedBefore * 10 + digit;
        if (typedBefore == 0 || number > sections) number = digit;
        if (number < 1 || number > sections) return {"Não há seção " + std::to_string(digit) + "."};
        reader.typedSection = number;
        return movedTo(manual, reader, manual.sectionStarts[number - 1]);
    }
    case Key::home: return movedTo(manual, reader, 0);
    case Key::end: return movedTo(manual, reader, last);
    case Key::enter:
        reader.readingOn = true;
        return {sayAt(manual, reader.at, true)};
    default:
        // Any other key only stops the speech.
        return {""};
    }
}

std::string greeting(const Manual& manual) {
    if (manual.paragraphs.empty()) return missingText;
    return std::to_string(manual.sectionStarts.size()) + " seções. " + keysText;
}

std::string continueReading(const Manual& manual, Reader& reader) {
    if (!reader.readingOn || reader.at + 1 >= manual.paragraphs.size()) {
        reader.readingOn = false;
        return "";
    }
    return movedTo(manual, reader, reader.at + 1).say;
}

}  // namespace manual
