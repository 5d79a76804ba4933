#include "diphone/unit_join.h"
#include <cmath>
#include <numbers>
#include <vector>
#include <gtest/gtest.h>

namespace {
// A 200 Hz wave (voiced), silence, a constant, and noise that crosses the middle at every sample.
std::vector<unsigned char> wave(int kind, std::size_t n, double phase = 0) {
    std::vector<unsigned char> s(n);
    for (std::size_t i = 0; i < n; ++i)
        s[i] = kind == 0 ? static_cast<unsigned char>(128 + 40 * std::sin(phase + i * 2 * std::numbers::pi / 55.1))
               : kind == 1 ? 128 : kind == 2 ? 180 : (i % 2 ? 100 : 156);
    return s;
}
}  // namespace
TEST(UnitJoin, BlendsOnlyWhereBothSidesAreVoiced) {
    const struct { int tail, unit; std::size_t unitLength; bool blends; } cases[] = {
        {0, 0, 400, true}, {1, 0, 400, false}, {0, 1, 400, false}, {0, 2, 400, false}, {3, 0, 400, false},
        {0, 3, 400, false}, {0, 0, 150, false}};
    for (const auto& c : cases) {
        auto tail = wave(c.tail, unit_join::tailLength), unit = wave(c.unit, c.unitLength, 1.0);
        const auto before = tail;
        const std::size_t used = unit_join::blendVoicedJoin(tail.data(), unit.data(), unit.size());
        EXPECT_EQ(used > 0, c.blends) << c.tail << " " << c.unit;
        EXPECT_TRUE(c.blends || tail == before);  // nothing changes where nothing is blended
        // The blended tail ends within a step of the unit's sample where the rest is appended from.
        EXPECT_TRUE(used == 0 || std::abs(tail.back() - unit[used - 1]) <= 4);
    }
}
