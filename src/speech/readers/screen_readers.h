// The screen readers' clients behind the speech destination (Win32 edge):
// NVDA's controller interface, JAWS's COM object and a UI Automation
// notification raised for the program's window.
#pragma once
#include "speech/speech_destination.h"
#include "settings/sections.h"

// Finds what runs (only when `who` is not the own voice: PROPRIA asks the
// system nothing) and gives the destination of the chosen client; the own
// voice when none.  `window` gives the window a notification is raised for;
// it is asked only when one is raised.  COM must be started on the thread.
SpeechDestination screenReaderDestination(WhoSpeaks who, void* (*window)());
