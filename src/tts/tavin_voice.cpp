#include "tts/tavin_voice.h"

#include "console/console.h"
#include "tts/tavin_engine.h"

namespace {

TavinSettings settings;

// Factors beyond these make speech nobody can follow, or none at all (a
// duration factor of millions keeps the wave device waiting for ever).
constexpr double slowestDuration = 4.0, fastestDuration = 0.1;
constexpr double lowestPitch = 0.25, highestPitch = 4.0;

double within(double factor, double lowest, double highest, double fallback) {
    return factor >= lowest && factor <= highest ? factor : fallback;
}

bool hasLetterOrDigit(const std::string& text) {
    for (unsigned char c : text)
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0) return true;
    return false;
}

}  // namespace

void tavinVoiceModuleStart(const std::string& startDirectory) {
    settings = readTavinSettings(startDirectory);
    tavinSetFactors(1.0, 1.0);
    tavinSetOutputFile("");
}

const TavinSettings& tavinVoiceSettings() { return settings; }

bool tavinVoiceStart(int, int speed, int tone, const std::string& outputFile) {
    tavinSetOutputFile(outputFile);
    bool started = tavinStart(settings.databaseName, settings.rulesFile, settings.exceptionsFile,
                              settings.abbreviationsFile, settings.prosodyFile, settings.diphoneListFile);
    // Out of bounds, a factor is that of speed 0 or tone 0, as other settings fall back to their defaults.
    tavinSetFactors(within((tone + 11.0) / 11.0, lowestPitch, highestPitch, 1.0),
                    within(0.8 - speed / 15.0, fastestDuration, slowestDuration, 0.8));
    return started;
}

bool tavinVoiceSpeak(const std::string& text) {
    const bool spoken = tavinSpeak(text) && (tavinLastSpeechAudible() || !hasLetterOrDigit(text));
    postConsoleMessage(tavinVoiceMessage);
    return spoken;
}

bool tavinVoiceBusy() {
    bool busy = tavinIsBusy();
    if (keyPending()) {
        tavinVoiceStop();
        busy = false;
    }
    postConsoleMessage(tavinVoiceMessage);
    return busy;
}

void tavinVoiceStop() {
    tavinStop();
    postConsoleMessage(tavinVoiceMessage);
}

void tavinVoiceClose() {
    while (tavinVoiceBusy()) sleepPumping(500);
    tavinVoiceStop();
    tavinClose();
}
