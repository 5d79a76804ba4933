// The user manual read aloud, apart from Windows: the manual's text cut into
// paragraphs and numbered sections, where each key moves, and what is said
// there.  The manual is the installed manual.txt (code page 1252, any line
// ends): a paragraph is a run of non-blank lines; a section starts at a
// paragraph of one line that repeats a line of the contents list ("1. O que
// o Voltanor faz"), so a numbered step inside a section never counts as one.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace manual {

struct Paragraph {
    std::string text;     // its lines joined by a blank, as it is said
    int section = 0;      // 0 before the first section (the title, the contents)
    bool heading = false; // the section's own "N. Title" line
};

struct Manual {
    std::vector<Paragraph> paragraphs;
    std::vector<std::size_t> sectionStarts;  // the heading of section i + 1
};

Manual manualFrom(const std::string& text);

enum class Key { up, down, pageUp, pageDown, home, end, enter, escape, help, digit, other };
// A key from the window's queue: its byte, and for an extended key (byte 0)
// the code that follows it.
Key keyFrom(unsigned char first, unsigned char second);

struct Reader {
    std::size_t at = 0;      // the paragraph said last
    bool readingOn = false;  // Enter: every paragraph after this one, until a key
    int typedSection = 0;    // the section number typed so far
};

enum class Outcome { stay, leave };
struct Reaction {
    std::string say;
    Outcome outcome = Outcome::stay;
};
// Up and Down: the paragraph before or after; Page Up and Page Down: the
// section's heading before or after (Page Up goes back to the start of the
// section being read first); Home and End: the first and last paragraphs.
// A paragraph of a section reached by another section's key is said after
// the section's number and title.  Past either end the reader says where it
// is and stays.  A digit goes to the section of that number; a second digit
// right after it goes to the section of both ("1", "2": 12) when there is one.
Reaction react(const Manual& manual, Reader& reader, Key key, unsigned char typed = 0);

// What the reader says when it opens ("8 seções." and the keys), before it
// reads the manual from the top; and the keys alone, for F1.
std::string greeting(const Manual& manual);
constexpr const char* keysText =
    "Setas para cima e para baixo: parágrafo anterior e seguinte. "
    "Page Up e Page Down: seção anterior e seguinte. O número de uma seção vai até ela. "
    "Enter: ler sem parar a partir daqui. Qualquer tecla para a fala. Esc: sair do manual.";
constexpr const char* missingText = "O manual não foi encontrado.";

// The next paragraph of a reading without stops, or "" at the end (which
// ends it).
std::string continueReading(const Manual& manual, Reader& reader);

}  // namespace manual
