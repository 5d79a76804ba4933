// The SAPI 4 voice apart from COM: texts go to the engine in pieces, and two
// notification sinks keep the pending count and the audio flag up to date.
#include "voices/sapi4_voice.h"

#include "console/console.h"
#include "platform/platform.h"
#include "text/blank_ends.h"

namespace {

const Sapi4Engine* engine = nullptr;  // set while the voice is started
int pending = 0;                      // texts whose processing started and has not finished
bool audioPlaying = false;

}  // namespace

std::vector<std::string> sapi4TextPieces(const std::string& whole) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (whole.size() - start > sapi4TextLimit) {
        std::size_t end = start + sapi4TextLimit;
        std::size_t blank = end;
        while (blank > start && !text::isBlankOrControl(whole[blank - 1])) --blank;
        if (blank > start) end = blank;  // a word longer than the limit is cut
        pieces.push_back(whole.substr(start, end - start));
        start = end;
    }
    if (start < whole.size()) pieces.push_back(whole.substr(start));
    return pieces;
}

bool sapi4Start(const Sapi4Engine& chosen, int voice, int rate, int pitch) {
    if (voice == 0) voice = 1;
    pending = 0;
    audioPlaying = false;
    std::string directory = platform::currentDirectory();  // engines may change it
    bool ready = chosen.open(voice, rate, pitch);
    platform::setCurrentDirectory(directory);
    engine = ready ? &chosen : nullptr;
    return ready;
}

bool sapi4Speak(const std::string& given) {
    std::string spoken = text::withoutBlankEnds(given);
    if (spoken.empty()) return true;
    if (spoken.size() == 1 && spoken[0] >= '0' && spoken[0] <= '9') spoken += '.';  // read as a number
    for (const std::string& piece : sapi4TextPieces(spoken)) {
        if (!engine) return false;
        if (keyPending()) return true;  // a key press interrupts speech
        if (pending > 0) sleepPumping(20);
        if (!engine->textData(piece.c_str(), static_cast<unsigned long>(piece.size() + 1))) {
            sapi4Stop();
            return false;
        }
    }
    return true;
}

bool sapi4Busy(bool onlyUnprocessed) { return pending > 0 || (!onlyUnprocessed && audioPlaying); }

void sapi4Stop() {
    if (audioPlaying && engine) {
        sleepPumping(50);
        engine->audioReset();  // a failure leaves nothing more to do
        sleepPumping(150);
    }
    audioPlaying = false;
    pending = 0;
}

void sapi4Close() {
    if (engine) engine->close();
    engine = nullptr;
}

void sapi4TextDataStarted() { ++pending; }
void sapi4TextDataDone() {
    if (pending > 0) --pending;
}
void sapi4AudioStarted() { audioPlaying = true; }
void sapi4AudioStopped() { audioPlaying = false; }
