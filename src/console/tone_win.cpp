// The looped tones of the console window, played by the platform's sound player.
#include <windows.h>

#include <mmsystem.h>

#include <vector>

#include "console/console.h"
#include "console/tone.h"

namespace {
// The image the sound player loops; it must live until the tone is stopped.
std::vector<unsigned char> toneImage;
}  // namespace

void startTone(std::uint16_t frequency) {
    stopTone();
    toneImage = makeToneWave(frequency);
    if (toneImage.empty()) return;
    sndPlaySoundA(reinterpret_cast<const char*>(toneImage.data()), SND_ASYNC | SND_MEMORY | SND_LOOP);
}

void stopTone() {
    if (toneImage.empty()) return;
    sndPlaySoundA(nullptr, SND_ASYNC);
    toneImage.clear();
    toneImage.shrink_to_fit();
}
