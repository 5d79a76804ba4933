// Walks a phoneme string as the diphone synthesizer speaks it: cuts it into
// tokens, splits tokens into pieces, names the units of each piece and falls
// back to shorter units when one is missing.  What a unit sounds like is the
// sink's business, so the same walk drives playback and the coverage count.
#pragma once
#include <string>

class UnitSink {
public:
    virtual ~UnitSink() = default;
    // A "$" unit from the database; false when the index lacks it.
    virtual bool appendDiphone(const std::string& name, int stressState, double factor) = 0;
    // A "_" unit recorded in the letters directory; false when it is missing or unusable.
    virtual bool appendRecording(const std::string& name) = 0;
    virtual void appendSilence(int samples) = 0;
    virtual void appendNoise() = 0;  // stands for a missing unit of at most 2 characters
    // A missing unit with no fallback, left out without a sound.
    virtual void unitOmitted(const std::string&) {}
    virtual void tokenTaken(const std::string&) {}
};

constexpr std::size_t tokenLimit = 40;
constexpr std::size_t pieceLimit = 12;
constexpr std::size_t unitNameLimit = 12;
constexpr int commaPauseSamples = 4000;
constexpr int fullStopPauseSamples = 8000;
constexpr int colonPauseSamples = 8000;
constexpr int semicolonPauseSamples = 6000;

// Everything of speaking but the final flush.  tokenPause is the silence
// between tokens not ended by a space.
void walkPhonemes(const std::string& phonemes, bool keepPunctuationUnits, int tokenPause,
                  UnitSink& sink);
