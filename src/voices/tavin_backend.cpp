// The text-to-speech engine behind voice type 3 of the dispatcher, running
// the engine's text stages.
#include "tts/normalization.h"
#include "tts/pipeline.h"
#include "tts/pronunciation.h"
#include "tts/prosody.h"
#include "tts/tavin_engine.h"
#include "tts/tavin_start_checks.h"
#include "tts/tavin_voice.h"
#include "voices/voice_backends.h"

namespace {

const TavinStages textStages{[] {
                                 tts::freePronunciationRules();
                                 tts::freeDiphoneList();
                             },
                             tts::loadPronunciationFiles, tts::loadAbbreviations, tts::loadProsody,
                             tts::loadDiphoneList, tts::nextMbrolaPiece};

// A start that loads everything but cannot say a word is a failed start, so
// that the default voice speaks instead.
bool start(int voice, int rate, int pitch, const std::string& extra) {
    tavinUseStages(textStages);
    if (!tavinVoiceStart(voice, rate, pitch, extra)) return false;
    if (tts::engineCanSpeak()) return true;
    tavinClose();
    return false;
}
bool busy(bool) { return tavinVoiceBusy(); }

const VoiceBackend tavin{start, tavinVoiceClose, tavinVoiceSpeak, busy, tavinVoiceStop};

}  // namespace

const VoiceBackend& tavinVoice() { return tavin; }
