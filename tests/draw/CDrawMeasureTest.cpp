#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"
#include "draw/MeasureReadout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Line = std::pair<GdiPoint, GdiPoint>;

// Records what a measurement draws so its construction reads as numbers;
// its texts are the labels the measurement reports.
struct RecordingCanvas : MeasureCanvas
{
    void MoveTo(GdiPoint p) override { position = p; }
    void LineTo(GdiPoint p) override { lines.emplace_back(std::exchange(position, p), p); }
    void Polyline(const GdiPoint* points, int count) override
    {
        polyline.assign(points, points + count);
    }
    void Ellipse(const GdiRect& box) override { ellipses.push_back(box); }
    void AngleArc(GdiPoint centre, uint32_t radius, float start, float sweep) override
    {
        arcs.push_back({centre, radius, start, sweep});
    }
    void TextOut(GdiPoint, const QString&) override {}
    void GuideLine(GdiPoint from, GdiPoint to) override { guides.emplace_back(from, to); }
    GdiPoint ToDevice(GdiPoint p) const override { return p; }

    struct Arc
    {
        GdiPoint centre;
        uint32_t radius;
        float start, sweep;
    };
    GdiPoint position;
    std::vector<Line> lines, guides;
    std::vector<GdiPoint> polyline;
    std::vector<GdiRect> ellipses;
    std::vector<Arc> arcs;
};

// As a label count: every geometric point is fixed, only the label follows.
constexpr uint32_t Placed = 0xFFFFFFFFu;

// 0.355 mm per pixel at magnification 50, width 4, as the tools make it.
std::unique_ptr<CDrawMeasure> Make(int kind, std::vector<GdiPoint> points, uint32_t pointIndex,
                                   uint32_t labelIndex, GdiPoint pointer, int unit = 0,
                                   int phase = 0)
{
    auto m = std::make_unique<CDrawMeasure>(MeasureKind(kind), GdiRect{});
    m->SetPen(MakeColorRef(255, 0, 0), 4, 0);
    m->magnification = 50.0;
    m->unit = unit;
    std::copy(points.begin(), points.end(), m->points.begin());
    m->pointIndex = pointIndex;
    m->allPointsPlaced = labelIndex == Placed;
    m->labelIndex = m->allPointsPlaced ? 0 : labelIndex;
    m->phase = PolylinePhase(phase);
    m->SetBounds({1, 1}, pointer);
    return m;
}

RecordingCanvas Draw(CDrawMeasure& m)
{
    RecordingCanvas canvas;
    m.DrawOn(canvas, -18);
    return canvas;
}

std::vector<std::string> Texts(CDrawMeasure& m)
{
    std::vector<std::string> texts;
    for (const MeasureLabel& label : m.Labels(-18))
        texts.push_back(label.text.toStdString());
    return texts;
}

struct LabelCase
{
    const char* name;
    int kind;
    std::vector<GdiPoint> points;
    uint32_t pointIndex, labelIndex;
    int unit, phase;
    std::vector<std::string> texts;
    size_t placedTexts = 0;      // leading texts fixed where they were placed
    uint32_t labelAtPointer = 0; // a placed label just put at the pointer
};

class Labels : public testing::TestWithParam<LabelCase>
{};

