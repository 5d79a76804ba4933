// The looped square-wave tone of the console window (Braille mode signals):
// about one second of whole cycles at 11025 Hz, 8-bit mono, as a RIFF/WAVE
// memory image that the platform's sound player can loop.
#pragma once
#include <cstdint>
#include <vector>

constexpr std::uint32_t toneRate = 11025;
constexpr std::size_t toneHeaderSize = 44;
constexpr std::size_t toneBufferSize = 11071;  // header + the longest wave, with slack

// The header and the samples of a tone of the given frequency (44 + sample
// count bytes).  Frequency 0 gives an empty vector (no tone).
std::vector<unsigned char> makeToneWave(std::uint16_t frequency);
