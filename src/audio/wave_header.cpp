#include <cstring>

#include "audio/little_endian.h"
#include "audio/wave_format.h"

namespace {

// The header every WaveBuffer starts from: PCM, mono, 11025 samples per
// second, 8 bits, block align 1, both sizes all ones until they are set.
constexpr unsigned char headerTemplate[waveHeaderSize] = {
    'R', 'I', 'F', 'F', 0xFF, 0xFF, 0xFF, 0xFF, 'W', 'A', 'V', 'E',
    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
    0x11, 0x2B, 0, 0,   // 11025
    0x11, 0x2B, 0, 0,   // 11025 bytes per second
    1, 0, 8, 0,
    'd', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0xFF,
};

}  // namespace

void makeWaveHeader(unsigned char* buffer, std::uint32_t dataSize, std::uint32_t rate,
                    std::uint16_t channels, std::uint16_t bits) {
    std::memcpy(buffer, headerTemplate, waveHeaderSize);
    putLittle32(buffer + 4, dataSize + 36);
    putLittle16(buffer + 22, channels);
    putLittle32(buffer + 24, rate);
    // Block align stays 1 as in the template; only the byte rate follows the format.
    putLittle32(buffer + 28, rate * channels * (bits / 8u));
    putLittle16(buffer + 34, bits);
    putLittle32(buffer + 40, dataSize);
}
