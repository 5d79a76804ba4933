#include "speech/readers/screen_readers.h"

#include "speech/readers/reader_choice.h"
#include "speech/readers/reader_clients_win.h"

namespace {

void* (*programWindow)() = [] () -> void* { return nullptr; };

std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

bool screenReaderFlag() {
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

}  // namespace

SpeechDestination screenReaderDestination(WhoSpeaks who, void* (*window)()) {
    SpeechDestination destination;
    if (who == WhoSpeaks::ownVoice) return destination;
    programWindow = window;
    ReadersFound found{screenReaderFlag(), nvda::running(), false};
    found.jawsObject = !found.nvdaRunning && jaws::open();
    switch (chooseReaderClient(who, found)) {
    case ReaderClient::nvda:
        destination.say = [](const std::string& text, bool interrupt) { return nvda::say(wide(text), interrupt); };
        destination.stop = nvda::stop;
        break;
    case ReaderClient::jaws:
        destination.say = [](const std::string& text, bool interrupt) { return jaws::say(wide(text), interrupt); };
        destination.stop = jaws::stop;
        break;
    case ReaderClient::notification:
        destination.say = [](const std::string& text, bool interrupt) {
            return notification::say(static_cast<HWND>(programWindow()), wide(text), interrupt);
        };
        break;
    case ReaderClient::none:
        return destination;
    }
    destination.screenReader = true;
    return destination;
}
