// The voice dispatcher: forwards start, close, speak, busy test and stop to the
// system voice selected by VoiceType (3 the built-in text-to-speech engine,
// 5 SAPI 5, 54 SAPI 5.4, any other value SAPI 4).
#pragma once
#include <string>

extern int VoiceType;

void voiceModuleStart();  // VoiceType = 4
bool startVoice(int voice, int rate, int pitch, const std::string& extra, int voiceType);
void closeVoice();
bool speakVoice(const std::string& text);  // false when the voice reports a failure
bool voiceBusy(bool onlyUnprocessed);
void stopVoice();
