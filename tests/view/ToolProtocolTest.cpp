#include "ProtocolDriver.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

using S = InteractionState;
using T = ToolMode;

// The numbers of label texts such as "R=5.000000 mm"; texts without one
// (the degree mark) are left out.
std::vector<double> Numbers(const QStringList& labels)
{
    static const QRegularExpression number(QStringLiteral("-?\\d+\\.\\d+"));
    std::vector<double> values;
    for (const QString& label : labels)
        if (const auto match = number.match(label); match.hasMatch())
            values.push_back(match.captured().toDouble());
    return values;
}

constexpr double Pi = 3.1415926;

struct Case
{
    const char* name;
    ToolMode tool;
    const char* script;
    S state;
    int commits;
    std::vector<GdiPoint> points;
    std::vector<double> numbers;
};

// clang-format off
const Case Cases[] = {
    {"LineByTwoClicks", T::ToolLine, "c10,10 m50,40 c50,40", S::StateIdle, 1, {{10, 10}, {50, 40}}, {}},
    {"LineFollowsBetweenClicks", T::ToolLine, "c10,10 m50,40", S::StateShapeStarted, 0, {}, {}},
    {"ArrowDraggedAfterItsStart", T::ToolArrow, "c10,10 p50,40 m60,50 r60,50", S::StateIdle, 1, {{10, 10}, {60, 50}}, {}},
    {"RectangleNormalised", T::ToolRectangle, "p50,60 m20,30 r25,35", S::StateIdle, 1, {{25, 35}, {50, 60}}, {}},
    {"EllipseToNegative", T::ToolEllipse, "p50,50 r-10,-20", S::StateIdle, 1, {{-10, -20}, {50, 50}}, {}},
    {"Freehand", T::ToolFreehand, "p1,1 m2,2 m3,3 r4,4", S::StateIdle, 1, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}, {}},
    // Past the view's width the release point is not added.
    {"FreehandLeftTheView", T::ToolFreehand, "p1,1 m700,10 r700,10", S::StateIdle, 1, {{1, 1}, {700, 10}}, {}},
    {"TextEntered", T::ToolText, "c30,40 tHi e", S::StateIdle, 1, {{30, 40}}, {}},
    {"TextFinishedByAPressOutside", T::ToolText, "c30,40 tab c300,300", S::StateTyping, 1, {{30, 40}}, {}},
    {"TextThrownAwayByAPressInside", T::ToolText, "c30,40 tab c31,41", S::StateTyping, 0, {}, {}},
    {"AnyAngleLine", T::ToolAnyAngleLine, "c0,0 m100,0 c100,0 m120,30 c120,30", S::StateIdle, 1, {{0, 0}, {100, 0}}, {5}},
    {"AnyAngleLineAwaitsItsLabel", T::ToolAnyAngleLine, "c0,0 c100,0", S::StatePlacingLabel, 0, {}, {}},
    {"StraightAngleLineSnaps", T::ToolStraightAngleLine, "c0,0 c100,10 c120,30", S::StateIdle, 1, {{0, 0}, {100, 10}}, {5}},
    {"FortyFiveLine", T::ToolFortyFiveLine, "c0,0 c100,100 c120,30", S::StateIdle, 1, {{0, 0}, {100, 100}}, {5 * std::sqrt(2.0)}},
    {"RadiusCircle", T::ToolRadiusCircle, "c100,100 c200,100 c300,300", S::StateIdle, 1, {{100, 100}, {200, 100}}, {5, 10 * Pi, 25 * Pi}},
    {"DiameterCircle", T::ToolDiameterCircle, "c0,0 c200,0 c300,300", S::StateIdle, 1, {{0, 0}, {200, 0}}, {10, 10 * Pi, 25 * Pi}},
    {"ThreePointCircle", T::ToolThreePointCircle, "c0,100 c200,100 c100,0 c300,300", S::StateIdle, 1, {{0, 100}, {200, 100}, {100, 0}}, {5, 10 * Pi, 25 * Pi}},
    {"ThreePointArc", T::ToolThreePointArc, "c0,100 c100,0 c200,100 c300,300", S::StateIdle, 1, {{0, 100}, {100, 0}, {200, 100}}, {180, 5, 5 * Pi, 12.5 * Pi}},
    {"ThreePointAngle", T::ToolThreePointAngle, "c100,100 c200,100 c100,0 c300,300", S::StateIdle, 1, {{100, 100}, {200, 100}, {100, 0}}, {90}},
    {"FourPointAngle", T::ToolFourPointAngle, "c0,0 c100,0 c0,50 c100,150 c300,300", S::StateIdle, 1, {{0, 0}, {100, 0}, {0, 50}, {100, 150}}, {45}},
    {"FourPointAngleThirdPoint", T::ToolFourPointAngle, "c0,0 c100,0 c0,50", S::StateThreePointsPlaced, 0, {}, {}},
    // Vertex, its label, vertex, ...; a double click ends the vertices and two final labels follow.
    {"ContinuousLine", T::ToolContinuousLine, "c0,0 c100,0 c50,-10 c100,100 d100,100 c0,200 c0,220", S::StateIdle, 1, {{0, 0}, {100, 0}, {100, 100}}, {5, 5, 10}},
    {"ContinuousLineFinalLabel", T::ToolContinuousLine, "c0,0 c100,0 d100,0 c0,200", S::StatePlacingLabel, 0, {}, {}},
    // The first click of a double click while a vertex is awaited placed a label; it is taken back.
    {"ContinuousLineDoubleClickAtVertex", T::ToolContinuousLine, "c0,0 c100,0 c50,-10 d50,-10 c0,200 c0,220", S::StateIdle, 1, {{0, 0}, {100, 0}}, {5, 5}},
    {"Polygon", T::ToolPolygon, "c0,0 c100,0 c50,-10 c100,100 c110,50 c0,100 d0,100 c0,200 c0,220", S::StateIdle, 1, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {5, 5, 5, 25, 15}},
    {"Calibration", T::ToolCalibration, "c0,0 m200,0 c200,0", S::StateIdle, 1, {{0, 0}, {200, 0}}, {10}},
    {"CancelDropsTheObject", T::ToolAnyAngleLine, "c0,0 m100,0 x", S::StateIdle, 0, {}, {}},
    {"ANewToolCommitsTheObjectAsDrawn", T::ToolDiameterCircle, "c0,0 m200,0 n", S::StateIdle, 1, {{0, 0}, {200, 0}}, {10, 10 * Pi, 25 * Pi}},
    {"NoTool", T::ToolNone, "c0,0 m100,0 c100,0", S::StateIdle, 0, {}, {}},
};
// clang-format on

