#include "console/tone.h"

#include "audio/wave_format.h"

std::vector<unsigned char> makeToneWave(std::uint16_t frequency) {
    if (frequency == 0) return {};
    std::vector<unsigned char> wave(toneBufferSize, 128);
    unsigned char* samples = wave.data() + toneHeaderSize;
    const std::uint32_t period = toneRate / frequency;  // 0 above 11025 Hz
    const std::uint32_t low = period / 2;

    // Cycle k starts at (k * rate) div f; the wave stops before a cycle whose
    // last sample (start + period) would not fit in one second after the header.
    std::uint32_t start = 0;
    for (std::uint64_t k = 0;; ++k) {
        start = static_cast<std::uint32_t>(k * toneRate / frequency);
        if (toneHeaderSize + start + period > toneRate) break;
        for (std::uint32_t i = 0; i < low; ++i) samples[start + i] = 96;
        for (std::uint32_t i = low; i <= period; ++i) samples[start + i] = 160;
    }
    // The sample before the first cycle that did not fit ends the loop at
    // the middle level; at 1 Hz no cycle fits and the wave is empty.
    if (start > 0) samples[start - 1] = 128;
    makeWaveHeader(wave.data(), start, toneRate, 1, 8);  // mono, 8 bits
    wave.resize(toneHeaderSize + start);
    return wave;
}
