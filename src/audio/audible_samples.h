// Whether sound would be heard: silence, or samples so close to it that no
// loudspeaker makes them out, says nothing to the listener.
#pragma once
#include <cstddef>

// True when some sample departs from silence by at least 1/64 of full scale:
// 8-bit samples are unsigned (silence 128), 16-bit ones signed little-endian
// (silence 0).  Other sample sizes are taken as audible.
bool samplesAudible(const unsigned char* samples, std::size_t bytes, unsigned bits);