class ToolProtocolTest : public ::testing::TestWithParam<Case>
{};

TEST_P(ToolProtocolTest, EventsGiveTheObject)
{
    const Case& c = GetParam();
    ProtocolDriver driver;
    driver.Take(driver.protocol.SetTool(c.tool));
    driver.Run(c.script);
    EXPECT_EQ(driver.protocol.State(), c.state);
    EXPECT_EQ(driver.commits, c.commits);
    if (c.commits == 0)
        return;
    if (!c.points.empty())
        EXPECT_EQ(driver.points, c.points);
    const std::vector<double> numbers = Numbers(driver.labels);
    ASSERT_EQ(numbers.size(), c.numbers.size()) << driver.labels.join(u'|').toStdString();
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_NEAR(numbers[i], c.numbers[i], 5e-6) << driver.labels.join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolProtocolTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToolProtocolRules, TypingKeepsPrintableUnitsUpToTheBuffer)
{
    ProtocolDriver driver;
    driver.protocol.SetTool(ToolMode::ToolText);
    driver.Run("c30,40");
    for (char32_t code : {U'\x01', U'\x1f', U'\x80', U'\xff', U'a', U'\x7f', U'\x100', U'\xffff'})
        driver.Take(driver.protocol.Type(code));
    EXPECT_EQ(driver.protocol.TypedText(), QString::fromUtf16(u"a\x7f\x100\xffff"));
    driver.Run("b b b b b");
    EXPECT_EQ(driver.protocol.TextLength(), 0);
    for (int i = 0; i < ToolProtocol::TextBufferSize + 10; ++i)
        driver.Take(driver.protocol.Type(U'x'));
    EXPECT_EQ(driver.protocol.TextLength(), ToolProtocol::TextBufferSize - 1);
    driver.Run("e");
    EXPECT_EQ(driver.labels.value(0).size(), ToolProtocol::TextBufferSize - 1);
}

// A new measurement divides by the calibrated magnification when it is in
// force; a calibration line falls back to 50 when the magnification is not above 1,
// and gives its value on release, without a widget having drawn the line.
TEST(ToolProtocolRules, MeasurementsTakeTheMagnificationInForce)
{
    // tool, picture and adjusted magnifications, the adjusted one in force, the expected one
    const std::tuple<ToolMode, double, double, int, double> cases[] = {
        {ToolMode::ToolRadiusCircle, 10, 20, 0, 10},  {ToolMode::ToolRadiusCircle, 10, 20, 1, 20},
        {ToolMode::ToolRadiusCircle, 0.5, 0, 0, 0.5}, {ToolMode::ToolCalibration, 1, 0, 0, 50},
        {ToolMode::ToolCalibration, 10, 0.5, 1, 50},  {ToolMode::ToolCalibration, 10, 20, 1, 20},
    };
    for (const auto& [tool, picture, adjusted, useAdjusted, expected] : cases) {
        ProtocolDriver driver;
        driver.scale.pictureMagnification = picture;
        driver.scale.adjustedMagnification = adjusted;
        driver.scale.useAdjustedMagnification = useAdjusted;
        driver.protocol.SetTool(tool);
        driver.Run("c0,0 m200,0");
        auto* measure = dynamic_cast<CDrawMeasure*>(driver.protocol.Object());
        ASSERT_NE(measure, nullptr);
        EXPECT_EQ(measure->magnification, expected) << picture << " " << useAdjusted;
        // A calibration gives its value (200 pixels of 0.5) with the release, not the press.
        if (tool == ToolMode::ToolCalibration) {
            EXPECT_FALSE(driver.protocol.Press({200, 0}).calibration);
            EXPECT_EQ(driver.protocol.Release({200, 0}).calibration, 200 * 0.5 * expected);
        }
    }
}

// Each press places a vertex or a segment's label; once the label list has
// room only for the two final labels the vertices end as after a double click.
TEST(ToolProtocolRules, PolylineListsEndWhenFull)
{
    ProtocolDriver driver;
    driver.protocol.SetTool(ToolMode::ToolContinuousLine);
    driver.Run("c0,0");
    int presses = 0;
    while (driver.protocol.State() != S::StatePlacingLabel && presses < 3000) {
        const GdiPoint p{presses % 600, 1 + presses / 600};
        driver.Take(driver.protocol.Press(p));
        driver.Take(driver.protocol.Release(p));
        ++presses;
    }
    EXPECT_EQ(presses, 2044);
    driver.Run("c0,200 c0,220");
    ASSERT_EQ(driver.commits, 1);
    EXPECT_EQ(driver.points.size(), CDrawMeasure::LastSlot);
}

} // namespace
