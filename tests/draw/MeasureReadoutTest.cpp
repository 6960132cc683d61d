#include "draw/MeasureReadout.h"
#include "draw/CDrawMeasure.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ReadoutCase
{
    const char* name;
    int kind;
    std::vector<GdiPoint> points;
    uint32_t pointIndex;
    uint32_t labelIndex;
    int32_t phase;
    GdiPoint pointer;
    QStringList lines;
};

class Readout : public testing::TestWithParam<ReadoutCase>
{};

// As a label count: every geometric point is fixed, only the label follows.
constexpr uint32_t Placed = 0xFFFFFFFFu;

// 0.355 mm per pixel at magnification 50: 100 pixels read 0.710000 mm.
TEST_P(Readout, RepeatsTheValuesWrittenAtThePointer)
{
    const ReadoutCase& c = GetParam();
    CDrawMeasure m(MeasureKind(c.kind), GdiRect{});
    m.magnification = 50.0;
    std::copy(c.points.begin(), c.points.end(), m.points.begin());
    m.pointIndex = c.pointIndex;
    m.allPointsPlaced = c.labelIndex == Placed;
    m.labelIndex = m.allPointsPlaced ? 0 : c.labelIndex;
    m.phase = PolylinePhase(c.phase);
    m.SetBounds({1, 1}, c.pointer);
    EXPECT_EQ(MeasureReadout::Lines(m), c.lines);
    // Reading does not disturb what the object draws next.
    EXPECT_EQ(MeasureReadout::Lines(m), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Readout,
    testing::Values(ReadoutCase{"LineFollowing", 1, {{0, 0}}, 1, 0, 0, {60, 80}, {"0.710000 mm"}},
                    // The calibration value sits beside the line, not at the pointer.
                    ReadoutCase{"Calibration", 0, {{0, 0}}, 1, 0, 0, {60, 80}, {"0.710000 mm"}},
                    ReadoutCase{"Radius",
                                12,
                                {{0, 0}},
                                1,
                                0,
                                0,
                                {60, 80},
                                {"R=0.710000 mm", "C=4.461061 mm", "A=1.583677 mm^2"}},
                    ReadoutCase{"Angle",
                                6,
                                {{}, {100, 100}, {200, 100}, {100, 0}},
                                3,
                                Placed,
                                0,
                                {5, 5},
                                {QStringLiteral("90.000002\u00B0")}},
                    // A placed segment label stays where it was put; the next segment's
                    // label and the total follow the pointer.
                    ReadoutCase{"ContinuousLine",
                                10,
                                {{}, {0, 0}, {100, 0}},
                                2,
                                1,
                                1,
                                {100, 100},
                                {"0.710000 mm", "Total=1.420000 mm"}}),
    [](const testing::TestParamInfo<ReadoutCase>& info) { return std::string(info.param.name); });

} // namespace
