#include "voices/sapi5_choice.h"

Sapi5Choice chooseSapi5Voice(int voiceNumber, int rate, long installed) {
    if (voiceNumber < 1 || voiceNumber > installed) return {0, 0};
    return {voiceNumber - 1, rate};
}

std::string sapi5SpokenText(const std::string& text) { return text.empty() ? std::string(" ") : text; }
