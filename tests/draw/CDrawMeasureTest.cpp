#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"
#include "draw/MeasureReadout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Line = std::pair<GdiPoint, GdiPoint>;

// Records what a measurement draws so its construction reads as numbers.
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
    void TextOut(GdiPoint p, const QString& text) override
    {
        texts.push_back(text.toStdString());
        textPoints.push_back(p);
    }
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
    std::vector<GdiPoint> polyline, textPoints;
    std::vector<GdiRect> ellipses;
    std::vector<Arc> arcs;
    std::vector<std::string> texts;
};

// As a label count: every geometric point is fixed, only the label follows.
constexpr uint32_t Placed = 0xFFFFFFFFu;

// 0.355 mm per pixel at magnification 50, width 4, as the tools make it.
std::unique_ptr<CDrawMeasure> Make(int kind, std::vector<GdiPoint> points, uint32_t pointIndex,
                                   uint32_t labelIndex, GdiPoint pointer, int unit = 0)
{
    auto m = std::make_unique<CDrawMeasure>(MeasureKind(kind), GdiRect{});
    m->SetPen(MakeColorRef(255, 0, 0), 4, 0);
    m->magnification = 50.0;
    m->unit = unit;
    std::copy(points.begin(), points.end(), m->points.begin());
    m->pointIndex = pointIndex;
    m->allPointsPlaced = labelIndex == Placed;
    m->labelIndex = m->allPointsPlaced ? 0 : labelIndex;
    m->SetBounds({1, 1}, pointer);
    return m;
}

RecordingCanvas Draw(CDrawMeasure& m)
{
    RecordingCanvas canvas;
    m.DrawOn(canvas, -18);
    return canvas;
}

} // namespace

struct LabelCase
{
    const char* name;
    int kind;
    std::vector<GdiPoint> points;
    uint32_t pointIndex, labelIndex;
    int unit;
    std::vector<std::string> texts;
};

class Labels : public testing::TestWithParam<LabelCase>
{};

TEST_P(Labels, Texts)
{
    const LabelCase& c = GetParam();
    auto m = Make(c.kind, c.points, c.pointIndex, c.labelIndex, {60, 80}, c.unit);
    // The readout repeats the labels, the degree mark joined to its number,
    // and reading does not disturb what is drawn next.
    QStringList readout;
    for (const std::string& text : c.texts)
        if (text == "o")
            readout.back() += QChar(0x00B0);
        else
            readout << QString::fromStdString(text);
    EXPECT_EQ(MeasureReadout::Lines(*m), readout);
    EXPECT_EQ(Draw(*m).texts, c.texts);
}

// The pointer is at (60, 80): 100 pixels from (0, 0).
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, Labels,
    testing::Values(
        LabelCase{"Calibration", 0, {{0, 0}}, 1, 0, 0, {"0.710000 mm"}},
        LabelCase{"LineUm", 1, {{0, 0}}, 1, 0, 1, {"710.000000 um"}},
        LabelCase{"LineMil", 1, {{0, 0}}, 1, 0, 2, {"27.952756 mil"}},
        LabelCase{"LineInch", 1, {{0, 0}}, 1, 0, 3, {"0.027953 inch"}},
        LabelCase{"LineUnlistedUnit", 1, {{0, 0}}, 1, 0, 9, {"0.710000 mm"}},
        LabelCase{"LinePlacedEnd", 1, {{0, 0}, {100, 0}}, 2, Placed, 0, {"0.710000 mm"}},
        LabelCase{"ZeroCalibration", 0, {{60, 80}}, 1, 0, 0, {}},
        LabelCase{"Radius", 12, {{0, 0}}, 1, 0, 0, {"R=0.710000 mm", "C=4.461061 mm", "A=1.583677 mm^2"}},
        LabelCase{"Diameter", 13, {{0, 0}}, 1, 0, 0, {"D=0.710000 mm", "C=2.230531 mm", "A=0.395919 mm^2"}},
        LabelCase{"ThreePointCircle", 7, {{}, {0, 100}, {100, 0}, {200, 100}}, 4, Placed, 0, {"R=0.710000 mm", "C=4.461061 mm", "A=1.583677 mm^2"}},
        LabelCase{"ThreePointArc", 8, {{}, {0, 100}, {100, 0}, {200, 100}}, 3, Placed, 0, {"180.000003", "o", "R=0.710000 mm", "C=2.230531 mm", "A=0.791838 mm^2"}},
        LabelCase{"RightAngle", 6, {{}, {100, 100}, {200, 100}, {100, 0}}, 3, Placed, 0, {"90.000002", "o"}},
        LabelCase{"RightAngleSwapped", 6, {{}, {100, 100}, {100, 0}, {200, 100}}, 3, Placed, 0, {"90.000002", "o"}},
        LabelCase{"StraightAngle", 6, {{}, {100, 100}, {200, 100}, {0, 100}}, 3, Placed, 0, {"179.999997", "o"}},
        LabelCase{"CrossingLines", 9, {{}, {0, 0}, {100, 0}, {50, 50}, {50, 10}}, 4, Placed, 0, {"89.999998", "o"}},
        LabelCase{"ParallelLines", 9, {{}, {0, 0}, {100, 0}, {0, 50}, {70, 50}}, 4, Placed, 0, {"0.000000", "o"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CDrawMeasureTest, CalibrationResult)
{
    auto m = Make(0, {{10, 20}}, 1, 0, {70, 100});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.textPoints, (std::vector<GdiPoint>{{20, 60}}));
    EXPECT_DOUBLE_EQ(m->result, 1775.0);
    m->SetBounds({0, 0}, {10, 20});
    Draw(*m);
    EXPECT_DOUBLE_EQ(m->result, 0.0);
}

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
    EXPECT_EQ(c.textPoints, (std::vector<GdiPoint>{{60, 80}}));
}

