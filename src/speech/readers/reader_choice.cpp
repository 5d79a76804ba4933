#include "speech/readers/reader_choice.h"

ReaderClient chooseReaderClient(WhoSpeaks who, const ReadersFound& found) {
    if (who == WhoSpeaks::ownVoice) return ReaderClient::none;
    const bool oneRuns = found.screenReaderFlag || found.nvdaRunning || found.jawsObject;
    if (who == WhoSpeaks::automatic && !oneRuns) return ReaderClient::none;
    if (found.nvdaRunning) return ReaderClient::nvda;
    if (found.jawsObject) return ReaderClient::jaws;
    return ReaderClient::notification;
}
