// The engine as voice type 3 of the voice dispatcher: start with the voice's
// speed and tone, speak, busy test (a pending key stops the speech), stop and
// close.  Speak, busy and stop post message 2980 to the console window, which
// wakes a loop waiting for a message.
#pragma once
#include <string>

#include "tts/tavin_settings.h"

constexpr unsigned tavinVoiceMessage = 2980;

// Module start: reads the engine's settings (from the settings file found
// from startDirectory); factors 1.0, no output file.
void tavinVoiceModuleStart(const std::string& startDirectory);
const TavinSettings& tavinVoiceSettings();

// Pitch factor (tone + 11) / 11, duration factor 0.8 - speed / 15; a factor
// out of its bounds is the one of tone 0 (1.0) or speed 0 (0.8).
bool tavinVoiceStart(int voice, int speed, int tone, const std::string& outputFile);
// False when MBROLA reported an error or a text with a letter or digit gave
// no sample that can be heard.
bool tavinVoiceSpeak(const std::string& text);
bool tavinVoiceBusy();
void tavinVoiceStop();
// Waits until the speech has been heard, then stops and closes the engine.
void tavinVoiceClose();
