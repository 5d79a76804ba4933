// Whether anything the listener could hear has been said: sound that is only
// silence, a voice that failed and the wave device's silence all count as
// nothing, so that the program's end can tell the truth about it.
#include <algorithm>
#include <cstdio>
#include <string>

#include "audio/audible_samples.h"
#include "audio/wave_format.h"
#include "platform/platform.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

namespace {

unsigned char fileBlock[4096];

bool waveFileAudible(const std::string& path) {
    std::FILE* file = platform::openForReading(path);
    if (file == nullptr) return false;
    FileReader reader(file);
    WaveFormat format;
    std::uint32_t remaining = 0;
    bool audible = false;
    if (readWaveStart(reader, format, remaining, fileBlock, sizeof fileBlock)) {
        while (remaining > 0 && !audible) {
            const std::size_t got = reader.read(fileBlock, std::min<std::uint32_t>(remaining, sizeof fileBlock));
            if (got == 0) break;
            audible = samplesAudible(fileBlock, got, format.bits);
            remaining -= static_cast<std::uint32_t>(got);
        }
    }
    std::fclose(file);
    return audible;
}

}  // namespace

void noteVoiceSpoke() { speechState().heardSomething = true; }

void noteBufferPlayed(const unsigned char* waveBuffer) {
    SpeechState& state = speechState();
    WaveFormat format;
    std::uint32_t offset = 0, size = 0;
    if (!state.heardSomething && locateWaveBufferData(waveBuffer, format, offset, size))
        state.heardSomething = samplesAudible(waveBuffer + offset, size, format.bits);
}

void noteFilePlayed(const std::string& path) {
    SpeechState& state = speechState();
    if (!state.heardSomething) state.heardSomething = waveFileAudible(path);
}

bool speechWasHeard() { return speechState().heardSomething || stopWanted(); }
