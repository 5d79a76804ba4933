// Finds the samples of a recorded unit: the data chunk of a RIFF file whose
// first chunk is "fmt " (identifiers compared without regard to case).
#pragma once
#include <cstdint>
#include <cstdio>

// Size of the data chunk with the file standing at its first sample, or 0 when
// the file is not usable (no "RIFF", no "fmt " first, a format that is not a
// sound file's, a short read, no data).
// Chunks of odd size are not followed by a pad byte here.
std::uint32_t findDataChunk(std::FILE* file);
