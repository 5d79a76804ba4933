#include "console/tone.h"

namespace {

void put16(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void put32(unsigned char* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

// 44-byte PCM header: mono, 8 bits, toneRate samples per second.
void writeToneHeader(unsigned char* h, std::uint32_t samples) {
    const char tags[] = "RIFF....WAVEfmt ";
    for (int i = 0; i < 16; ++i) h[i] = static_cast<unsigned char>(tags[i]);
    put32(h + 4, samples + 36);
    put32(h + 16, 16);       // fmt chunk size
    put16(h + 20, 1);        // PCM
    put16(h + 22, 1);        // channels
    put32(h + 24, toneRate);
    put32(h + 28, toneRate); // bytes per second
    put16(h + 32, 1);        // block align
    put16(h + 34, 8);        // bits per sample
    h[36] = 'd', h[37] = 'a', h[38] = 't', h[39] = 'a';
    put32(h + 40, samples);
}

}  // namespace

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
    writeToneHeader(wave.data(), start);
    wave.resize(toneHeaderSize + start);
    return wave;
}
