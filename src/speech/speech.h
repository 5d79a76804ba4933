// The speech front end: speech start and finish, and the
// speak-text dispatcher that sends numbers, words, punctuation and other
// characters of a text to their producers.
#pragma once
#include <string>
#include <string_view>

#include "numbers/number_words.h"  // the words the number player says
#include "settings/sections.h"

// ---- settings ------------------------------------------------------------

// Reads the speed's [SINTETIZADOR] keys and hands the values to their users.
void loadSpeechSettings(int speed);

// Module start: COM for the thread, startDirectory, voice type 4, repeat tone.
void speechModuleStart();
void startSpeech(int speed, const std::string& soundsDirectory);
void finishSpeech();

const std::string& startDirectory();
const std::string& lettersDirectory();

// ---- speaking --------------------------------------------------------------

void writeAndSpeak(const std::string& text);
void speak(const std::string& text);

// ---- stopping and waiting (stop.cpp) -----------------------------------------

// The one place that decides that the user wants the speech to stop: a key
// is pending.  Every loop that speaks or waits asks it; wave output is handed
// it as its stop question at module start.
bool stopWanted();
// Something still sounds; a wanted stop stops everything first and says no.
bool isSpeaking();
// Stops the device and the system voice and wakes a waiting loop.
void stopSpeech();
void waitWhileSpeaking();
void waitForVoice();  // once, after the system voice was handed a text
// Plays a WaveBuffer and returns once it has been played or stopped: the
// player the synthesizer and the number words hand their buffers to.
void playBufferAndWait(unsigned char* waveBuffer);

// ---- recorded sounds and pauses ----------------------------------------------

void spell(const std::string& text);
void playLetter(unsigned char character);
void playNamedSound(const std::string& name);
void pauseFor(int milliseconds);  // 50 ms steps, at most 10 s, ended by a pending key
void punctuationPause(std::string_view rest);  // sound and pause of rest's first character
void playRepeatTone();

// ---- number words ----------------------------------------------------------

void playNumberWords(const std::string& words);
