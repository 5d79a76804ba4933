// The choices of the SAPI 5 voices that do not depend on COM: which of the
// installed voices speaks, at which rate, and what an empty text becomes.
#pragma once
#include <string>

struct Sapi5Choice {
    long index;  // zero-based position in the voice collection
    int rate;
};

// A voice number outside 1..installed selects the first voice at the default
// rate; installed must be at least 1.
Sapi5Choice chooseSapi5Voice(int voiceNumber, int rate, long installed);

// The voice still signals completion for a blank, never for an empty text.
std::string sapi5SpokenText(const std::string& text);
