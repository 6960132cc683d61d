#include "draw/MeasureGeometry.h"
#include "draw/ShapeGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>

using namespace MeasureGeometry;

TEST(MeasureGeometry, ConversionsTruncateTowardZeroAndNeverOverflow)
{
    EXPECT_EQ(Half(-3, 0), -1);
    EXPECT_EQ(Half(2147483647, 2147483647), 2147483647);
    EXPECT_DOUBLE_EQ(Distance({-2147483647 - 1, 0}, {2147483647, 0}), 4294967295.0);
    EXPECT_EQ(DrawingRadius(250000.7), 100000u);
    EXPECT_EQ(DrawingRadius(std::nan("")), 0u);
    const GdiPoint triangle[] = {{0, 2000000000}, {0, 0}, {2000000000, 0}, {0, 2000000000}};
    EXPECT_DOUBLE_EQ(std::fabs(PolygonArea(triangle, 3, 1.0)), 2e18);
    // A numerator far beyond 32 bits.
    EXPECT_EQ(LineIntersection({0, 0}, {200000, 200000}, {0, 200000}, {200000, 0}),
              (GdiPoint{100000, 100000}));

    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
    EXPECT_EQ(TruncToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncToInt(-std::numeric_limits<double>::infinity()),
              std::numeric_limits<int>::min());
}

// Drags from (100, 200) under each angle constraint; a tie snaps vertical.
TEST(MeasureGeometry, SnapEndFromDrag)
{
    const std::tuple<int, GdiPoint, GdiPoint> cases[] = {
        {0, {37, -12}, {37, -12}},  {90, {30, 30}, {0, 30}},      {90, {31, -30}, {31, 0}},
        {45, {40, -10}, {10, -10}}, {45, {-30, -50}, {-30, -30}}, {45, {40, 0}, {0, 0}},
        {45, {0, -40}, {0, 0}}};
    for (const auto& [constraint, drag, expected] : cases)
        EXPECT_EQ(SnapEnd({100, 200}, {100 + drag.x, 200 + drag.y}, constraint),
                  (GdiPoint{100 + expected.x, 200 + expected.y}))
            << constraint << ": " << drag.x << "," << drag.y;
}

// The forward order gives the centre (100, 100) (the three-point labels show
// it); the reverse has bisector slopes of -1.00000005 and 0.99999995 and the
// centre truncates. Nearly collinear points put the centre beyond any pixel.
TEST(MeasureGeometry, CircleThroughThreePointsDependsOnOrder)
{
    const auto backward = CircleThroughPoints({200, 100}, {100, 0}, {0, 100});
    ASSERT_TRUE(backward);
    EXPECT_EQ(backward->centre, (GdiPoint{100, 99}));
    EXPECT_FALSE(CircleThroughPoints({0, 0}, {50, 50}, {-70, -70}));
    EXPECT_FALSE(CircleThroughPoints({-2000000000, 0}, {0, 1}, {2000000000, 0}));
}

TEST(MeasureGeometry, AnglesFoldArcsLeaveOutTheLargestGap)
{
    EXPECT_DOUBLE_EQ(FoldIntoHalfTurn(170 - -170), -20);
    EXPECT_DOUBLE_EQ(FoldIntoHalfTurn(-340), 20);
    EXPECT_DOUBLE_EQ(FoldIntoHalfTurn(180), 180);
    EXPECT_DOUBLE_EQ(AcuteAngle(-120), 60);
    EXPECT_DOUBLE_EQ(AcuteAngle(200), 20);
    EXPECT_DOUBLE_EQ(AcuteAngle(-300), 60);
    // Swapped arms sweep the other way.
    EXPECT_GT(AngleBetweenArms({100, 100}, {200, 100}, {100, 0}).sweep, 0);
    EXPECT_LT(AngleBetweenArms({100, 100}, {100, 0}, {200, 100}).sweep, 0);
    EXPECT_EQ(LineIntersection({20, 0}, {20, 100}, {0, 0}, {100, 50}), (GdiPoint{20, 10}));

    // An arc leaves out the largest gap between its points.
    const double cases[][5] = {
        {60, 10, 40, 10, 50},      // gaps 20, 30, 310: from lo
        {170, -30, -40, 170, 160}, // gaps 200, 10, 150: from hi
        {-170, 20, 30, 20, 170},   // gaps 10, 190, 160: from mid
    };
    for (const auto& c : cases) {
        const ArcSpan arc = ArcLeavingLargestGap(c[0], c[1], c[2]);
        EXPECT_DOUBLE_EQ(arc.start, c[3]);
        EXPECT_DOUBLE_EQ(arc.sweep, c[4]);
    }
}

