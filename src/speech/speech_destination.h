// Where speech goes: the program's own voice, or the user's screen reader.
// Handed to the speech front end after its module start by whoever knows the
// settings and the system (voltanor.exe hands speech/readers' choice; a host
// that hands nothing keeps its own voice).
#pragma once
#include <string>

// Each member does nothing until a destination is handed, so the own voice
// speaks: say answers false.
struct SpeechDestination {
    // Hands a text (code page 1252) to the screen reader; with interrupt what it
    // says now is cut first, else the text is queued behind it.  False when it
    // could not take the text: the program's own voice then says it.
    bool (*say)(const std::string& text, bool interrupt) = [](const std::string&, bool) { return false; };
    void (*stop)() = [] {};  // silences what was handed to it
    bool screenReader = false;  // a screen reader takes the texts
};