TEST(CDrawMeasureTest, SnappedZeroLengthLineHasNoLabel)
{
    auto m = Make(1, {{100, 100}}, 1, 0, {140, 100});
    m->angleConstraint = 45;
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.lines.at(0), (Line{{100, 100}, {100, 100}}));
    EXPECT_TRUE(c.texts.empty());
}

TEST(CDrawMeasureTest, CircleLabelsStackDownwards)
{
    auto m = Make(12, {{200, 200}, {260, 280}}, 2, Placed, {500, 50});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.textPoints, (std::vector<GdiPoint>{{500, 50}, {500, 68}, {500, 86}}));
    EXPECT_EQ(c.ellipses, (std::vector<GdiRect>{{100, 100, 300, 300}}));

    m = Make(13, {{0, 0}}, 1, 0, {-60, 80});
    EXPECT_EQ(Draw(*m).ellipses, (std::vector<GdiRect>{{-80, -10, 20, 90}}));
}

TEST(CDrawMeasureTest, ThreePointConstruction)
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
    EXPECT_EQ(c.textPoints.at(1), (GdiPoint{394, 291}));
    EXPECT_EQ(c.ellipses.at(1), (GdiRect{95, -5, 105, 5}));

    m->kind = MeasureKind::ThreePointAngle;
    c = Draw(*m);
    EXPECT_EQ(m->points[0], (GdiPoint{300, 300}));
    EXPECT_EQ(c.arcs.at(0).radius, 10u);
    EXPECT_EQ(c.lines, (std::vector<Line>{{{0, 100}, {100, 0}}, {{0, 100}, {200, 100}}}));
}

TEST(CDrawMeasureTest, CollinearPointsDrawOnlyMarkers)
{
    for (int kind : {7, 8}) {
        for (GdiPoint pointer : {GdiPoint{300, 0}, GdiPoint{100, 0}}) {
            auto m = Make(kind, {{}, {0, 0}, {100, 0}}, 2, 0, pointer);
            const RecordingCanvas c = Draw(*m);
            EXPECT_EQ(c.ellipses.size(), 3u);
            EXPECT_TRUE(c.arcs.empty() && c.texts.empty() && c.lines.empty());
        }
    }
}

