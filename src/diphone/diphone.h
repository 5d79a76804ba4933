// The diphone synthesizer: speaks a phoneme string by joining units of an
// indexed diphone database (8-bit, 11025 samples per second) and recorded
// units from the letters directory.
#pragma once
#include <string>

void diphoneModuleStart();  // tuning defaults, database name "DIFONES2"

// Opens the database of the current tuning in diphoneDirectory and the rules
// and exceptions beside it; recorded units come from lettersDirectory.  A
// relative diphone directory is taken from the letters directory when checked.
// 0 success; 1 a directory, the index or the data file cannot be used; 2 the
// rules or exceptions file did not load.
int diphoneStart(const std::string& lettersDirectory, const std::string& diphoneDirectory);
void diphoneClose();  // safe after a failed start

// Database name (cut to 8 characters), cut length, minimum length and token
// pause in samples (at most 10 seconds), for the current speed.
void setDiphoneTuning(const std::string& databaseName, int cutLength, int minimumLength,
                      int tokenPause);
const std::string& diphoneDatabaseName();
const std::string& diphoneLettersDirectory();  // ends in a backslash after start

void speakPhonemes(const std::string& phonemes, bool keepPunctuationUnits);
