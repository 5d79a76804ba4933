// An optional observer of the diphone synthesizer: it is told of every token,
// unit, silence, noise burst and flush as they happen.  The tests and the
// measuring tools watch the synthesizer through it; the program sets none.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

struct DiphoneEvent {
    enum Kind { Token, Diphone, Recording, Silence, Noise, Omitted, Flush };
    Kind kind = Token;
    std::string name;        // token text or unit name as asked for
    int stressState = 0;     // Diphone
    double factor = 1.0;     // Diphone
    bool found = false;      // Diphone, Recording
    std::uint32_t samples = 0;  // samples appended (Flush: samples played)
    int requested = 0;       // Silence: samples asked for
};

using DiphoneObserver = std::function<void(const DiphoneEvent&)>;
void setDiphoneObserver(DiphoneObserver observer);  // an empty function removes it