// The pointer is at (60, 80): 100 pixels from (0, 0). A calibration line
// leaves its length in millimetres times the magnification as its result.
// clang-format off
const LabelCase LabelCases[] = {
    {"Calibration", 0, {{0, 0}}, 1, 0, 0, 0, {"0.710000 mm"}},
    {"LineUm", 1, {{0, 0}}, 1, 0, 1, 0, {"710.000000 um"}},
    {"LineMil", 1, {{0, 0}}, 1, 0, 2, 0, {"27.952756 mil"}},
    {"LineInch", 1, {{0, 0}}, 1, 0, 3, 0, {"0.027953 inch"}},
    {"LineUnlistedUnit", 1, {{0, 0}}, 1, 0, 9, 0, {"0.710000 mm"}},
    {"LinePlacedEnd", 1, {{0, 0}, {100, 0}}, 2, Placed, 0, 0, {"0.710000 mm"}},
    {"ZeroCalibration", 0, {{60, 80}}, 1, 0, 0, 0, {}},
    {"Radius", 12, {{0, 0}}, 1, 0, 0, 0, {"R=0.710000 mm", "C=4.461061 mm", "A=1.583677 mm^2"}},
    {"Diameter", 13, {{0, 0}}, 1, 0, 0, 0, {"D=0.710000 mm", "C=2.230531 mm", "A=0.395919 mm^2"}},
    {"ThreePointCircle", 7, {{}, {0, 100}, {100, 0}, {200, 100}}, 4, Placed, 0, 0, {"R=0.710000 mm", "C=4.461061 mm", "A=1.583677 mm^2"}},
    {"ThreePointArc", 8, {{}, {0, 100}, {100, 0}, {200, 100}}, 3, Placed, 0, 0, {"180.000003", "o", "R=0.710000 mm", "C=2.230531 mm", "A=0.791838 mm^2"}},
    {"RightAngle", 6, {{}, {100, 100}, {200, 100}, {100, 0}}, 3, Placed, 0, 0, {"90.000002", "o"}},
    {"RightAngleSwapped", 6, {{}, {100, 100}, {100, 0}, {200, 100}}, 3, Placed, 0, 0, {"90.000002", "o"}},
    {"StraightAngle", 6, {{}, {100, 100}, {200, 100}, {0, 100}}, 3, Placed, 0, 0, {"179.999997", "o"}},
    {"CrossingLines", 9, {{}, {0, 0}, {100, 0}, {50, 50}, {50, 10}}, 4, Placed, 0, 0, {"89.999998", "o"}},
    {"ParallelLines", 9, {{}, {0, 0}, {100, 0}, {0, 50}, {70, 50}}, 4, Placed, 0, 0, {"0.000000", "o"}},
    {"ContinuousLine", 10, {{}, {0, 0}, {100, 0}, {100, 100}}, 3, 3, 0, 5, {"0.710000 mm", "0.710000 mm", "Total=1.420000 mm"}, 2},
    // The closing edge bounds the area but is not summed.
    {"Polygon", 11, {{}, {0, 0}, {100, 0}, {100, 100}}, 3, 3, 0, 5, {"0.710000 mm", "0.710000 mm", "A=0.252050 mm^2", "C=1.420000 mm"}, 2},
    // A label placed where the pointer is is read with the pointer's.
    {"ContinuousLineLabelAtPointer", 10, {{}, {0, 0}, {100, 0}, {100, 100}}, 3, 3, 0, 4, {"0.710000 mm", "0.710000 mm", "0.000000 mm", "Total=1.420000 mm"}, 2, 3},
    // While the pointer segment is live both edges through the pointer count.
    {"PolygonThroughThePointer", 11, {{}, {0, 0}, {100, 0}}, 2, 1, 0, 1, {"0.710000 mm", "0.635043 mm", "C=2.055043 mm"}, 1},
};
// clang-format on

