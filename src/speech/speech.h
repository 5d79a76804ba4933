// The speech front end: the settings file, speech start and finish, and the
// speak-text dispatcher that sends numbers, words, punctuation and other
// characters of a text to their producers.
#pragma once
#include <string>
#include <string_view>

// ---- settings ------------------------------------------------------------

// Value of key in section ("" means ORAVIX) of ORAVIX.INI (Windows directory
// first, else the start directory), with the "@" program-directory marker expanded.
std::string readSetting(const std::string& section, const std::string& key);

struct SpeechSettings {
    std::string databaseName;  // DIFONES
    int cutLength = 0;         // CORTEFON
    int minimumLength = 0;     // SOBRAFON
    int tokenPause = 0;        // INTERPAL
    bool trimSpeech = false;   // CORTAFALA
    bool quickPlayback = false;  // RAPIDINHO
    int fullStopPause = 250;   // PAUSAPONTO
    int commaPause = 150;      // PAUSAVIRG
    int colonPause = 200;      // PAUSADOISPONTOS
};
SpeechSettings readSpeechSettings(int speed);
void loadSpeechSettings(int speed);  // reads and hands the values to their users

// Module start: COM for the thread, startDirectory, voice type 4, repeat tone.
void speechModuleStart();
void startSpeech(int speed, const std::string& soundsDirectory);
void finishSpeech();

const std::string& startDirectory();
const std::string& lettersDirectory();

// ---- speaking --------------------------------------------------------------

void writeAndSpeak(const std::string& text);
void speak(const std::string& text);
bool isSpeaking();
void stopSpeech();
void waitForVoice();
void playBufferAndWait(unsigned char* waveBuffer);
void spell(const std::string& text);
void playLetter(unsigned char character);
void playNamedSound(const std::string& name);
std::string upperForm(const std::string& word);
void pauseFor(int milliseconds);  // 50 ms steps, at most 10 s, ended by a pending key
void punctuationPause(std::string_view rest);  // sound and pause of rest's first character
void playRepeatTone();

// ---- number words ----------------------------------------------------------

// The words of 3 and 50, the only ones spelled differently by the recorded
// words (file names without accents) and by the text-to-speech engine.
struct NumberSpelling {
    const char* three;
    const char* fifty;
};
// n of up to 15 digits (higher digits have no words and are dropped).
std::string numberToWords(unsigned long long n);
std::string numberToWords(unsigned long long n, const NumberSpelling& spelling);
std::string tripleWords(char hundreds, char tens, char units);
std::string tripleWords(char hundreds, char tens, char units, const NumberSpelling& spelling);
// The words of a number that counts a feminine noun ("hora"): its last word
// "um" becomes "uma" and "dois" "duas" (vinte e uma, vinte e duas).
std::string feminineWords(const std::string& words);
void playNumberWords(const std::string& words);
