// The speak-text dispatcher: walks a text from the left and sends digits,
// words, punctuation and other characters to their producers; also the busy
// test, the stop and the waits that every speaking module uses.
#include <string>
#include <string_view>
#include <vector>

#include "audio/wave_output.h"
#include "console/console.h"
#include "diphone/diphone.h"
#include "translator/translator.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "speech/word_pieces.h"
#include "voices/voice.h"

namespace {

constexpr unsigned stopMessage = 1024 + 99;  // WM_USER + 99: wakes a waiting loop
constexpr std::size_t longestSaidNumber = 6;
constexpr int pauseStep = 50;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 128; }
bool isWordCharacter(unsigned char c) { return isLetter(c) || c == ' '; }

void waitWhileSpeaking() {
    while (isSpeaking()) waitForMessage();
}

void speakWords(const std::string& run) {
    std::vector<std::string> pieces = translatorPieces(run);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0 && (speechState().stopRequested || keyPending())) return;
        speakPhonemes(translateToPhonemes(pieces[i]), false);
    }
}

void speakNumberRun(const std::string& run) {
    if (run.find('-') != std::string::npos || run.size() > longestSaidNumber) {
        spell(run);
        return;
    }
    playNumberWords(numberToWords(std::stoull(run)));
}

}  // namespace

void writeAndSpeak(const std::string& text) {
    writeString(text);
    speak(text);
}

bool isSpeaking() {
    if (keyPending()) {
        stopSpeech();
        return false;
    }
    if (speechState().systemVoiceActive) return isPlaying() || voiceBusy(false);
    return isPlaying();
}

void stopSpeech() {
    SpeechState& state = speechState();
    stopPlayback();
    state.stopRequested = true;
    if (state.systemVoiceActive && (voiceBusy(false) || state.currentVoiceType == 3)) stopVoice();
    postConsoleMessage(stopMessage);
}

void waitForVoice() {
    SpeechState& state = speechState();
    if (!state.voicePending) return;
    waitWhileSpeaking();
    state.voicePending = false;
}

void playBufferAndWait(unsigned char* waveBuffer) {
    waitForVoice();
    playWaveBuffer(waveBuffer);
    waitWhileSpeaking();
}

void spell(const std::string& text) {
    for (unsigned char c : text) {
        if (keyPending()) return;
        playLetter(c);
    }
}

void playLetter(unsigned char character) {
    waitForVoice();
    playWaveFile(diphoneLettersDirectory() + "_" + std::to_string(character) + ".wav");
}

void playNamedSound(const std::string& name) {
    waitForVoice();
    const SpeechState& state = speechState();
    const std::string& directory =
        (!name.empty() && name[0] == '_') ? state.lettersDirectory : state.soundsDirectory;
    playWaveFile(directory + name + ".wav");
}

void pauseFor(int milliseconds) {
    int steps = milliseconds / pauseStep;
    for (int i = 0; i < steps; ++i)
        if (!keyPending()) sleepPumping(pauseStep);
}

void punctuationPause(std::string_view rest) {
    if (rest.empty() || keyPending()) return;
    waitWhileSpeaking();
    const SpeechState& state = speechState();
    unsigned char c = static_cast<unsigned char>(rest[0]);
    bool spaceFollows = rest.size() > 1 && rest[1] == ' ';
    playLetter(c);
    switch (c) {
    case '(':
    case ')':
    case ':':
    case ';':
        pauseFor(state.colonPause);
        break;
    case ',':
    case '-':
        if (spaceFollows) pauseFor(state.commaPause);
        break;
    case '.':
        if (spaceFollows) pauseFor(state.fullStopPause);
        break;
    default:
        break;
    }
}

void playRepeatTone() {
    waitForVoice();
    bool savedTrim = trimSpeech();
    setTrimSpeech(false);  // the tone's samples must not be changed in place
    unsigned char* tone = speechState().repeatTone.data();
    makeWaveHeader(tone, repeatToneSamples, 11025, 1, 8);
    playWaveBuffer(tone);
    waitWhileSpeaking();
    setTrimSpeech(savedTrim);
}

std::string upperForm(const std::string& word) {
    std::string upper = word;
    for (char& ch : upper) {
        unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || c >= 224) ch = static_cast<char>(c - 32);
    }
    return upper;
}

void speak(const std::string& original) {
    SpeechState& state = speechState();
    if (state.systemVoiceActive) {
        waitWhileSpeaking();
        if (keyPending()) return;
        speakVoice(original);
        state.voicePending = true;
        return;
    }

    unsigned char previous = ' ';
    int repeatCount = 0;
    const std::string text = original + " ";
    const std::size_t size = text.size();
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    state.stopRequested = false;
    std::size_t i = 0;
    while (!state.stopRequested && i < size) {
        if (keyPending()) {
            stopSpeech();
            return;
        }
        unsigned char c = at(i);
        if (c == '0') {
            // Each leading zero of a number is said on its own.
            while (i < size && at(i) == '0') {
                playNamedSound("_zero");
                ++i;
            }
        } else if (isDigit(c)) {
            std::size_t end = i;
            while (end < size && (isDigit(at(end)) || at(end) == '-')) ++end;
            speakNumberRun(text.substr(i, end - i));
            i = end;
        } else if (isWordCharacter(c)) {
            std::size_t end = i;
            while (end < size && isWordCharacter(at(end))) ++end;
            std::string run = text.substr(i, end - i);
            if (upperForm(run) == "WWW")
                spell(run);
            else
                speakWords(run);
            i = end;
            // A hyphen inside a word is silent.
            if (i + 1 < size && at(i) == '-' && isLetter(at(i + 1))) ++i;
        } else {
            if (c == previous) {
                ++repeatCount;
                if (repeatCount > 3) {
                    playRepeatTone();
                    c = ' ';
                }
            } else {
                repeatCount = 0;
                previous = c;
            }
            std::string_view rest(text.data() + i, size - i);
            if (rest[0] == '-') {
                unsigned char next = rest.size() <= 2 ? ' ' : static_cast<unsigned char>(rest[1]);
                if (next == ' ' || next == '-')
                    punctuationPause(rest);
                else if (isDigit(next))
                    playNamedSound("_MENOS");  // a minus sign before a number
                else
                    playLetter('-');
            } else if (rest.substr(0, 3) == "://") {
                spell(":");  // in an address the colon is a sound, not a pause
            } else {
                switch (c) {
                case '(':
                case ')':
                case ',':
                case '.':
                case ':':
                case ';':
                    punctuationPause(rest);
                    break;
                case ' ':
                case '\t':
                    break;
                default:
                    if (!keyPending()) playLetter(c);
                    break;
                }
            }
            ++i;
        }
    }
}