TEST_P(Labels, Texts)
{
    const LabelCase& c = GetParam();
    auto m = Make(c.kind, c.points, c.pointIndex, c.labelIndex, {60, 80}, c.unit, c.phase);
    if (c.labelAtPointer)
        m->labelPoints[c.labelAtPointer] = {60, 80};
    // The readout repeats the texts that follow the pointer (in the order of
    // their lines), the degree mark joined to its number, and reading does not
    // disturb what is drawn next.
    QStringList readout;
    for (size_t i = c.placedTexts; i < c.texts.size(); ++i)
        if (c.texts[i] == "o")
            readout.back() += QChar(0x00B0);
        else
            readout << QString::fromStdString(c.texts[i]);
    QStringList lines = MeasureReadout::Lines(*m);
    lines.sort();
    readout.sort();
    EXPECT_EQ(lines, readout);
    EXPECT_EQ(Texts(*m), c.texts);
    if (c.kind == 0)
        EXPECT_EQ(m->result, c.texts.empty() ? 0.0 : 1775.0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Labels, testing::ValuesIn(LabelCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Guides through both ends while the end follows the pointer; a finished line
// of width 4 carries ticks 12 pixels long on each side; a 45-degree line
// dragged sideways has no length and no label.
TEST(CDrawMeasureTest, GuidesWhileFollowingTicksWhenFinished)
{
    auto m = Make(1, {{0, 0}, {100, 0}}, 1, 0, {60, 80});
    RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.lines, (std::vector<Line>{{{0, 0}, {60, 80}}}));
    EXPECT_EQ(c.guides.size(), 2u);

    m->pointIndex = 2;
    m->allPointsPlaced = true;
    c = Draw(*m);
    EXPECT_TRUE(c.guides.empty());
    EXPECT_EQ(c.lines, (std::vector<Line>{
                           {{0, 0}, {100, 0}}, {{0, 12}, {0, -12}}, {{100, 12}, {100, -12}}}));
    EXPECT_EQ(m->Labels(-18).at(0).at, (GdiPoint{60, 80}));

    // A calibration line's text sits 20 pixels left of its middle.
    EXPECT_EQ(Make(0, {{10, 20}}, 1, 0, {70, 100})->Labels(-18).at(0).at, (GdiPoint{20, 60}));
    m = Make(1, {{100, 100}}, 1, 0, {140, 100});
    m->angleConstraint = 45;
    c = Draw(*m);
    EXPECT_EQ(c.lines.at(0), (Line{{100, 100}, {100, 100}}));
    EXPECT_TRUE(Texts(*m).empty());
}

TEST(CDrawMeasureTest, CircleLabelsStackDownwards)
{
    auto m = Make(12, {{200, 200}, {260, 280}}, 2, Placed, {500, 50});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(m->Labels(-18).at(2).at, (GdiPoint{500, 86})) << "two lines below the pointer";
    EXPECT_EQ(c.ellipses, (std::vector<GdiRect>{{100, 100, 300, 300}}));

    m = Make(13, {{0, 0}}, 1, 0, {-60, 80});
    EXPECT_EQ(Draw(*m).ellipses, (std::vector<GdiRect>{{-80, -10, 20, 90}}));
}

// The arc through (0, 100), (100, 0), (200, 100) starts at 0 degrees and
// sweeps 180.000003 over the top; the angle's arc has radius 10.
TEST(CDrawMeasureTest, ThreePointConstructionCollinearPointsOnlyMarkers)
{
    auto m = Make(8, {{}, {0, 100}, {100, 0}, {200, 100}}, 3, Placed, {300, 300});
    RecordingCanvas c = Draw(*m);
    ASSERT_EQ(c.arcs.size(), 2u);
    EXPECT_EQ(c.arcs[0].centre, (GdiPoint{100, 100}));
    EXPECT_EQ(c.arcs[0].radius, 100u);
    EXPECT_EQ(c.arcs[0].start, 0.0f);
    EXPECT_FLOAT_EQ(c.arcs[1].start, 180.000003f);
    EXPECT_FLOAT_EQ(c.arcs[1].sweep, -180.000003f);
    // 10 characters: the mark sits 94 pixels right and 9 up.
    EXPECT_EQ(m->Labels(-18).at(1).at, (GdiPoint{394, 291}));

    m->kind = MeasureKind::ThreePointAngle;
    c = Draw(*m);
    EXPECT_EQ(c.arcs.at(0).radius, 10u);
    EXPECT_EQ(c.lines, (std::vector<Line>{{{0, 100}, {100, 0}}, {{0, 100}, {200, 100}}}));

    // Collinear points draw only their markers.
    for (int kind : {7, 8}) {
        for (GdiPoint pointer : {GdiPoint{300, 0}, GdiPoint{100, 0}}) {
            const RecordingCanvas collinear =
                Draw(*Make(kind, {{}, {0, 0}, {100, 0}}, 2, 0, pointer));
            EXPECT_EQ(collinear.ellipses.size(), 3u);
            EXPECT_TRUE(collinear.arcs.empty() && collinear.lines.empty());
        }
    }
}

// Lines (0, 0)-(100, 0) and (50, 50)-(50, 10) cross at (50, 0), beyond the
// second line's end: it is extended there and the mark closes at the crossing.
TEST(CDrawMeasureTest, FourPointExtensionAndMark)
{
    auto m = Make(9, {{}, {0, 0}, {100, 0}, {50, 50}, {50, 10}}, 5, Placed, {200, 200});
    const RecordingCanvas c = Draw(*m);
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[2], (Line{{50, 50}, {50, 0}}));
    EXPECT_EQ(c.arcs.at(0).centre, (GdiPoint{50, 0}));
    EXPECT_EQ(c.lines[3].second, (GdiPoint{50, 0}));

    m = Make(9, {{}, {0, 0}, {100, 0}, {0, 40}}, 3, 0, {70, 40});
    const RecordingCanvas parallel = Draw(*m);
    EXPECT_EQ(m->points[4], (GdiPoint{70, 40}));
    EXPECT_TRUE(parallel.arcs.empty());
    EXPECT_EQ(parallel.lines.size(), 2u);
}

// A complete polyline: its vertices, the polygon's closing edge, and the
// total one line below the final press point; its lists never overrun.
TEST(CDrawMeasureTest, PolylineCompleteAndWithinCapacity)
{
    for (const int kind : {10, 11}) {
        auto m = Make(kind, {{}, {0, 0}, {100, 0}, {100, 100}}, 3, 3, {300, 300}, 0, 5);
        m->labelPoints[3] = {300, 300};
        const RecordingCanvas c = Draw(*m);
        EXPECT_EQ(c.polyline, (std::vector<GdiPoint>{{0, 0}, {100, 0}, {100, 100}}));
        const std::vector<Line> closing{{{100, 100}, {0, 0}}};
        EXPECT_EQ(c.lines, kind == 11 ? closing : std::vector<Line>{});
        EXPECT_TRUE(c.guides.empty());
        EXPECT_EQ(m->Labels(-18).back().at, (GdiPoint{300, 318}));
        EXPECT_TRUE(Texts(*Make(kind, {}, 0, 0, {1, 1})).empty());
        EXPECT_EQ(Draw(*Make(kind, {}, 5000, 5000, {1, 1})).polyline.size(), 1023u);
    }
}

} // namespace
