// Voltanor's entry: reads the power status once, shows the report in the
// console window, speaks it and ends; or, asked on the command line, starts or
// ends the battery watcher, or adds the battery details to the report.
#include <windows.h>

#include "app/modes.h"
#include "audio/wave_output.h"
#include "console/console.h"
#include "console/console_playback.h"
#include "diphone/diphone.h"
#include "settings/sections.h"
#include "speech/readers/screen_readers.h"
#include "speech/speech.h"
#include "tts/tavin_voice.h"
#include "voices/voice.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Module start-up, in the order the modules depend on each other.
    consoleModuleStart();
    waveOutputStart(consolePlaybackHost());  // sounds go through the console window
    diphoneModuleStart();
    // The speech front end starts last, so its start directory is still empty here.
    tavinVoiceModuleStart(startDirectory());
    voiceModuleStart();
    speechModuleStart();
    // The screen reader speaks instead of the own voice when FALA asks for it.
    setSpeechDestination(screenReaderDestination(readVoltanorSettings(startDirectory()).whoSpeaks,
                                                 consolePlaybackHost().deviceWindow));

    ProgramMode mode = modeFromArguments(programArguments());
    std::string message = mode == ProgramMode::report ? "" : runMode(mode);  // a watcher stays inside

    screenRows = windowRows(mode, message);
    clearScreen();
    startSpeech(0, "");
    setConsoleTitle("Voltanor - Medidor de bateria");
    showAndSay(mode, mode == ProgramMode::report ? reportText() : message);
    finishSpeech();
    if (mode == ProgramMode::unknownOption) closeConsoleWindow(exitUnknownOption);
    // The report was shown; the exit code tells whether it could also be heard.
    if (deviceOpenFailed()) closeConsoleWindow(exitSpeechFailed);
    if (!speechWasHeard()) {
        writeStandardError("voltanor: the report was shown, but nothing audible could be said\n");
        closeConsoleWindow(exitNothingAudible);
    }
    closeConsoleWindow(exitNormal);
}
