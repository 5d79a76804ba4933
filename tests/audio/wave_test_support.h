// Builders of sound data shared by the wave output tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wavetest {

inline void putLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A chunk: identifier, size, body (no padding).
inline std::string chunk(const std::string& id, const std::string& body) {
    std::string out = id;
    putLittle(out, static_cast<std::uint32_t>(body.size()), 4);
    return out + body;
}

inline std::string formatBody(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits) {
    std::string body;
    putLittle(body, 1, 2);
    putLittle(body, channels, 2);
    putLittle(body, rate, 4);
    putLittle(body, rate * channels * (bits / 8u), 4);
    putLittle(body, channels * (bits / 8u), 2);
    putLittle(body, bits, 2);
    return body;
}

inline std::string toBytes(const std::vector<unsigned char>& samples) {
    return std::string(samples.begin(), samples.end());
}

// A whole .wav image: RIFF header, format chunk, then `middle` (other chunks)
// and the data chunk.
inline std::string waveFile(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits,
                            const std::vector<unsigned char>& samples, const std::string& middle = "") {
    std::string rest = "WAVE" + chunk("fmt ", formatBody(rate, channels, bits)) + middle +
                       chunk("data", toBytes(samples));
    std::string out = "RIFF";
    putLittle(out, static_cast<std::uint32_t>(rest.size()), 4);
    return out + rest;
}

// Samples that never equal 128 and differ from their neighbours, so that any
// byte changed or moved by playback shows.
inline std::vector<unsigned char> rampSamples(std::size_t count, unsigned seed = 0) {
    std::vector<unsigned char> s(count);
    for (std::size_t i = 0; i < count; ++i) {
        unsigned v = static_cast<unsigned>((i * 7 + seed) % 250);
        s[i] = static_cast<unsigned char>(v >= 128 ? v + 1 : v);
    }
    return s;
}

// Voiced-speech-like 8-bit sound: a pitch pulse every `period` samples (the
// only greatest byte of its period) over a smaller wave.
inline std::vector<unsigned char> voicedSamples(std::size_t count, std::size_t period) {
    std::vector<unsigned char> s(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t k = i % period;
        int v = 128 + static_cast<int>((k * 97) % 61) - 30;  // 98..158
        if (k == 0) v = 250;
        s[i] = static_cast<unsigned char>(v);
    }
    return s;
}

}  // namespace wavetest
