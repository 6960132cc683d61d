#include "ResultsTestSupport.h"

#include "draw/CDrawMeasure.h"
#include "results/MeasurementCapture.h"
#include "results/ResultsLayout.h"
#include "view/ToolMode.h"

#include <gtest/gtest.h>

#include <tuple>

#include <memory>

namespace {

using enum ToolMode;
// Stands for "every geometric point placed" in the label index column.
constexpr uint32_t Placed = 0x80000000u;

struct CaptureCase
{
    const char* name;
    int kind;
    std::vector<GdiPoint> points; // from slot 0
    uint32_t pointIndex;
    uint32_t labelIndex;
    int phase;
    ToolMode tool;
    const char* values; // as the table's columns show them
    int unit = 0;
};

// Finished measurements at 0.355 mm per pixel and magnification 50, with the
// numbers their labels are known to show.
// clang-format off
const CaptureCase Cases[] = {
    {"AnyAngleLine", 1, {{0, 0}, {100, 0}}, 3, Placed, 0, ToolAnyAngleLine, "Length (mm)=0.710000"},
    {"LineInMicrometres", 1, {{0, 0}, {100, 0}}, 3, Placed, 0, ToolAnyAngleLine, "Length (um)=710.000000", 1},
    {"RadiusCircle", 12, {{0, 0}, {100, 0}}, 3, Placed, 0, ToolRadiusCircle,
     "Radius (mm)=0.710000 Circumference (mm)=4.461061 Area (mm^2)=1.583677"},
    {"DiameterCircle", 13, {{0, 0}, {100, 0}}, 3, Placed, 0, ToolDiameterCircle,
     "Diameter (mm)=0.710000 Circumference (mm)=2.230531 Area (mm^2)=0.395919"},
    {"ContinuousLine", 10, {{}, {0, 0}, {100, 0}, {100, 100}}, 3, 3, 5, ToolContinuousLine,
     "Segment 1 (mm)=0.710000 Segment 2 (mm)=0.710000 Total (mm)=1.420000"},
    {"Polygon", 11, {{}, {0, 0}, {100, 0}, {100, 100}}, 3, 3, 5, ToolPolygon,
     "Segment 1 (mm)=0.710000 Segment 2 (mm)=0.710000 Perimeter (mm)=1.420000 Area (mm^2)=0.252050"},
    {"ThreePointCircle", 7, {{}, {0, 100}, {100, 0}, {200, 100}}, 4, Placed, 0, ToolThreePointCircle,
     "Radius (mm)=0.710000 Circumference (mm)=4.461061 Area (mm^2)=1.583677"},
    {"ThreePointArc", 8, {{}, {0, 100}, {100, 0}, {200, 100}}, 4, Placed, 0, ToolThreePointArc,
     "Radius (mm)=0.710000 Arc length (mm)=2.230531 Area (mm^2)=0.791838 Angle (deg)=180.000003"},
    {"ThreePointAngle", 6, {{}, {100, 100}, {200, 100}, {100, 0}}, 4, Placed, 0, ToolThreePointAngle,
     "Angle (deg)=90.000002"},
    {"FourPointAngle", 9, {{}, {0, 0}, {100, 0}, {50, 50}, {50, 10}}, 5, Placed, 0, ToolFourPointAngle,
     "Angle (deg)=89.999998"},
};
// clang-format on

class CaptureTest : public ::testing::TestWithParam<CaptureCase>
{};

TEST_P(CaptureTest, ValuesAreTheLabelTexts)
{
    const CaptureCase& c = GetParam();
    CDrawMeasure m(MeasureKind(c.kind), GdiRect{});
    m.pixelSize = 0.355;
    m.magnification = 50.0;
    m.unit = c.unit;
    std::copy(c.points.begin(), c.points.end(), m.points.begin());
    m.pointIndex = c.pointIndex;
    m.allPointsPlaced = c.labelIndex == Placed;
    m.labelIndex = m.allPointsPlaced ? 0 : c.labelIndex;
    m.phase = PolylinePhase(c.phase);
    m.SetBounds({300, 300}, {300, 300});
    QStringList texts;
    for (const MeasureLabel& label : m.Labels(-12))
        if (label.text != QLatin1String("o"))
            texts << label.text;

    const std::optional<MeasurementRecord> record = MeasurementCapture::Capture(m);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->tool, int(c.tool));
    // Every label the picture shows is one value, with its digits and unit...
    ASSERT_EQ(record->values.size(), size_t(texts.size()));
    for (const MeasuredValue& v : record->values) {
        const QString shown = v.unit == QLatin1String("deg") ? v.number : v.number + u' ' + v.unit;
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const QString& t) {
            return t.endsWith(shown);
        })) << shown.toStdString();
    }
    // ...with the meaning its label gives it.
    const ResultRow row = ResultRow::From(*record, QString());
    const ResultsLayout layout({row});
    QStringList values;
    for (const ValueColumn& column : layout.ValueColumns())
        values.append(ResultsLayout::HeaderOf(column, TestTexts()) + u'=' +
                      layout.Cells(row, 1)[values.size() + ResultsLayout::LeadingColumns]);
    EXPECT_EQ(values.join(u' '), QString::fromLatin1(c.values));
}

INSTANTIATE_TEST_SUITE_P(Kinds, CaptureTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureTest, StraightLinesKeepTheirToolAndSnappedEnd)
{
    const std::tuple<int, ToolMode, GdiPoint> cases[] = {{0, ToolAnyAngleLine, {140, 90}},
                                                         {90, ToolStraightAngleLine, {140, 100}},
                                                         {45, ToolFortyFiveLine, {110, 90}}};
    for (const auto& [constraint, tool, end] : cases) {
        CDrawMeasure m(MeasureKind::StraightLine, GdiRect{});
        m.angleConstraint = constraint;
        m.points[0] = {100, 100};
        m.points[1] = {140, 90};
        m.allPointsPlaced = true;
        const auto record = MeasurementCapture::Capture(m);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->tool, int(tool));
        EXPECT_EQ(record->points, (std::vector<GdiPoint>{{100, 100}, end})) << constraint;
    }
    EXPECT_FALSE(MeasurementCapture::Capture(*std::make_unique<CDrawMeasure>(
        MeasureKind::Calibration, GdiRect{}))); // calibration lines are no results
    // A label written in a locale with a decimal comma still gives a dot.
    EXPECT_EQ(MeasurementCapture::ValuesOfLabels(MeasureKind::RadiusCircle,
                                                 {QStringLiteral("R=0,710000 mm")})[0]
                  .number,
              QStringLiteral("0.710000"));
}

} // namespace
