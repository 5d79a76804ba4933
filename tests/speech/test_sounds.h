// Small recognisable sound files for the speech tests, and views of what the
// fake wave device played.  A test sound alternates its own sample value with
// silence (128), so it ends in silence whatever its even length: the wave
// output's block handling (silent last sample, short blocks padded with
// silence) then changes nothing but silence, and comparing the played bytes
// without their silence tells exactly which sounds played, in which order.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/fake_wave_device.h"

inline std::string littleEndian(std::uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) text.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return text;
}

// Writes an 11025 Hz mono 8-bit wave file of `samples` samples (made even)
// and returns its samples.
inline std::vector<unsigned char> writeTestSound(const std::string& path, std::size_t samples,
                                                 unsigned char value) {
    samples += samples % 2;
    std::vector<unsigned char> data(samples);
    for (std::size_t i = 0; i < samples; ++i) data[i] = i % 2 == 0 ? value : 128;
    std::string file = "RIFF" + littleEndian(static_cast<std::uint32_t>(samples + 36), 4) + "WAVEfmt " +
                       littleEndian(16, 4) + littleEndian(1, 2) + littleEndian(1, 2) + littleEndian(11025, 4) +
                       littleEndian(11025, 4) + littleEndian(1, 2) + littleEndian(8, 2) + "data" +
                       littleEndian(static_cast<std::uint32_t>(samples), 4);
    file.append(data.begin(), data.end());
    fake::writeFile(path, file);
    return data;
}

inline std::vector<unsigned char> withoutSilence(std::vector<unsigned char> bytes) {
    bytes.erase(std::remove(bytes.begin(), bytes.end(), 128), bytes.end());
    return bytes;
}

// Each sound the device played, in order.
inline std::vector<std::vector<unsigned char>> playedPieces() {
    std::vector<std::vector<unsigned char>> pieces;
    for (const auto& sound : fake::playedSounds()) pieces.push_back(sound);
    return pieces;
}
