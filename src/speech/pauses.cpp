// The pauses of punctuation: the mark's own sound, then the pause its setting
// gives, cut short by a stop.
#include <algorithm>
#include <string_view>

#include "console/console.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

namespace {

constexpr int pauseStep = 50;
constexpr int longestPause = 10000;  // milliseconds; a longer setting is a mistake

}  // namespace

void pauseFor(int milliseconds) {
    // A stop ends the pause at once rather than idling through its steps.
    const int steps = std::min(milliseconds, longestPause) / pauseStep;
    for (int i = 0; i < steps && !stopWanted(); ++i) sleepPumping(pauseStep);
}

void punctuationPause(std::string_view rest) {
    if (rest.empty() || stopWanted()) return;
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
