// State shared by the parts of the speech front end (settings, start and
// finish, the speak-text dispatcher).  One instance lives for the whole run.
#pragma once
#include <array>
#include <string>

#include "diphone/diphone.h"
#include "speech/speech_destination.h"

constexpr int repeatToneSamples = 256;

struct SpeechState {
    std::string startDirectory;    // current directory at module start, no trailing backslash
    std::string soundsDirectory;   // named sounds not beginning with "_"; empty or ends in "\"
    std::string lettersDirectory;  // DIRLETRAS; empty or ends in "\"
    std::string databaseName;      // DIFONES of the current speed
    bool systemVoiceActive = false;
    int currentVoiceType = 4;
    bool voicePending = true;
    bool stopRequested = false;
    bool heardSomething = false;  // a sound that can be heard was played, or a system voice took a text
    int fullStopPause = 250;  // milliseconds
    int commaPause = 150;
    int colonPause = 200;
    DiphoneTuning tuning;       // of the current speed, word pause as configured
    int pauseBudget = 10000;    // milliseconds of pauses the text being spoken may still add
    // The repeat tone as a WaveBuffer: 44-byte header, then the samples.
    std::array<unsigned char, 44 + repeatToneSamples> repeatTone{};
    SpeechDestination destination;  // the own voice until one is handed
};

SpeechState& speechState();
