#include "audio/speech_trim.h"

#include <cstring>

namespace {

struct TrimConstants {
    std::int64_t start;      // where the first peak is looked for
    std::int64_t minPeriod;  // the shortest pitch period
    std::int64_t width;      // how far past the shortest period a peak may lie
};

TrimConstants constantsFor(std::uint32_t rate) {
    if (rate == 11025) return {200, 80, 50};
    return {800, 320, 200};
}

// Position of the first greatest byte in [from, to]; a window with no byte
// above 0 leaves `previous`.
std::int64_t peakIn(const unsigned char* s, std::int64_t from, std::int64_t to, std::int64_t previous) {
    std::int64_t at = previous;
    unsigned char best = 0;
    for (std::int64_t i = from; i <= to; ++i) {
        if (s[i] > best) {
            best = s[i];
            at = i;
        }
    }
    return at;
}

}  // namespace

std::uint32_t trimSpeechPiece(unsigned char* piece, std::uint32_t length, std::uint16_t bits,
                              std::uint32_t rate) {
    if (bits == 16) {
        // High byte of each little-endian sample, signed turned to unsigned.
        length /= 2;
        for (std::uint32_t i = 0; i < length; ++i) piece[i] = piece[2 * i + 1] ^ 0x80;
    }
    if (length < 1000) return length;

    const TrimConstants c = constantsFor(rate);
    const std::int64_t n = length;
    const std::int64_t span = c.minPeriod + c.width;
    // Too short to hold the first search window: left as it is.
    if (c.start + span >= n) return length;

    std::int64_t p = peakIn(piece, c.start, c.start + span, c.start);
    std::int64_t w = p;
    std::int64_t a = p, b = p;
    while (p < n - 2 * span) {
        a = peakIn(piece, p + c.minPeriod, p + span, a);
        b = peakIn(piece, a + c.minPeriod, a + span, b);
        // A silent window (nothing above 0) keeps an old peak; when the reading
        // position cannot move forward the period skipping is over.
        if (a <= p || b <= a) break;
        std::memmove(piece + w, piece + a, static_cast<std::size_t>(b - a + 1));
        w += b - a + 1;
        p = b;
    }
    while (p < n) {
        int diff = piece[w] - 128;
        if (diff <= 20 && diff >= -20) break;
        piece[w++] = piece[p++];
    }
    return static_cast<std::uint32_t>(w);
}
