// Voltanor's entry: reads the power status once, shows the report in the
// console window, speaks it and ends.
#include <windows.h>

#include "app/report.h"
#include "audio/wave_output.h"
#include "console/console.h"
#include "diphone/diphone.h"
#include "speech/speech.h"
#include "tts/tavin_voice.h"
#include "voices/voice.h"

namespace {

PowerStatus readPowerStatus() {
    SYSTEM_POWER_STATUS system{};  // zero-filled: a failed call reports zeros
    GetSystemPowerStatus(&system);
    PowerStatus status;
    status.acLineStatus = system.ACLineStatus;
    status.batteryFlag = system.BatteryFlag;
    status.batteryLifePercent = system.BatteryLifePercent;
    status.batteryLifeTime = system.BatteryLifeTime;
    status.batteryFullLifeTime = system.BatteryFullLifeTime;
    return status;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Module start-up, in the order the modules depend on each other.
    consoleModuleStart();
    waveOutputStart();
    diphoneModuleStart();
    // The speech front end starts last, so its start directory is still empty here.
    tavinVoiceModuleStart(startDirectory());
    voiceModuleStart();
    speechModuleStart();

    screenRows = 8;
    clearScreen();
    startSpeech(0, "");
    setConsoleTitle("Voltanor - Medidor de bateria");
    writeAndSpeak(composeReport(readPowerStatus()));
    finishSpeech();
    // The report was shown; the exit code tells whether it could also be heard.
    if (deviceOpenFailed()) closeConsoleWindow(exitSpeechFailed);
    if (!speechWasHeard()) {
        writeStandardError("voltanor: the report was shown, but nothing audible could be said\n");
        closeConsoleWindow(exitNothingAudible);
    }
    closeConsoleWindow(exitNormal);
}