TEST(CDrawMeasureTest, FourPointExtensionAndMark)
{
    auto m = Make(9, {{}, {0, 0}, {100, 0}, {50, 50}, {50, 10}}, 5, Placed, {200, 200});
    const RecordingCanvas c = Draw(*m);
    // Both lines, the second extended to the crossing, the mark closed there.
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[2], (Line{{50, 50}, {50, 0}}));
    EXPECT_EQ(c.arcs.at(0).centre, (GdiPoint{50, 0}));
    EXPECT_EQ(c.lines[3].second, (GdiPoint{50, 0}));

    m = Make(9, {{}, {0, 0}, {100, 0}, {0, 40}}, 3, 0, {70, 40});
    const RecordingCanvas parallel = Draw(*m);
    EXPECT_EQ(m->points[4], (GdiPoint{70, 40}));
    EXPECT_TRUE(parallel.arcs.empty());
    EXPECT_EQ(parallel.lines.size(), 2u);
    EXPECT_EQ(parallel.guides.size(), 4u);
}

// Vertices (0, 0), (100, 0), (100, 100) with labels at Q1 and Q2, for the
// continuous line (10) and the polygon (11).
class Polyline : public testing::TestWithParam<int>
{
  protected:
    std::unique_ptr<CDrawMeasure> At(uint32_t n, uint32_t m, int phase, GdiPoint pointer)
    {
        auto measure = Make(GetParam(), {{}, {0, 0}, {100, 0}, {100, 100}}, n, m, pointer);
        measure->labelPoints[1] = q1;
        measure->labelPoints[2] = q2;
        measure->labelPoints[3] = pointer;
        measure->phase = PolylinePhase(phase);
        return measure;
    }
    bool IsPolygon() const { return GetParam() == 11; }

    const GdiPoint q1{50, -20}, q2{120, 50};
};

TEST_P(Polyline, Complete)
{
    auto m = At(3, 3, 5, {300, 300});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.polyline, (std::vector<GdiPoint>{{0, 0}, {100, 0}, {100, 100}}));
    EXPECT_TRUE(c.guides.empty());
    if (IsPolygon()) {
        EXPECT_EQ(c.texts, (std::vector<std::string>{"0.710000 mm", "0.710000 mm",
                                                     "A=0.252050 mm^2", "C=1.420000 mm"}));
        EXPECT_EQ(c.lines, (std::vector<Line>{{{100, 100}, {0, 0}}}));
    } else {
        EXPECT_EQ(c.texts,
                  (std::vector<std::string>{"0.710000 mm", "0.710000 mm", "Total=1.420000 mm"}));
    }
    EXPECT_EQ(c.textPoints.back(), (GdiPoint{300, 318}));
}

TEST_P(Polyline, PointerSegmentIsMeasured)
{
    auto m = At(2, 1, 1, {100, 100});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.guides.size(), 2u);
    // Polygon: both edges through the pointer count, 100 + 100 + 141.42.
    EXPECT_EQ(c.texts,
              (std::vector<std::string>{"0.710000 mm", "0.710000 mm",
                                        IsPolygon() ? "C=2.424092 mm" : "Total=1.420000 mm"}));
    EXPECT_EQ(c.lines.size(), IsPolygon() ? 2u : 1u);
    // The placed segment label stays where it was put; the rest follow the pointer.
    QStringList atPointer;
    for (size_t i = 1; i < c.texts.size(); ++i)
        atPointer << QString::fromStdString(c.texts[i]);
    EXPECT_EQ(MeasureReadout::Lines(*m), atPointer);
}

TEST_P(Polyline, NewestLabelFollowsAfterVertex)
{
    auto m = At(2, 1, 1, {100, 100});
    Draw(*m);
    // A new vertex: the polygon keeps its last measured pointer edge.
    m->pointIndex = 3;
    m->phase = PolylinePhase::SegmentFixed;
    m->SetBounds({0, 0}, {400, 10});
    const RecordingCanvas c = Draw(*m);
    EXPECT_TRUE(c.guides.empty() && c.lines.empty());
    EXPECT_EQ(c.texts.at(1), "0.710000 mm");
    EXPECT_EQ(c.textPoints.at(1), (GdiPoint{400, 10}));
}

TEST_P(Polyline, IndicesStayWithinCapacity)
{
    EXPECT_TRUE(Draw(*At(0, 0, 0, {1, 1})).texts.empty());
    EXPECT_EQ(Draw(*At(5000, 5000, 0, {1, 1})).polyline.size(), 1023u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Polyline, testing::Values(10, 11), [](const auto& info) {
    return std::string(info.param == 10 ? "Continuous" : "Polygon");
});
