#include "diphone/unit_join.h"

namespace unit_join {
namespace {

constexpr std::size_t longestPeriod = 110;  // 100 Hz, the lowest voice pitch searched
constexpr int middle = 128;
constexpr int quietestVoice = 4;  // RMS in 8-bit steps
constexpr std::size_t fewestCrossings = 2;

bool voiced(const unsigned char* samples, std::size_t n) {
    long long energy = 0;
    std::size_t crossings = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int v = samples[i] - middle;
        energy += static_cast<long long>(v) * v;
        if (i > 0 && (v >= 0) != (samples[i - 1] >= middle)) ++crossings;
    }
    const long long quietest = static_cast<long long>(quietestVoice) * quietestVoice * static_cast<long long>(n);
    // More than one crossing in five samples is a fricative's noise, not a voice.
    return energy >= quietest && crossings >= fewestCrossings && crossings * 5 <= n;
}

// Correlation of the tail with the unit from offset, and the unit's energy
// there: one offset matches better than another when its correlation scaled
// by its energy is higher, so that a loud stretch does not win only by being
// loud.  Integers, so that every processor picks the same offset.
struct Match {
    long long product = 0, energy = 1;
    bool betterThan(const Match& other) const { return product * other.energy > other.product * energy; }
};

Match match(const unsigned char* tail, const unsigned char* unit) {
    Match m;
    for (std::size_t i = 0; i < tailLength; ++i) {
        const long long a = tail[i] - middle, b = unit[i] - middle;
        m.product += a * b;
        m.energy += b * b;
    }
    return m;
}

}  // namespace

std::size_t blendVoicedJoin(unsigned char* tail, const unsigned char* unit, std::size_t unitLength) {
    if (unitLength < tailLength + longestPeriod) return 0;
    if (!voiced(tail, tailLength) || !voiced(unit, tailLength + longestPeriod)) return 0;
    std::size_t best = 0;
    Match bestMatch = match(tail, unit);
    for (std::size_t offset = 1; offset < longestPeriod; ++offset) {
        const Match m = match(tail, unit + offset);
        if (m.betterThan(bestMatch)) bestMatch = m, best = offset;
    }
    for (std::size_t i = 0; i < tailLength; ++i) {
        const int weight = static_cast<int>(i + 1);  // of tailLength + 1, rising toward the unit
        const int from = tail[i], to = unit[best + i];
        tail[i] = static_cast<unsigned char>((from * (static_cast<int>(tailLength) + 1 - weight) + to * weight +
                                              static_cast<int>(tailLength + 1) / 2) /
                                             static_cast<int>(tailLength + 1));
    }
    return best + tailLength;
}

}  // namespace unit_join
