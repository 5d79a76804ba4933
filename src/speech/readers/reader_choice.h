// Which screen reader, if any, the program's texts are handed to: a pure
// choice from the FALA setting and what the system answers.
#pragma once
#include "settings/sections.h"

enum class ReaderClient { none, nvda, jaws, notification };

struct ReadersFound {
    bool screenReaderFlag = false;  // SPI_GETSCREENREADER (Narrator leaves it unset)
    bool nvdaRunning = false;       // NVDA's controller answered
    bool jawsObject = false;        // JAWS's object could be made
};

// NVDA when it answers, else JAWS when its object is there, else a UI
// Automation notification; with AUTOMATICA only when one of them runs, with
// PROPRIA never (none: the own voice).
ReaderClient chooseReaderClient(WhoSpeaks who, const ReadersFound& found);
