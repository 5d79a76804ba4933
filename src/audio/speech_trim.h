// Shortening voiced speech without changing its pitch: of every two pitch
// periods (peak to peak) one is dropped.  Works in place on one piece of mono
// samples; 16-bit pieces are first turned into 8-bit ones.
#pragma once
#include <cstdint>

// Returns the new length of the piece.  Reads and writes only inside
// piece[0 .. length) and always ends, whatever the samples are.
std::uint32_t trimSpeechPiece(unsigned char* piece, std::uint32_t length, std::uint16_t bits,
                              std::uint32_t rate);
