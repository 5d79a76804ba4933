// Where two voiced units of the diphone database meet, the second one starts
// inside the last pitch period of the first instead of after it, so that the
// waveform and its spectrum pass from one to the other without a click.
#pragma once
#include <cstddef>

namespace unit_join {

// Samples of the buffer's end that blendVoicedJoin reads and may change.
constexpr std::size_t tailLength = 88;  // 8 ms at 11025 Hz

// tail: the last tailLength samples already joined (8-bit unsigned); unit: the
// next unit's samples.  When both sides are voiced (loud enough, and crossing
// the middle line like a vowel or a nasal does, not like silence, a constant
// or a fricative), the unit's start is moved by up to one pitch period to
// where it best continues the tail, and its first tailLength samples from
// there are cross-faded into the tail.  Returns how many of the unit's
// samples are used up that way (0 when nothing was blended); the caller
// appends the rest.
std::size_t blendVoicedJoin(unsigned char* tail, const unsigned char* unit, std::size_t unitLength);

}  // namespace unit_join
