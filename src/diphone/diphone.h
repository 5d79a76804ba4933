// The diphone synthesizer: speaks a phoneme string by joining units of an
// indexed diphone database (8-bit, 11025 samples per second) and recorded
// units from the letters directory.
#pragma once
#include <string>

// Where the synthesizer's sound goes: a WaveBuffer (44-byte header, then the
// samples) to be played; the call returns once it has been played or stopped.
// The caller's player decides how to wait and when to stop.
using WaveBufferPlayer = void (*)(unsigned char* waveBuffer);

// The two folders as the settings name them.  A relative diphone folder is
// found from the letters folder; a relative letters folder from the current one.
struct DiphoneFolders {
    std::string letters;
    std::string diphones;
};

// The tuning of one speed: database name (cut to 8 characters), cut length,
// minimum length and token pause in samples (at most 10 seconds).
struct DiphoneTuning {
    std::string databaseName = "DIFONES2";
    int cutLength = 400;
    int minimumLength = 0;
    int tokenPause = 100;
};

void diphoneModuleStart();  // the default tuning

// Opens the database of the current tuning in the diphone folder and the rules
// and exceptions beside it; recorded units come from the letters folder; every
// buffer goes to the player.  The current directory is never changed.
// 0 success; 1 a folder, the index or the data file cannot be used; 2 the
// rules or exceptions file did not load.
int diphoneStart(const DiphoneFolders& folders, WaveBufferPlayer player);
void diphoneClose();  // safe after a failed start

void setDiphoneTuning(const DiphoneTuning& tuning);
const std::string& diphoneDatabaseName();
const std::string& diphoneLettersDirectory();  // ends in a backslash after start

void speakPhonemes(const std::string& phonemes, bool keepPunctuationUnits);
