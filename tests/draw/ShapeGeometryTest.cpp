#include "draw/ShapeGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

// Barbs point back along the shaft at four widths; a zero-length arrow points right.
TEST(ArrowBarbs, PointBackAlongTheShaft)
{
    EXPECT_EQ(ArrowBarbs({0, 0}, {100, 0}, 2), (std::array<GdiPoint, 2>{{{92, 3}, {92, -3}}}));
    EXPECT_EQ(ArrowBarbs({0, 0}, {0, 0}, 2), (std::array<GdiPoint, 2>{{{7, -3}, {7, 3}}}));
}

// Guides of half length 10000 through both ends: vertical, horizontal, zero
// length, and diagonal (d = sqrt(10000^2 / 2) = 7071.07; negative results
// truncate toward zero).
TEST(EndGuides, RunPerpendicularThroughBothEnds)
{
    // clang-format off
    const struct
    {
        GdiPoint a, b;
        GuideLine atA, atB;
    } cases[] = {
        {{5, 10}, {5, 90}, {{10005, 10}, {-9995, 10}}, {{10005, 90}, {-9995, 90}}},
        {{5, 10}, {90, 10}, {{5, 10010}, {5, -9990}}, {{90, 10010}, {90, -9990}}},
        {{7, 8}, {7, 8}, {{7, 10008}, {7, -9992}}, {{7, 10008}, {7, -9992}}},
        {{0, 0}, {100, 100}, {{7071, -7071}, {-7071, 7071}}, {{7171, -6971}, {-6971, 7171}}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(EndGuides(c.a, c.b, 10000), (std::array<GuideLine, 2>{c.atA, c.atB}))
            << c.b.x << "," << c.b.y;
}

TEST(EndGuides, ObliqueGuideIsTwentyThousandLongAtSlopeMinusOneOverM)
{
    const GdiPoint a{10, 20}, b{310, 120}; // m = 1/3
    const GuideLine g = EndGuide(a, b, b, 10000);
    const double dx = g.to.x - g.from.x, dy = g.to.y - g.from.y;
    EXPECT_NEAR(dy / dx, -3.0, 0.001);
    EXPECT_NEAR(std::hypot(dx, dy), 20000.0, 4.0);
    EXPECT_NEAR((g.from.x + g.to.x) / 2.0, b.x, 1.0);
}

TEST(TruncToInt, TruncatesTowardZeroAndNeverOverflows)
{
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
    EXPECT_EQ(TruncToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncToInt(-std::numeric_limits<double>::infinity()),
              std::numeric_limits<int>::min());
}

} // namespace
