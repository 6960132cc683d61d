#include "results/MeasurementCapture.h"
#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"
#include "view/ToolMode.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr uint32_t Placed = CDrawMeasure::LabelPlacedBit;

// The texts a measurement writes, as the picture receives them.
struct TextCanvas : MeasureCanvas
{
    void MoveTo(GdiPoint) override {}
    void LineTo(GdiPoint) override {}
    void Polyline(const GdiPoint*, int) override {}
    void Ellipse(const GdiRect&) override {}
    void AngleArc(GdiPoint, uint32_t, float, float) override {}
    void TextOut(GdiPoint, const QString& text) override
    {
        if (text != QLatin1String("o"))
            texts.append(text);
    }
    void GuideLine(GdiPoint, GdiPoint) override {}
    GdiPoint ToDevice(GdiPoint p) const override { return p; }
    QStringList texts;
};

struct Expected
{
    Quantity quantity;
    int segment;
    const char* number;
    const char* unit;
};

struct CaptureCase
{
    const char* name;
    int kind;
    std::vector<GdiPoint> points; // from slot 0
    uint32_t pointIndex;
    uint32_t labelIndex;
    int phase;
    int tool;
    std::vector<Expected> values; // in column order
    int unit = 0;
};

// Finished measurements at 0.355 mm per pixel and magnification 50: the
// numbers their labels are known to show.
const CaptureCase Cases[] = {
    {"AnyAngleLine",
     1,
     {{0, 0}, {100, 0}},
     3,
     Placed,
     0,
     ToolAnyAngleLine,
     {{Quantity::Length, 0, "0.710000", "mm"}}},
    {"LineInMicrometres",
     1,
     {{0, 0}, {100, 0}},
     3,
     Placed,
     0,
     ToolAnyAngleLine,
     {{Quantity::Length, 0, "710.000000", "um"}},
     1},
    {"RadiusCircle",
     12,
     {{0, 0}, {100, 0}},
     3,
     Placed,
     0,
     ToolRadiusCircle,
     {{Quantity::Radius, 0, "0.710000", "mm"},
      {Quantity::Circumference, 0, "4.461061", "mm"},
      {Quantity::Area, 0, "1.583677", "mm^2"}}},
    {"DiameterCircle",
     13,
     {{0, 0}, {100, 0}},
     3,
     Placed,
     0,
     ToolDiameterCircle,
     {{Quantity::Diameter, 0, "0.710000", "mm"},
      {Quantity::Circumference, 0, "2.230531", "mm"},
      {Quantity::Area, 0, "0.395919", "mm^2"}}},
    {"ContinuousLine",
     10,
     {{}, {0, 0}, {100, 0}, {100, 100}},
     3,
     3,
     5,
     ToolContinuousLine,
     {{Quantity::Segment, 1, "0.710000", "mm"},
      {Quantity::Segment, 2, "0.710000", "mm"},
      {Quantity::Total, 0, "1.420000", "mm"}}},
    {"Polygon",
     11,
     {{}, {0, 0}, {100, 0}, {100, 100}},
     3,
     3,
     5,
     ToolPolygon,
     {{Quantity::Segment, 1, "0.710000", "mm"},
      {Quantity::Segment, 2, "0.710000", "mm"},
      {Quantity::Perimeter, 0, "1.420000", "mm"},
      {Quantity::Area, 0, "0.252050", "mm^2"}}},
    {"ThreePointCircle",
     7,
     {{}, {0, 100}, {100, 0}, {200, 100}},
     4,
     Placed,
     0,
     ToolThreePointCircle,
     {{Quantity::Radius, 0, "0.710000", "mm"},
      {Quantity::Circumference, 0, "4.461061", "mm"},
      {Quantity::Area, 0, "1.583677", "mm^2"}}},
    {"ThreePointArc",
     8,
     {{}, {0, 100}, {100, 0}, {200, 100}},
     4,
     Placed,
     0,
     ToolThreePointArc,
     {{Quantity::Radius, 0, "0.710000", "mm"},
      {Quantity::ArcLength, 0, "2.230531", "mm"},
      {Quantity::Area, 0, "0.791838", "mm^2"},
      {Quantity::Angle, 0, "180.000003", "deg"}}},
    {"ThreePointAngle",
     6,
     {{}, {100, 100}, {200, 100}, {100, 0}},
     4,
     Placed,
     0,
     ToolThreePointAngle,
     {{Quantity::Angle, 0, "90.000002", "deg"}}},
    {"FourPointAngle",
     9,
     {{}, {0, 0}, {100, 0}, {50, 50}, {50, 10}},
     5,
     Placed,
     0,
     ToolFourPointAngle,
     {{Quantity::Angle, 0, "89.999998", "deg"}}},
};