// The mark of a four-point angle for each branch of its start and sweep tables.
TEST(MeasureGeometry, MarkingArcStartAndSweep)
{
    const std::tuple<GdiPoint, GdiPoint, GdiPoint, GdiPoint, float, float> cases[] = {
        // k = 2, table B, beta1 = 0.
        {{0, 0}, {100, 0}, {50, 50}, {50, 10}, 90.0000015f, 89.9999985f},
        // k = 2, table B, both positive.
        {{0, 100}, {100, 0}, {100, 100}, {0, 0}, 315.0000023f, 89.9999985f},
        // k = -1, table A, beta1 > 0.
        {{0, 100}, {100, 0}, {0, 50}, {100, 50}, 180.0f, 45.0000008f},
        // k = -2, table B, beta1 = 0.
        {{0, 0}, {100, 0}, {60, 10}, {0, 70}, 45.0000008f, -45.0000008f},
    };
    for (const auto& [p1, p2, p3, q, start, sweep] : cases) {
        const auto arc = MarkingArc(AngleBetweenLines(p1, p2, p3, q));
        ASSERT_TRUE(arc);
        EXPECT_NEAR(arc->start, start, 1e-4);
        EXPECT_NEAR(arc->sweep, sweep, 1e-4);
    }
}

// Guides of half length 10000 through both ends: vertical, horizontal, zero
// length, and diagonal (d = sqrt(10000^2 / 2) = 7071.07; negative results
// truncate toward zero).
TEST(ShapeGeometry, GuidesRunPerpendicularThroughBothEndsBarbsPointBack)
{
    // clang-format off
    const std::tuple<GdiPoint, GdiPoint, GuideLine, GuideLine> cases[] = {
        {{5, 10}, {5, 90}, {{10005, 10}, {-9995, 10}}, {{10005, 90}, {-9995, 90}}},
        {{5, 10}, {90, 10}, {{5, 10010}, {5, -9990}}, {{90, 10010}, {90, -9990}}},
        {{7, 8}, {7, 8}, {{7, 10008}, {7, -9992}}, {{7, 10008}, {7, -9992}}},
        {{0, 0}, {100, 100}, {{7071, -7071}, {-7071, 7071}}, {{7171, -6971}, {-6971, 7171}}},
    };
    // clang-format on
    for (const auto& [a, b, atA, atB] : cases)
        EXPECT_EQ(EndGuides(a, b, 10000), (std::array<GuideLine, 2>{atA, atB}))
            << b.x << "," << b.y;

    // An oblique guide is 20000 long at slope -1/m.
    const GdiPoint a{10, 20}, b{310, 120}; // m = 1/3
    const GuideLine g = EndGuide(a, b, b, 10000);
    const double dx = g.to.x - g.from.x, dy = g.to.y - g.from.y;
    EXPECT_NEAR(dy / dx, -3.0, 0.001);
    EXPECT_NEAR(std::hypot(dx, dy), 20000.0, 4.0);
    EXPECT_NEAR((g.from.x + g.to.x) / 2.0, b.x, 1.0);

    // Barbs point back along the shaft at four widths; a zero-length arrow points right.
    EXPECT_EQ(ArrowBarbs({0, 0}, {100, 0}, 2), (std::array<GdiPoint, 2>{{{92, 3}, {92, -3}}}));
    EXPECT_EQ(ArrowBarbs({0, 0}, {0, 0}, 2), (std::array<GdiPoint, 2>{{{7, -3}, {7, 3}}}));
}
