#include "draw/MeasureGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace MeasureGeometry;

namespace {

Scale DefaultScale(int unit = 0) {
    return {0.355, 1.0, 50.0, unit};
}

QString Value(const Scale& s, double pixels) {
    return FormatValue("%f %s", s.ToUnit(pixels * s.pixelSize), s.Word());
}

} // namespace

struct UnitCase {
    int unit;
    const char* text;
};

class UnitLabel : public testing::TestWithParam<UnitCase> {};

TEST_P(UnitLabel, HundredPixelLineAtFiftyTimes) {
    const Scale s = DefaultScale(GetParam().unit);
    const double length = Distance({0, 0}, {60, 80}) * s.pixelSize * s.resolutionFactor;
    EXPECT_EQ(FormatValue("%f %s", length / s.magnification * s.Factor(), s.Word()).toStdString(),
              GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Units, UnitLabel,
                         testing::Values(UnitCase{0, "0.710000 mm"}, UnitCase{1, "710.000000 um"},
                                         UnitCase{2, "27.952756 mil"}, UnitCase{3, "0.027953 inch"},
                                         UnitCase{7, "0.710000 mm"}, UnitCase{-1, "0.710000 mm"}));

TEST(MeasureScale, ResolutionFactorAndMagnificationScaleLinearly) {
    Scale s = DefaultScale();
    s.resolutionFactor = 2.0;
    s.magnification = 100.0;
    EXPECT_EQ(Value(s, 100).toStdString(), "0.710000 mm");
}

TEST(MeasureScale, DistanceUsesExactIntegerSquares) {
    EXPECT_DOUBLE_EQ(Distance({0, 0}, {3, 4}), 5.0);
    EXPECT_DOUBLE_EQ(Distance({-2147483647 - 1, 0}, {2147483647, 0}), 4294967295.0);
}

TEST(MeasureConversion, TruncatesTowardZeroAndNeverOverflows) {
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
    EXPECT_EQ(TruncToInt(std::numeric_limits<double>::infinity()), 2147483647);
    EXPECT_EQ(TruncToInt(-1e300), -2147483647 - 1);
    EXPECT_EQ(Half(-3, 0), -1);
    EXPECT_EQ(Half(2147483647, 2147483647), 2147483647);
}

TEST(MeasureLabels, LinesBelowAndDegreeMark) {
    EXPECT_EQ(LineBelow({10, 100}, 2, -18), (GdiPoint{10, 136}));
    // "90.000002" is nine characters: 9 * 1.05 * 18 / 2 = 85.05.
    EXPECT_EQ(DegreeMarkPosition({10, 100}, 9, -18), (GdiPoint{95, 91}));
    EXPECT_EQ(DegreeMarkPosition({10, 100}, 9, -19), (GdiPoint{99, 91}));
    EXPECT_EQ(FormatNumber(Degrees(std::atan2(1.0, 0.0))).toStdString(), "90.000002");
}

struct GuideCase {
    GdiPoint a, b, p;
    int half;
    Segment expected;
};

class Perpendicular : public testing::TestWithParam<GuideCase> {};

TEST_P(Perpendicular, EndPoints) {
    const GuideCase& c = GetParam();
    EXPECT_EQ(PerpendicularThrough(c.p, c.a, c.b, c.half), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Segments, Perpendicular,
                         testing::Values(
                             // Vertical segment: horizontal guide.
                             GuideCase{{5, 0}, {5, 50}, {5, 50}, 10000, {{10005, 50}, {-9995, 50}}},
                             // Horizontal and zero-length segments: vertical guide.
                             GuideCase{{0, 7}, {40, 7}, {0, 7}, 10000, {{0, 10007}, {0, -9993}}},
                             GuideCase{{3, 3}, {3, 3}, {3, 3}, 10000, {{3, 10003}, {3, -9997}}},
                             // Diagonal: slope -1, d = sqrt(10000^2 / 2) = 7071.07.
                             GuideCase{
                                 {0, 0}, {10, 10}, {10, 10}, 10000, {{7081, -7061}, {-7061, 7081}}},
                             // Ticks of a width-4 line reach 12 pixels to each side.
                             GuideCase{{0, 0}, {100, 0}, {100, 0}, 12, {{100, 12}, {100, -12}}},
                             GuideCase{{0, 0}, {30, 40}, {0, 0}, 12, {{9, -7}, {-9, 7}}}));

struct SnapCase {
    int constraint;
    GdiPoint drag;
    GdiPoint expected;
};

class Snap : public testing::TestWithParam<SnapCase> {};

TEST_P(Snap, EndFromDrag) {
    const GdiPoint a{100, 200};
    const SnapCase& c = GetParam();
    const GdiPoint b{a.x + c.drag.x, a.y + c.drag.y};
    EXPECT_EQ(SnapEnd(a, b, c.constraint), (GdiPoint{a.x + c.expected.x, a.y + c.expected.y}));
}

INSTANTIATE_TEST_SUITE_P(
    Constraints, Snap,
    testing::Values(SnapCase{0, {37, -12}, {37, -12}}, SnapCase{90, {30, 30}, {0, 30}},
                    SnapCase{90, {31, 30}, {31, 0}}, SnapCase{90, {-5, -40}, {0, -40}},
                    SnapCase{45, {40, -10}, {10, -10}}, SnapCase{45, {-10, 40}, {-10, 10}},
                    SnapCase{45, {-30, -50}, {-30, -30}}, SnapCase{45, {40, 0}, {0, 0}},
                    SnapCase{45, {0, -40}, {0, 0}}));

TEST(MeasureCircle, ThroughThreePointsInBothOrders) {
    const auto forward = CircleThroughPoints({0, 100}, {100, 0}, {200, 100});
    ASSERT_TRUE(forward);
    EXPECT_EQ(forward->centre, (GdiPoint{100, 100}));
    EXPECT_DOUBLE_EQ(forward->radius, 100.0);
    EXPECT_EQ(DrawingRadius(forward->radius), 100u);

    // The bisector slopes come out at -1.00000005 and 0.99999995, and the
    // centre is truncated.
    const auto backward = CircleThroughPoints({200, 100}, {100, 0}, {0, 100});
    ASSERT_TRUE(backward);
    EXPECT_EQ(backward->centre, (GdiPoint{100, 99}));
}

TEST(MeasureCircle, CollinearOrCoincidentPointsHaveNoCircle) {
    EXPECT_FALSE(CircleThroughPoints({0, 0}, {100, 0}, {200, 0}));
    EXPECT_FALSE(CircleThroughPoints({0, 0}, {100, 0}, {50, 0}));
    EXPECT_FALSE(CircleThroughPoints({0, 0}, {50, 50}, {-70, -70}));
    EXPECT_FALSE(CircleThroughPoints({5, 5}, {5, 5}, {9, 1}));
    EXPECT_FALSE(CircleThroughPoints({5, 5}, {5, 5}, {5, 5}));
    // Nearly collinear: the centre would lie beyond any pixel coordinate.
    EXPECT_FALSE(CircleThroughPoints({-2000000000, 0}, {0, 1}, {2000000000, 0}));
}

TEST(MeasureCircle, RadiusLimitedForDrawing) {
    EXPECT_EQ(DrawingRadius(250000.7), 100000u);
    EXPECT_EQ(DrawingRadius(99.99), 99u);
    EXPECT_EQ(DrawingRadius(std::nan("")), 0u);
}

TEST(MeasureCircle, StartAngleFacesThirdPoint) {
    EXPECT_NEAR(CircleStartAngle({100, 100}, {200, 100}), 0.0, 1e-5);
    EXPECT_NEAR(CircleStartAngle({100, 100}, {100, 0}), 90.0, 1e-5);
    EXPECT_NEAR(CircleStartAngle({100, 100}, {0, 100}), 180.0, 1e-5);
}

TEST(MeasureArc, ThroughTopHalfSweeps180000003) {
    const ArcSpan arc = ArcThroughPoints({100, 100}, {0, 100}, {100, 0}, {200, 100});
    EXPECT_DOUBLE_EQ(arc.start, 0.0);
    EXPECT_EQ(FormatNumber(arc.sweep).toStdString(), "180.000003");
    // The order of the points does not matter.
    const ArcSpan reversed = ArcThroughPoints({100, 100}, {200, 100}, {0, 100}, {100, 0});
    EXPECT_DOUBLE_EQ(reversed.start, arc.start);
    EXPECT_DOUBLE_EQ(reversed.sweep, arc.sweep);
}

TEST(MeasureArc, LeavesOutTheLargestGap) {
    // Gaps 20, 30, 310: the arc runs from lo over mid to hi.
    ArcSpan arc = ArcLeavingLargestGap(10, 40, 60);
    EXPECT_DOUBLE_EQ(arc.start, 10);
    EXPECT_DOUBLE_EQ(arc.sweep, 50);
    // Gaps 200 (hi-mid), 10, 150: start at hi, over the wrap to lo and mid.
    arc = ArcLeavingLargestGap(170, -30, -40);
    EXPECT_DOUBLE_EQ(arc.start, 170);
    EXPECT_DOUBLE_EQ(arc.sweep, 160);
    // Gaps 10, 190, 160: start at mid, over hi and the wrap to lo.
    arc = ArcLeavingLargestGap(-170, 20, 30);
    EXPECT_DOUBLE_EQ(arc.start, 20);
    EXPECT_DOUBLE_EQ(arc.sweep, 170);
}

struct ArmCase {
    GdiPoint a, b;
    const char* label;
    bool counterclockwise;
};

class ThreePointAngle : public testing::TestWithParam<ArmCase> {};

TEST_P(ThreePointAngle, LabelAndDirection) {
    const ArmAngle angle = AngleBetweenArms({100, 100}, GetParam().a, GetParam().b);
    EXPECT_EQ(FormatNumber(std::fabs(angle.sweep)).toStdString(), GetParam().label);
    EXPECT_EQ(angle.sweep > 0, GetParam().counterclockwise);
}

INSTANTIATE_TEST_SUITE_P(Arms, ThreePointAngle,
                         testing::Values(ArmCase{{200, 100}, {100, 0}, "90.000002", true},
                                         ArmCase{{100, 0}, {200, 100}, "90.000002", false},
                                         ArmCase{{200, 100}, {0, 100}, "179.999997", false},
                                         ArmCase{{200, 100}, {200, 100}, "0.000000", false}));

TEST(MeasureAngle, FoldsIntoHalfTurn) {
    EXPECT_DOUBLE_EQ(FoldIntoHalfTurn(170 - -170), -20);
    EXPECT_DOUBLE_EQ(FoldIntoHalfTurn(-170 - 170), 20);
    EXPECT_DOUBLE_EQ(FoldIntoHalfTurn(180), 180);
    EXPECT_DOUBLE_EQ(AngleBetweenArms({0, 0}, {0, 0}, {0, 0}).first, 0);
}

TEST(MeasureAngle, AcuteAngleBetweenLines) {
    EXPECT_DOUBLE_EQ(AcuteAngle(30), 30);
    EXPECT_DOUBLE_EQ(AcuteAngle(-120), 60);
    EXPECT_DOUBLE_EQ(AcuteAngle(200), 20);
    EXPECT_DOUBLE_EQ(AcuteAngle(-300), 60);
    EXPECT_DOUBLE_EQ(AcuteAngle(90), 90);
}

TEST(MeasureFourPoint, CrossingLines) {
    const GdiPoint p1{0, 0}, p2{100, 0}, p3{50, 50}, q{50, 10};
    const LinePairAngle angle = AngleBetweenLines(p1, p2, p3, q);
    EXPECT_EQ(FormatNumber(angle.theta).toStdString(), "89.999998");

    const auto x = LineIntersection(p1, p2, p3, q);
    ASSERT_TRUE(x);
    EXPECT_EQ(*x, (GdiPoint{50, 0}));
    // The first line contains the crossing; the second stops short of it.
    EXPECT_FALSE(ExtensionTo(p1, p2, *x));
    EXPECT_EQ(ExtensionTo(p3, q, *x), (Segment{{50, 50}, {50, 0}}));
    EXPECT_EQ(ExtensionTo({50, -10}, {50, -40}, *x), (Segment{{50, -40}, {50, 0}}));
}

TEST(MeasureFourPoint, ParallelLinesDoNotCross) {
    const LinePairAngle angle = AngleBetweenLines({0, 0}, {100, 0}, {0, 50}, {70, 50});
    EXPECT_EQ(FormatNumber(angle.theta).toStdString(), "0.000000");
    EXPECT_FALSE(LineIntersection({0, 0}, {100, 0}, {0, 50}, {70, 50}));
    EXPECT_FALSE(LineIntersection({0, 0}, {0, 100}, {9, 5}, {9, 70}));
}

TEST(MeasureFourPoint, VerticalFirstLine) {
    const auto x = LineIntersection({20, 0}, {20, 100}, {0, 0}, {100, 50});
    ASSERT_TRUE(x);
    EXPECT_EQ(*x, (GdiPoint{20, 10}));
}

TEST(MeasureFourPoint, FarCoordinatesStayExact) {
    // The numerator is far beyond 32 bits here.
    const auto x = LineIntersection({0, 0}, {200000, 200000}, {0, 200000}, {200000, 0});
    ASSERT_TRUE(x);
    EXPECT_EQ(*x, (GdiPoint{100000, 100000}));
}

struct MarkCase {
    GdiPoint p1, p2, p3, q;
    float start;
    float sweep;
};

class FourPointMark : public testing::TestWithParam<MarkCase> {};

TEST_P(FourPointMark, StartAndSweep) {
    const MarkCase& c = GetParam();
    const auto arc = MarkingArc(AngleBetweenLines(c.p1, c.p2, c.p3, c.q));
    ASSERT_TRUE(arc);
    EXPECT_NEAR(arc->start, c.start, 1e-4);
    EXPECT_NEAR(arc->sweep, c.sweep, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FourPointMark,
    testing::Values(
        // beta1 = 0, beta2 = 90: k = 2, table B (beta1 is not positive).
        MarkCase{{0, 0}, {100, 0}, {50, 50}, {50, 10}, 90.0000015f, 89.9999985f},
        // beta1 = 45, beta2 = 135, beta3 = -45: k = 2, table B, both positive.
        MarkCase{{0, 100}, {100, 0}, {100, 100}, {0, 0}, 315.0000023f, 89.9999985f},
        // beta1 = 45, beta2 = 0, beta3 = 180: k = -1, table A with beta1 > 0.
        MarkCase{{0, 100}, {100, 0}, {0, 50}, {100, 50}, 180.0f, 45.0000008f},
        // beta1 = 0, beta2 = -135, beta3 = -45: k = -2, table B.
        MarkCase{{0, 0}, {100, 0}, {60, 10}, {0, 70}, 45.0000008f, -45.0000008f}));

TEST(MeasurePolygon, TriangleArea) {
    const GdiPoint list[] = {{100, 100}, {0, 0}, {100, 0}, {100, 100}};
    const Scale s = DefaultScale();
    const double area = PolygonArea(list, 3, s.ToUnit(s.pixelSize));
    EXPECT_EQ(FormatValue("A=%f %s^2", std::fabs(area), s.Word()).toStdString(), "A=0.252050 mm^2");
}

TEST(MeasurePolygon, AreaOfWideCoordinatesDoesNotOverflow) {
    const GdiPoint list[] = {{0, 2000000000}, {0, 0}, {2000000000, 0}, {0, 2000000000}};
    EXPECT_DOUBLE_EQ(std::fabs(PolygonArea(list, 3, 1.0)), 2e18);
}
