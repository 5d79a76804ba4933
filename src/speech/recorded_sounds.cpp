// The players of recorded sounds: letters and symbols (their code's file in the
// letters directory), named sounds, spelling, and the tone that stands for a
// long run of one repeated symbol.
#include <string>

#include "audio/wave_output.h"
#include "diphone/diphone.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

void spell(const std::string& text) {
    for (unsigned char c : text) {
        if (stopWanted()) return;
        playLetter(c);
    }
}

void playLetter(unsigned char character) {
    waitForVoice();
    const std::string path = diphoneLettersDirectory() + "_" + std::to_string(character) + ".wav";
    if (playWaveFile(path) == 0) noteFilePlayed(path);
}

void playNamedSound(const std::string& name) {
    waitForVoice();
    const SpeechState& state = speechState();
    const std::string& directory =
        (!name.empty() && name[0] == '_') ? state.lettersDirectory : state.soundsDirectory;
    if (playWaveFile(directory + name + ".wav") == 0) noteFilePlayed(directory + name + ".wav");
}

void playRepeatTone() {
    waitForVoice();
    bool savedTrim = trimSpeech();
    setTrimSpeech(false);  // the tone's samples must not be changed in place
    unsigned char* tone = speechState().repeatTone.data();
    makeWaveHeader(tone, repeatToneSamples, 11025, 1, 8);
    noteBufferPlayed(tone);
    playWaveBuffer(tone);
    waitWhileSpeaking();
    setTrimSpeech(savedTrim);
}
