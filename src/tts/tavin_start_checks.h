// What a started engine is asked before it may speak: data files that load
// can still hold nothing usable (an empty or garbled rules file, absurd
// prosody values).  The checks are cheap and never touch MBROLA, whose
// synthesis keeps state from one utterance to the next: a test utterance
// would change the first speech.  What only MBROLA can tell (a database cut
// short, a library that gives no samples) shows in the first text spoken,
// which then falls back to the default voice.
#pragma once
#include <string>
#include <vector>

#include "tts/prosody.h"

namespace tts {

// Limits of the prosody file's values: base pitch in Hz, durations in ms,
// pitch table entries in percent of the base pitch.
inline constexpr int lowestBasePitch = 40, highestBasePitch = 500;
inline constexpr int longestPhoneme = 2000;
inline constexpr int highestPitchPercent = 400;

bool prosodyValuesSane(const ProsodyTables& tables);

// A word every rules file must be able to say.
inline constexpr const char* textTestWord = "bateria";
// True when the lines hold a sounding phoneme: one that is not silence ("_")
// and lasts at least a millisecond.
bool linesSayAnything(const std::vector<std::string>& mbrolaLines);

// The prosody values of the loaded file and the test word through the text
// stages; for a started engine (tavinStart returned true).
bool engineCanSpeak();

}  // namespace tts
