// The voice dispatcher: forwards start, close, speak, busy test and stop to the
// system voice selected by VoiceType (3 the built-in text-to-speech engine,
// 5 SAPI 5, 54 SAPI 5.4, any other value SAPI 4).
#pragma once
#include <string>

extern int VoiceType;

void voiceModuleStart();  // VoiceType = 4
bool startVoice(int voice, int rate, int pitch, const std::string& extra, int voiceType);
void closeVoice();
void speakVoice(const std::string& text);
bool voiceBusy(bool onlyUnprocessed);
void stopVoice();
