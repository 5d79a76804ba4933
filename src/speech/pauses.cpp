// The pauses of punctuation: the mark's own sound, then the pause its setting
// gives, cut short by a stop.
#include <algorithm>
#include <string>
#include <string_view>

#include "audio/wave_output.h"
#include "console/console.h"
#include "diphone/diphone.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

namespace {

constexpr int pauseStep = 50;
constexpr int longestPause = 10000;  // milliseconds; a longer setting is a mistake
constexpr int pausePerCharacter = 50;
constexpr int wordPauseRate = 11025;  // the default voice's word pause is in its samples

}  // namespace

// Each pause is bounded, and so is their sum: huge settings would otherwise
// add a silence per word and per mark, over a minute for the report.  Sane
// settings stay well inside (the report's pauses take under 5 s at speed 1).
void startPauseBudget(std::size_t textLength) {
    const auto perCharacter = static_cast<long long>(textLength) * pausePerCharacter;
    speechState().pauseBudget = static_cast<int>(std::clamp<long long>(perCharacter, longestPause, 3600000));
}

void pauseFor(int milliseconds) {
    SpeechState& state = speechState();
    // A stop ends the pause at once rather than idling through its steps.
    const int steps = std::min({milliseconds, longestPause, state.pauseBudget}) / pauseStep;
    int taken = 0;
    for (; taken < steps && !stopWanted(); ++taken) sleepPumping(pauseStep);
    state.pauseBudget -= taken * pauseStep;
}

void speakPhonemesWithinBudget(const std::string& phonemes) {
    SpeechState& state = speechState();
    int gaps = 0;  // where the voice pauses between words: after a run of spaces
    for (std::size_t i = 1; i + 1 < phonemes.size(); ++i)
        if (phonemes[i] == ' ' && phonemes[i + 1] != ' ') ++gaps;
    DiphoneTuning tuning = state.tuning;
    const long long budget = static_cast<long long>(std::max(state.pauseBudget, 0)) * wordPauseRate / 1000;
    if (gaps > 0 && static_cast<long long>(tuning.tokenPause) * gaps > budget)
        tuning.tokenPause = static_cast<int>(budget / gaps);
    if (gaps > 0) {
        const long long spent = static_cast<long long>(std::max(tuning.tokenPause, 0)) * gaps * 1000 / wordPauseRate;
        state.pauseBudget -= static_cast<int>(std::min<long long>(spent, state.pauseBudget));
    }
    setDiphoneTuning(tuning);
    speakPhonemes(phonemes, false);
    setDiphoneTuning(state.tuning);
}

void punctuationPause(std::string_view rest) {
    if (rest.empty() || stopWanted()) return;
    waitWhileSpeaking();
    const SpeechState& state = speechState();
    unsigned char c = static_cast<unsigned char>(rest[0]);
    bool spaceFollows = rest.size() > 1 && rest[1] == ' ';
    playLetter(c);
    // Nothing more of this text follows the pause: the device, idle now, is
    // released before it rather than kept open through it (an open idle
    // device still costs processor time: under Wine its sound threads keep
    // waking).
    if (rest.find_first_not_of(' ', 1) == std::string_view::npos) stopPlayback();
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
