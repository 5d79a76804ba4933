#include "audio/audible_samples.h"

#include <cstdint>

namespace {
constexpr int quietest8 = 2;     // 128 / 64
constexpr int quietest16 = 512;  // 32768 / 64
}  // namespace

bool samplesAudible(const unsigned char* samples, std::size_t bytes, unsigned bits) {
    if (bits == 8) {
        for (std::size_t i = 0; i < bytes; ++i)
            if (samples[i] >= 128 + quietest8 || samples[i] <= 128 - quietest8) return true;
        return false;
    }
    if (bits == 16) {
        for (std::size_t i = 0; i + 1 < bytes; i += 2) {
            const int sample = static_cast<std::int16_t>(samples[i] | samples[i + 1] << 8);
            if (sample >= quietest16 || sample <= -quietest16) return true;
        }
        return false;
    }
    return true;
}
