// Where the magnifier takes its picture from.
#include "console/magnifier_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(MagnifierGeometry, SourceRectangle) {
    struct Row {
        int x, y, w, h, f;
        MagnifierSource expected;
    } rows[] = {
        {0, 0, 800, 600, 2, {0, 0, 400, 300}},      // top-left quarter
        {800, 600, 800, 600, 2, {400, 300, 400, 300}},  // bottom-right quarter
        {801, 601, 801, 601, 2, {401, 301, 400, 300}},
        {123, 45, 800, 600, 1, {0, 0, 800, 600}},   // factor 1: the whole snapshot
        {100, 100, 800, 600, 3, {67, 67, 266, 200}},
        {7, 13, 700, 350, 7, {6, 12, 100, 50}},
        {65535, 65535, 800, 600, 2, {32768, 32768, 400, 300}},
        {-10, -3, 800, 600, 2, {0, 0, 400, 300}},    // never a negative origin
        {100, 50, 800, 600, 0, {0, 0, 800, 600}},    // factor 0 is used as 1
        {100, 50, 800, 600, -4, {0, 0, 800, 600}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.x << "," << r.y << " f" << r.f);
        MagnifierSource s = magnifierSource(r.x, r.y, r.w, r.h, r.f);
        EXPECT_EQ(s.x, r.expected.x);
        EXPECT_EQ(s.y, r.expected.y);
        EXPECT_EQ(s.width, r.expected.width);
        EXPECT_EQ(s.height, r.expected.height);
    }
}

// The snapshot pixel under the pointer is drawn at (x div f) * f, near the pointer.
TEST(MagnifierGeometry, PointUnderThePointerStaysNearIt) {
    for (int f = 1; f <= 7; ++f)
        for (int x = 0; x < 1024; x += 37) {
            MagnifierSource s = magnifierSource(x, 0, 1024, 768, f);
            int drawnAt = (x - s.x) * f;
            EXPECT_EQ(drawnAt, (x / f) * f) << "f " << f << " x " << x;
            EXPECT_LE(x - drawnAt, f - 1);
        }
}

TEST(MagnifierGeometry, EffectiveFactor) {
    EXPECT_EQ(effectiveMagnifyFactor(0), 1);
    EXPECT_EQ(effectiveMagnifyFactor(-1), 1);
    for (int f = 1; f <= 7; ++f) EXPECT_EQ(effectiveMagnifyFactor(f), f);
}

}  // namespace
