// The speak-text dispatcher: walks a text from the left and sends digits,
// words, punctuation and other characters to their producers (the number
// words, the default voice, the recorded sounds and pauses), or the whole text
// to the system voice when one was started.
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "diphone/diphone.h"
#include "translator/translator.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "speech/word_pieces.h"
#include "text/cp1252.h"
#include "voices/voice.h"

namespace {

constexpr std::size_t longestSaidNumber = 6;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 128; }
bool isWordCharacter(unsigned char c) { return isLetter(c) || c == ' '; }

void speakWords(const std::string& run) {
    std::vector<std::string> pieces = translatorPieces(run);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0 && (speechState().stopRequested || stopWanted())) return;
        speakPhonemesWithinBudget(translateToPhonemes(pieces[i]));
    }
}

// "hora" is feminine: a number of hours is said "uma hora", "duas horas".
bool hoursFollow(std::string_view rest) {
    for (std::string_view word : {" hora", " horas"})
        if (cp1252::upper(rest.substr(0, word.size())) == cp1252::upper(word) &&
            (rest.size() == word.size() || !isLetter(static_cast<unsigned char>(rest[word.size()]))))
            return true;
    return false;
}

void speakNumberRun(const std::string& run, std::string_view rest) {
    if (run.find('-') != std::string::npos || run.size() > longestSaidNumber) {
        spell(run);
        return;
    }
    std::string words = numberToWords(std::stoull(run));
    playNumberWords(hoursFollow(rest) ? feminineWords(words) : words);
}

}  // namespace

void writeAndSpeak(const std::string& text) {
    writeString(text);
    speak(text);
}

void setSpeechDestination(const SpeechDestination& destination) { speechState().destination = destination; }
bool screenReaderSpeaks() { return speechState().destination.screenReader; }

void speak(const std::string& original, bool interrupt) {
    SpeechState& state = speechState();
    if (state.destination.say(original, interrupt)) {
        noteVoiceSpoke();
        return;
    }
    if (state.systemVoiceActive) {
        waitWhileSpeaking();
        if (stopWanted()) return;
        if (speakVoice(original)) {
            noteVoiceSpoke();
            state.voicePending = true;
            return;
        }
        // The voice failed on this text: the default voice says it, and
        // everything after it, for the rest of the session.
        stopVoice();
        closeVoice();
        state.systemVoiceActive = false;
        state.voicePending = false;
    }

    unsigned char previous = ' ';
    int repeatCount = 0;
    const std::string text = original + " ";
    const std::size_t size = text.size();
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    state.stopRequested = false;
    startPauseBudget(text.size());
    std::size_t i = 0;
    while (!state.stopRequested && i < size) {
        if (stopWanted()) {
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
            speakNumberRun(text.substr(i, end - i), std::string_view(text).substr(end));
            i = end;
        } else if (isWordCharacter(c)) {
            std::size_t end = i;
            while (end < size && isWordCharacter(at(end))) ++end;
            std::string run = text.substr(i, end - i);
            if (cp1252::upper(run) == "WWW")
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
                    if (!stopWanted()) playLetter(c);
                    break;
                }
            }
            ++i;
        }
    }
}
