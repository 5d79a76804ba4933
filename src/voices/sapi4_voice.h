// The SAPI 4 voice: the texts it queues, what the engine's notifications mean
// and when it counts as busy.  The engine itself (COM) is reached through
// Sapi4Engine, which sapi4_engine_win.cpp provides and native tests fake.
#pragma once
#include <string>
#include <vector>

#include "voices/voice_backends.h"

struct Sapi4Engine {
    // Creates the audio destination, the enumerator and the engine of the
    // given mode (1-based; with fewer modes the last one), registers the two
    // notification sinks and sets speed and pitch where they are not 0.  On
    // any failure returns false holding nothing.
    bool (*open)(int mode, int rate, int pitch);
    // Queues zero-terminated text; bytes counts the terminating zero.
    bool (*textData)(const char* text, unsigned long bytes);
    bool (*audioReset)();
    void (*close)();
};

// The most text one TextData call carries.
constexpr std::size_t sapi4TextLimit = 64000;

bool sapi4Start(const Sapi4Engine& engine, int voice, int rate, int pitch);
bool sapi4Speak(const std::string& text);  // false when the engine refused a piece
bool sapi4Busy(bool onlyUnprocessed);
void sapi4Stop();
void sapi4Close();

// The engine's notifications, delivered while the thread pumps messages.
void sapi4TextDataStarted();
void sapi4TextDataDone();
void sapi4AudioStarted();
void sapi4AudioStopped();

// A text cut into pieces of at most sapi4TextLimit bytes, each ending after a
// blank where one is near the limit; joined, the pieces are the text.
std::vector<std::string> sapi4TextPieces(const std::string& text);

// The voice as the dispatcher sees it, over the real engine.
const VoiceBackend& sapi4Voice();

// The mode names of the installed SAPI 4 engines, in the order VOZ numbers
// them; none when the enumerator cannot be created.
std::vector<std::string> sapi4VoiceNames();
