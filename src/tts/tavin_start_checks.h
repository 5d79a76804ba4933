// What a started engine is asked before it may speak: data files that load
// can still hold nothing usable (an empty or garbled rules file, absurd
// prosody values) and a voice database can open and still be cut short.  Each
// check is cheap: a look at the prosody values and two short utterances that
// are synthesized but not played.
#pragma once
#include "tts/prosody.h"

namespace tts {

// Limits of the prosody file's values: base pitch in Hz, durations in ms,
// pitch table entries in percent of the base pitch.
inline constexpr int lowestBasePitch = 40, highestBasePitch = 500;
inline constexpr int longestPhoneme = 2000;
inline constexpr int highestPitchPercent = 400;

bool prosodyValuesSane(const ProsodyTables& tables);

// The voice's own test: a vowel between silences and two silences in a row.
// Their unit (_-_) is the last one of an MBROLA database, so a database cut
// anywhere short of its end fails to read it.
const std::vector<std::string>& voiceTestLines();
// A word every rules file must be able to say.
inline constexpr const char* textTestWord = "bateria";

// The prosody values of the loaded file, the voice test and the test word
// through the text stages; false at the first that fails.  For a started
// engine (tavinStart returned true).
bool engineCanSpeak();

}  // namespace tts
