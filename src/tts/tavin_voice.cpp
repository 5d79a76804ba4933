#include "tts/tavin_voice.h"

#include "console/console.h"
#include "tts/tavin_engine.h"

namespace {
TavinSettings settings;
}  // namespace

void tavinVoiceModuleStart() {
    settings = readTavinSettings();
    tavinSetFactors(1.0, 1.0);
    tavinSetOutputFile("");
}

const TavinSettings& tavinVoiceSettings() { return settings; }

bool tavinVoiceStart(int, int speed, int tone, const std::string& outputFile) {
    tavinSetOutputFile(outputFile);
    bool started = tavinStart(settings.databaseName, settings.rulesFile, settings.exceptionsFile,
                              settings.abbreviationsFile, settings.prosodyFile, settings.diphoneListFile);
    tavinSetFactors((tone + 11) / 11.0, 0.8 - speed / 15.0);
    return started;
}

void tavinVoiceSpeak(const std::string& text) {
    tavinSpeak(text);
    postConsoleMessage(tavinVoiceMessage);
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