std::unique_ptr<CDrawMeasure> Make(const CaptureCase& c)
{
    auto m = std::make_unique<CDrawMeasure>(c.kind, GdiRect{});
    m->pixelSize = 0.355;
    m->magnification = 50.0;
    m->unit = c.unit;
    std::copy(c.points.begin(), c.points.end(), m->points.begin());
    m->pointIndex = c.pointIndex;
    m->labelIndex = c.labelIndex;
    m->polylinePhase = c.phase;
    m->labelPoints[1] = {10, 10};
    m->labelPoints[2] = {20, 20};
    m->SetBounds({300, 300}, {300, 300});
    return m;
}

class CaptureTest : public ::testing::TestWithParam<CaptureCase>
{};

TEST_P(CaptureTest, ValuesAreTheLabelTexts)
{
    const CaptureCase& c = GetParam();
    const auto measure = Make(c);
    TextCanvas canvas;
    measure->DrawOn(canvas, -12);

    const std::optional<MeasurementRecord> record = MeasurementCapture::Capture(*measure);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->tool, c.tool);
    EXPECT_EQ(record->magnification, 50.0);
    EXPECT_EQ(record->pixelSize, 0.355);

    // Every label the picture shows is one value, with its digits and unit.
    ASSERT_EQ(record->values.size(), size_t(canvas.texts.size()));
    for (const MeasuredValue& v : record->values) {
        const QString shown = v.unit == QLatin1String("deg") ? v.number : v.number + u' ' + v.unit;
        EXPECT_TRUE(std::any_of(canvas.texts.begin(), canvas.texts.end(), [&](const QString& t) {
            return t.endsWith(shown);
        })) << shown.toStdString();
    }
    // And each has the meaning its label gives it.
    std::vector<MeasuredValue> sorted = record->values;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return std::tie(a.quantity, a.segment) < std::tie(b.quantity, b.segment);
    });
    ASSERT_EQ(sorted.size(), c.values.size());
    for (size_t i = 0; i < sorted.size(); ++i) {
        EXPECT_EQ(sorted[i].quantity, c.values[i].quantity) << i;
        EXPECT_EQ(sorted[i].segment, c.values[i].segment) << i;
        EXPECT_EQ(sorted[i].number, QLatin1String(c.values[i].number)) << i;
        EXPECT_EQ(sorted[i].unit, QLatin1String(c.values[i].unit)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CaptureTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureTest, CalibrationAndUnknownKindsGiveNoRecord)
{
    for (int kind : {0, 2, 5, 14}) {
        CDrawMeasure m(kind, GdiRect{});
        m.magnification = 50;
        EXPECT_FALSE(MeasurementCapture::Capture(m)) << kind;
    }
}

TEST(CaptureTest, StraightLinesKeepTheirToolAndSnappedEnd)
{
    struct Case
    {
        int constraint;
        int tool;
        GdiPoint end;
    };
    for (const Case c :
         {Case{0, ToolAnyAngleLine, {140, 90}}, Case{90, ToolStraightAngleLine, {140, 100}},
          Case{45, ToolFortyFiveLine, {110, 90}}}) {
        CDrawMeasure m(1, GdiRect{});
        m.magnification = 50;
        m.angleConstraint = c.constraint;
        m.points[0] = {100, 100};
        m.points[1] = {140, 90};
        m.pointIndex = 3;
        m.labelIndex = Placed;
        const auto record = MeasurementCapture::Capture(m);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->tool, c.tool);
        EXPECT_EQ(record->points, (std::vector<GdiPoint>{{100, 100}, c.end})) << c.constraint;
    }
}

TEST(CaptureTest, LocaleCommaBecomesADot)
{
    const auto values = MeasurementCapture::ValuesOfLabels(12, {QStringLiteral("R=0,710000 mm")});
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].number, QStringLiteral("0.710000"));
}

} // namespace
