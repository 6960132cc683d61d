#include "draw/MeasureGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace MeasureGeometry;

TEST(MeasureGeometry, ConversionsNeverOverflow)
{
    EXPECT_EQ(Half(-3, 0), -1);
    EXPECT_EQ(Half(2147483647, 2147483647), 2147483647);
    EXPECT_DOUBLE_EQ(Distance({-2147483647 - 1, 0}, {2147483647, 0}), 4294967295.0);
    EXPECT_EQ(DrawingRadius(250000.7), 100000u);
    EXPECT_EQ(DrawingRadius(std::nan("")), 0u);
}

struct SnapCase
{
    int constraint;
    GdiPoint drag, expected;
};

class Snap : public testing::TestWithParam<SnapCase>
{};

TEST_P(Snap, EndFromDrag)
{
    const GdiPoint a{100, 200};
    const SnapCase& c = GetParam();
    const GdiPoint end = SnapEnd(a, {a.x + c.drag.x, a.y + c.drag.y}, c.constraint);
    EXPECT_EQ(end, (GdiPoint{a.x + c.expected.x, a.y + c.expected.y}));
}

INSTANTIATE_TEST_SUITE_P(
    Constraints, Snap,
    testing::Values(SnapCase{0, {37, -12}, {37, -12}}, SnapCase{90, {30, 30}, {0, 30}},
                    SnapCase{90, {31, -30}, {31, 0}}, SnapCase{45, {40, -10}, {10, -10}},
                    SnapCase{45, {-30, -50}, {-30, -30}}, SnapCase{45, {40, 0}, {0, 0}},
                    SnapCase{45, {0, -40}, {0, 0}}));

TEST(MeasureGeometry, CircleThroughThreePointsDependsOnOrder)
{
    const auto forward = CircleThroughPoints({0, 100}, {100, 0}, {200, 100});
    ASSERT_TRUE(forward);
    EXPECT_EQ(forward->centre, (GdiPoint{100, 100}));
    EXPECT_DOUBLE_EQ(forward->radius, 100.0);
    // Bisector slopes of -1.00000005 and 0.99999995; the centre truncates.
    const auto backward = CircleThroughPoints({200, 100}, {100, 0}, {0, 100});
    ASSERT_TRUE(backward);
    EXPECT_EQ(backward->centre, (GdiPoint{100, 99}));
}

TEST(MeasureGeometry, NoCircleThroughCollinearOrCoincidentPoints)
{
    EXPECT_FALSE(CircleThroughPoints({0, 0}, {100, 0}, {50, 0}));
    EXPECT_FALSE(CircleThroughPoints({0, 0}, {50, 50}, {-70, -70}));
    EXPECT_FALSE(CircleThroughPoints({5, 5}, {5, 5}, {9, 1}));
    EXPECT_FALSE(CircleThroughPoints({5, 5}, {5, 5}, {5, 5}));
    // Nearly collinear: the centre lies beyond any pixel coordinate.
    EXPECT_FALSE(CircleThroughPoints({-2000000000, 0}, {0, 1}, {2000000000, 0}));
}

TEST(MeasureGeometry, ArcLeavesOutTheLargestGap)
{
    const auto check = [](double a1, double a2, double a3, double start, double sweep) {
        const ArcSpan arc = ArcLeavingLargestGap(a1, a2, a3);
        EXPECT_DOUBLE_EQ(arc.start, start);
        EXPECT_DOUBLE_EQ(arc.sweep, sweep);
    };
    check(60, 10, 40, 10, 50);      // gaps 20, 30, 310: from lo
    check(170, -30, -40, 170, 160); // gaps 200, 10, 150: from hi
    check(-170, 20, 30, 20, 170);   // gaps 10, 190, 160: from mid
}

TEST(MeasureGeometry, AnglesFold)
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
}

TEST(MeasureGeometry, IntersectionAndExtensions)
{
    EXPECT_EQ(ExtensionTo({50, -10}, {50, -40}, {50, 0}), (Segment{{50, -40}, {50, 0}}));
    EXPECT_EQ(LineIntersection({20, 0}, {20, 100}, {0, 0}, {100, 50}), (GdiPoint{20, 10}));
    EXPECT_FALSE(LineIntersection({0, 0}, {100, 0}, {0, 50}, {70, 50}));
    // A numerator far beyond 32 bits.
    EXPECT_EQ(LineIntersection({0, 0}, {200000, 200000}, {0, 200000}, {200000, 0}),
              (GdiPoint{100000, 100000}));
}

struct MarkCase
{
    GdiPoint p1, p2, p3, q;
    float start, sweep;
};

class MarkingArcTable : public testing::TestWithParam<MarkCase>
{};

TEST_P(MarkingArcTable, StartAndSweep)
{
    const MarkCase& c = GetParam();
    const auto arc = MarkingArc(AngleBetweenLines(c.p1, c.p2, c.p3, c.q));
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->start, c.start, 1e-4);
    EXPECT_NEAR(arc->sweep, c.sweep, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkingArcTable,
    testing::Values(
        // k = 2, table B, beta1 = 0.
        MarkCase{{0, 0}, {100, 0}, {50, 50}, {50, 10}, 90.0000015f, 89.9999985f},
        // k = 2, table B, both positive.
        MarkCase{{0, 100}, {100, 0}, {100, 100}, {0, 0}, 315.0000023f, 89.9999985f},
        // k = -1, table A, beta1 > 0.
        MarkCase{{0, 100}, {100, 0}, {0, 50}, {100, 50}, 180.0f, 45.0000008f},
        // k = -2, table B, beta1 = 0.
        MarkCase{{0, 0}, {100, 0}, {60, 10}, {0, 70}, 45.0000008f, -45.0000008f}));

TEST(MeasureGeometry, PolygonAreaOfWideCoordinates)
{
    const GdiPoint list[] = {{0, 2000000000}, {0, 0}, {2000000000, 0}, {0, 2000000000}};
    EXPECT_DOUBLE_EQ(std::fabs(PolygonArea(list, 3, 1.0)), 2e18);
}
