// The speech front end: speech start and finish, and the
// speak-text dispatcher that sends numbers, words, punctuation and other
// characters of a text to their producers.
#pragma once
#include <string>
#include <string_view>

#include "diphone/diphone.h"       // DiphoneFolders
#include "numbers/number_words.h"  // the words the number player says
#include "settings/sections.h"
#include "speech/speech_destination.h"

// ---- settings ------------------------------------------------------------

// Reads the speed's [SINTETIZADOR] keys and hands the values to their users.
void loadSpeechSettings(int speed);
// Hands one speed's values to their users (the synthesizer, wave output, the pauses).
void applySpeechSettings(const SpeechSettings& settings);

// Module start: COM for the thread, startDirectory, voice type 4, repeat tone.
void speechModuleStart();
void startSpeech(int speed, const std::string& soundsDirectory);
// When the default voice cannot start, startSpeech shows why ("Erro de
// inicialização: N" and the database) in the revealed window, then waits for
// Enter and ends the program; a mode that must not wait for a key (the
// watcher, /parar) hands its own ending, given those lines, which never returns.
using StartFailureEnding = void (*)(const std::string& lines);
void setStartFailureEnding(StartFailureEnding ending);
// The default voice alone, from the given folders and speed, without the
// settings file or a system voice (a host that brings its own voice data, such
// as the installer); the diphone start's code, 0 when it can speak.
int startDefaultVoice(const DiphoneFolders& folders, const SpeechSettings& settings);
void finishSpeech();
// Stops what is said and speaks on with another voice: a system voice of
// that type and number (rate and tone as the settings give them), or the
// default voice.  A system voice that cannot start leaves the default one.
void changeVoice(bool systemVoice, int type, int voice);
// Stops what is said; the default voice speaks on at another speed (1..5),
// with that speed's database and tuning.
void changeDefaultVoiceSpeed(int speed);

const std::string& startDirectory();
const std::string& lettersDirectory();

// ---- speaking --------------------------------------------------------------

// Texts go where the handed destination says; the own voice speaks what it
// does not take.  Set after speechModuleStart, which resets it to the own voice.
void setSpeechDestination(const SpeechDestination& destination);
// The texts go to a screen reader (which also reads the window by itself).
bool screenReaderSpeaks();
void writeAndSpeak(const std::string& text);
// interrupt: a screen reader cuts what it says first (a critical warning);
// the own voice always speaks after what it said before.
void speak(const std::string& text, bool interrupt = false);

// ---- stopping and waiting (stop.cpp) -----------------------------------------

// The one place that decides that the user wants the speech to stop: a key
// is pending.  Every loop that speaks or waits asks it; wave output is handed
// it as its stop question at module start.
bool stopWanted();
// Something still sounds; a wanted stop stops everything first and says no.
bool isSpeaking();
// Stops the device and the system voice and wakes a waiting loop.
void stopSpeech();
// The same for the own voice alone: what a screen reader was handed is said
// to its end (the program's end does not cut it).
void stopOwnVoice();
void waitWhileSpeaking();
void waitForVoice();  // once, after the system voice was handed a text
// Plays a WaveBuffer and returns once it has been played or stopped.
void playBufferAndWait(unsigned char* waveBuffer);
// Queues a WaveBuffer behind what still plays and returns once it is queued:
// the player the synthesizer and the number words hand their buffers to, so
// that the next piece is made while this one sounds and an utterance plays
// without gaps.  The samples are copied on the way: the buffer may be refilled
// at once.  A pause, a recorded sound and the end of speech wait for it.
void playBufferQueued(unsigned char* waveBuffer);

// ---- what was heard (heard.cpp) ---------------------------------------------

// Each sound handed to the device, and each text a system voice took, is
// noted; a sound counts once one of its samples can be heard.
void noteVoiceSpoke();
void noteBufferPlayed(const unsigned char* waveBuffer);
void noteFilePlayed(const std::string& path);
// True when something that can be heard was said, or a key cut the speech short.
bool speechWasHeard();

// ---- recorded sounds and pauses ----------------------------------------------

void spell(const std::string& text);
void playLetter(unsigned char character);
void playNamedSound(const std::string& name);
// The pauses of a text (punctuation and the default voice's word pauses) add
// at most 10 s, or 50 ms per character of a longer text; each speak starts it.
void startPauseBudget(std::size_t textLength);
void pauseFor(int milliseconds);  // 50 ms steps, at most 10 s and the budget, ended by a pending key
// speakPhonemes with word pauses shortened to what the budget leaves.
void speakPhonemesWithinBudget(const std::string& phonemes);
void punctuationPause(std::string_view rest);  // sound and pause of rest's first character
void playRepeatTone();

// ---- number words ----------------------------------------------------------

void playNumberWords(const std::string& words);
