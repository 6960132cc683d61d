#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int LineHeight = -18;

// Every call a measurement makes, so tests can read its construction back.
class RecordingCanvas : public MeasureCanvas {
  public:
    struct Text {
        GdiPoint at;
        std::string text;
    };
    struct Arc {
        GdiPoint centre;
        uint32_t radius;
        float start;
        float sweep;
    };
    struct Line {
        GdiPoint from, to;
        bool operator==(const Line&) const = default;
    };

    void MoveTo(GdiPoint p) override { position = p; }
    void LineTo(GdiPoint p) override {
        lines.push_back({position, p});
        position = p;
    }
    void Polyline(const GdiPoint* points, int count) override {
        polylines.emplace_back(points, points + count);
    }
    void Ellipse(const GdiRect& box) override { ellipses.push_back(box); }
    void AngleArc(GdiPoint centre, uint32_t radius, float start, float sweep) override {
        arcs.push_back({centre, radius, start, sweep});
    }
    void TextOut(GdiPoint p, const QString& text) override {
        texts.push_back({p, text.toStdString()});
    }
    void GuideLine(GdiPoint from, GdiPoint to) override { guides.push_back({from, to}); }
    GdiPoint ToDevice(GdiPoint p) const override { return p; }

    // The text written at p, or "" if none.
    std::string TextAt(GdiPoint p) const {
        for (const Text& t : texts)
            if (t.at == p)
                return t.text;
        return {};
    }
    std::vector<std::string> AllTexts() const {
        std::vector<std::string> all;
        for (const Text& t : texts)
            all.push_back(t.text);
        return all;
    }

    GdiPoint position;
    std::vector<Line> lines;
    std::vector<Line> guides;
    std::vector<std::vector<GdiPoint>> polylines;
    std::vector<GdiRect> ellipses;
    std::vector<Arc> arcs;
    std::vector<Text> texts;
};

// A measurement at 0.355 mm per pixel and magnification 50, as the view
// makes it.
std::unique_ptr<CDrawMeasure> Make(int kind, int unit = 0) {
    auto m = std::make_unique<CDrawMeasure>(kind, GdiRect{});
    m->SetPen(MakeColorRef(255, 0, 0), 4, 0);
    m->magnification = 50.0;
    m->unit = unit;
    return m;
}

void Pointer(CDrawMeasure& m, GdiPoint p) {
    m.SetBounds({0, 0}, p);
}

RecordingCanvas Draw(CDrawMeasure& m) {
    RecordingCanvas canvas;
    m.DrawOn(canvas, LineHeight);
    return canvas;
}

GdiPoint Below(GdiPoint p, int lines) {
    return {p.x, p.y + 18 * lines};
}

} // namespace

TEST(CDrawMeasureTest, SetBoundsKeepsThePointerCorner) {
    CDrawMeasure m(1, GdiRect{50, 60, 10, 20});
    EXPECT_EQ(m.bounds, (GdiRect{50, 60, 10, 20}));
    m.SetBounds({30, 40}, {5, 6});
    EXPECT_EQ(m.bounds, (GdiRect{30, 40, 5, 6}));
    EXPECT_EQ(m.PointerPoint(), (GdiPoint{5, 6}));
    EXPECT_DOUBLE_EQ(m.resolutionFactor, 1.0);
    EXPECT_EQ(m.textColour, 0u);
}

TEST(CDrawMeasureTest, CalibrationLineLabelsAndResult) {
    auto m = Make(0);
    m->points[0] = {10, 20};
    Pointer(*m, {70, 100});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{{10, 20}, {70, 100}}}));
    EXPECT_EQ(c.guides.size(), 2u);
    EXPECT_EQ(c.TextAt({40 - 20, 60}), "0.710000 mm");
    EXPECT_DOUBLE_EQ(m->result, 1775.0);
}

TEST(CDrawMeasureTest, ZeroLengthCalibrationHasNoLabelAndNoResult) {
    auto m = Make(0);
    m->points[0] = {10, 20};
    m->result = 99;
    Pointer(*m, {10, 20});
    const RecordingCanvas c = Draw(*m);
    EXPECT_TRUE(c.texts.empty());
    EXPECT_DOUBLE_EQ(m->result, 0.0);
}

TEST(CDrawMeasureTest, StraightLineFollowsThePointerWithGuides) {
    auto m = Make(1, 2);
    m->pointIndex = 1;
    m->points[0] = {0, 0};
    Pointer(*m, {60, 80});
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{{0, 0}, {60, 80}}}));
    ASSERT_EQ(c.guides.size(), 2u);
    EXPECT_EQ(c.TextAt({60, 80}), "27.952756 mil");
}

TEST(CDrawMeasureTest, FinishedStraightLineHasTicksAndLabelFollows) {
    auto m = Make(1, 3);
    m->points[0] = {0, 0};
    m->points[1] = {100, 0};
    m->pointIndex = 2;
    m->labelIndex = CDrawMeasure::LabelPlacedBit;
    Pointer(*m, {300, 400});
    const RecordingCanvas c = Draw(*m);
    EXPECT_TRUE(c.guides.empty());
    // The line, then a tick 12 pixels to each side at each end (width 4).
    EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{
                           {{0, 0}, {100, 0}}, {{0, 12}, {0, -12}}, {{100, 12}, {100, -12}}}));
    EXPECT_EQ(c.TextAt({300, 400}), "0.027953 inch");
}

TEST(CDrawMeasureTest, FortyFiveDegreeLineSnapsAndZeroLengthHasNoLabel) {
    auto m = Make(1);
    m->angleConstraint = 45;
    m->pointIndex = 1;
    m->points[0] = {100, 100};
    Pointer(*m, {140, 90});
    RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.lines.at(0), (RecordingCanvas::Line{{100, 100}, {110, 90}}));

    Pointer(*m, {140, 100});
    c = Draw(*m);
    EXPECT_EQ(c.lines.at(0), (RecordingCanvas::Line{{100, 100}, {100, 100}}));
    EXPECT_TRUE(c.texts.empty());
}

TEST(CDrawMeasureTest, RadiusCircleLabelsAndCircle) {
    auto m = Make(12);
    m->points[0] = {200, 200};
    m->points[1] = {260, 280};
    m->pointIndex = 2;
    m->labelIndex = CDrawMeasure::LabelPlacedBit;
    const GdiPoint p{500, 50};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), "R=0.710000 mm");
    EXPECT_EQ(c.TextAt(Below(p, 1)), "C=4.461061 mm");
    EXPECT_EQ(c.TextAt(Below(p, 2)), "A=1.583677 mm^2");
    EXPECT_EQ(c.ellipses, (std::vector<GdiRect>{{100, 100, 300, 300}}));
    EXPECT_TRUE(c.guides.empty());
}

TEST(CDrawMeasureTest, DiameterCircleLabelsAndCircle) {
    auto m = Make(13);
    m->points[0] = {0, 0};
    m->pointIndex = 1;
    const GdiPoint p{-60, 80};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), "D=0.710000 mm");
    EXPECT_EQ(c.TextAt(Below(p, 1)), "C=2.230531 mm");
    EXPECT_EQ(c.TextAt(Below(p, 2)), "A=0.395919 mm^2");
    // Centre (-30, 40), radius 50.
    EXPECT_EQ(c.ellipses, (std::vector<GdiRect>{{-80, -10, 20, 90}}));
    EXPECT_EQ(c.guides.size(), 2u);
}

// Continuous line and polygon with vertices (0, 0), (100, 0), (100, 100),
// taken to completion through the view's phases.
class PolylineTest : public testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        m = Make(GetParam());
        m->pointIndex = 3;
        m->points[1] = {0, 0};
        m->points[2] = {100, 0};
        m->points[3] = {100, 100};
        m->labelIndex = 3;
        m->labelPoints[1] = {50, -20};
        m->labelPoints[2] = {120, 50};
        m->labelPoints[3] = final;
        m->polylinePhase = 5;
        Pointer(*m, final);
    }

    const GdiPoint final{300, 300};
    std::unique_ptr<CDrawMeasure> m;
};

TEST_P(PolylineTest, CompleteLabels) {
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt({50, -20}), "0.710000 mm");
    EXPECT_EQ(c.TextAt({120, 50}), "0.710000 mm");
    // No segment label at the final press point, only the totals.
    EXPECT_EQ(c.TextAt(final), "");
    if (GetParam() == 10) {
        EXPECT_EQ(c.TextAt(Below(final, 1)), "Total=1.420000 mm");
        EXPECT_EQ(c.texts.size(), 3u);
    } else {
        EXPECT_EQ(c.TextAt(Below(final, 1)), "C=1.420000 mm");
        EXPECT_EQ(c.TextAt(Below(final, 2)), "A=0.252050 mm^2");
        EXPECT_EQ(m->points[0], (GdiPoint{100, 100}));
        // Closed back to the first vertex.
        EXPECT_EQ(c.lines.back(), (RecordingCanvas::Line{{100, 100}, {0, 0}}));
    }
    EXPECT_EQ(c.polylines.at(0), (std::vector<GdiPoint>{{0, 0}, {100, 0}, {100, 100}}));
    EXPECT_TRUE(c.guides.empty());
}

TEST_P(PolylineTest, PointerSegmentWhileVertexFollows) {
    m->pointIndex = 2;
    m->labelIndex = 1;
    m->polylinePhase = 1;
    const GdiPoint p{100, 100};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.guides.size(), 2u);
    EXPECT_EQ(c.TextAt({50, -20}), "0.710000 mm");
    EXPECT_EQ(c.TextAt(p), "0.710000 mm");
    if (GetParam() == 10) {
        EXPECT_EQ(c.TextAt(Below(p, 1)), "Total=1.420000 mm");
        EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{{100, 0}, {100, 100}}}));
    } else {
        // Both edges through the pointer count: 100 + 100 + 141.42 pixels.
        EXPECT_EQ(c.TextAt(Below(p, 1)), "C=2.424092 mm");
        EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{{100, 0}, {100, 100}},
                                                               {{100, 100}, {0, 0}}}));
    }
}

TEST_P(PolylineTest, NewestSegmentLabelFollowsAfterVertex) {
    m->labelIndex = 1;
    m->polylinePhase = 2;
    if (GetParam() == 11) {
        // The floating polygon label is the one measured while the pointer
        // segment was live.
        m->pointIndex = 2;
        m->polylinePhase = 1;
        Pointer(*m, {100, 100});
        Draw(*m);
        m->pointIndex = 3;
        m->polylinePhase = 2;
    }
    const GdiPoint p{400, 10};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_TRUE(c.guides.empty());
    EXPECT_EQ(c.TextAt(p), "0.710000 mm");
    EXPECT_EQ(c.TextAt(Below(p, 1)), GetParam() == 10 ? "Total=1.420000 mm" : "C=1.420000 mm");
    // A polygon is not closed while the newest label is placed.
    EXPECT_TRUE(c.lines.empty());
}

TEST_P(PolylineTest, EmptyListDrawsNothing) {
    m->pointIndex = 0;
    const RecordingCanvas c = Draw(*m);
    EXPECT_TRUE(c.texts.empty() && c.lines.empty() && c.polylines.empty());
}

TEST_P(PolylineTest, IndicesBeyondCapacityStayInside) {
    m->pointIndex = 5000;
    m->labelIndex = 5000;
    m->polylinePhase = 0;
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.polylines.at(0).size(), 1023u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PolylineTest, testing::Values(10, 11), [](const auto& info) {
    return std::string(info.param == 10 ? "Continuous" : "Polygon");
});

TEST(CDrawMeasureTest, ThreePointCircleLabelsAndConstruction) {
    auto m = Make(7);
    m->pointIndex = 4;
    m->labelIndex = CDrawMeasure::LabelPlacedBit;
    m->points[1] = {0, 100};
    m->points[2] = {100, 0};
    m->points[3] = {200, 100};
    const GdiPoint p{400, 400};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), "R=0.710000 mm");
    EXPECT_EQ(c.TextAt(Below(p, 1)), "C=4.461061 mm");
    EXPECT_EQ(c.TextAt(Below(p, 2)), "A=1.583677 mm^2");
    ASSERT_EQ(c.arcs.size(), 1u);
    EXPECT_EQ(c.arcs[0].centre, (GdiPoint{100, 100}));
    EXPECT_EQ(c.arcs[0].radius, 100u);
    EXPECT_NEAR(c.arcs[0].start, 0.0f, 1e-5);
    EXPECT_EQ(c.arcs[0].sweep, 360.0f);
    EXPECT_EQ(c.ellipses.size(), 3u);
    EXPECT_EQ(c.ellipses[1], (GdiRect{95, -5, 105, 5}));
    EXPECT_TRUE(c.guides.empty());
}

TEST(CDrawMeasureTest, ThreePointKindsOnCollinearPointsDrawOnlyMarkers) {
    for (int kind : {7, 8}) {
        auto m = Make(kind);
        m->pointIndex = 2;
        m->points[1] = {0, 0};
        m->points[2] = {100, 0};
        Pointer(*m, {300, 0});
        RecordingCanvas c = Draw(*m);
        EXPECT_EQ(c.ellipses.size(), 3u) << kind;
        EXPECT_TRUE(c.arcs.empty() && c.texts.empty() && c.lines.empty()) << kind;

        // The pointer on the second point.
        Pointer(*m, {100, 0});
        c = Draw(*m);
        EXPECT_TRUE(c.arcs.empty() && c.texts.empty()) << kind;
    }
}

TEST(CDrawMeasureTest, ThreePointKindsWithOnePointShowTheFirstSegment) {
    for (int kind : {7, 8}) {
        auto m = Make(kind);
        m->pointIndex = 1;
        m->points[1] = {10, 10};
        Pointer(*m, {50, 10});
        const RecordingCanvas c = Draw(*m);
        EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{{10, 10}, {50, 10}}}));
        EXPECT_EQ(c.guides.size(), 2u);
        EXPECT_EQ(c.ellipses, (std::vector<GdiRect>{{5, 5, 15, 15}}));
    }
}

TEST(CDrawMeasureTest, ThreePointArcSectorAndLabels) {
    auto m = Make(8);
    m->pointIndex = 3;
    m->labelIndex = CDrawMeasure::LabelPlacedBit;
    m->points[1] = {0, 100};
    m->points[2] = {100, 0};
    m->points[3] = {200, 100};
    const GdiPoint p{300, 300};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), "180.000003");
    // "180.000003" has ten characters: 10 * 1.05 * 18 / 2 = 94.5.
    EXPECT_EQ(c.TextAt({394, 291}), "o");
    EXPECT_EQ(c.TextAt(Below(p, 1)), "R=0.710000 mm");
    EXPECT_EQ(c.TextAt(Below(p, 2)), "C=2.230531 mm");
    EXPECT_EQ(c.TextAt(Below(p, 3)), "A=0.791838 mm^2");
    ASSERT_EQ(c.arcs.size(), 2u);
    EXPECT_EQ(c.arcs[0].start, 0.0f);
    EXPECT_FLOAT_EQ(c.arcs[0].sweep, 180.000003f);
    EXPECT_FLOAT_EQ(c.arcs[1].start, 180.000003f);
    EXPECT_FLOAT_EQ(c.arcs[1].sweep, -180.000003f);
}

struct AngleCase {
    GdiPoint a, b;
    const char* label;
    bool counterclockwise;
};

class ThreePointAngleDraw : public testing::TestWithParam<AngleCase> {};

TEST_P(ThreePointAngleDraw, ArcAndLabel) {
    auto m = Make(6);
    m->pointIndex = 3;
    m->labelIndex = CDrawMeasure::LabelPlacedBit;
    m->points[1] = {100, 100};
    m->points[2] = GetParam().a;
    m->points[3] = GetParam().b;
    const GdiPoint p{250, 30};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), GetParam().label);
    EXPECT_EQ(c.texts.at(1).text, "o");
    EXPECT_EQ(m->points[0], p);
    ASSERT_EQ(c.arcs.size(), 1u);
    EXPECT_EQ(c.arcs[0].centre, (GdiPoint{100, 100}));
    EXPECT_EQ(c.arcs[0].radius, 10u);
    EXPECT_EQ(c.arcs[0].sweep > 0, GetParam().counterclockwise);
    // First arm, then the second arm.
    EXPECT_EQ(c.lines, (std::vector<RecordingCanvas::Line>{{{100, 100}, GetParam().a},
                                                           {{100, 100}, GetParam().b}}));
    EXPECT_TRUE(c.guides.empty());
}

INSTANTIATE_TEST_SUITE_P(Arms, ThreePointAngleDraw,
                         testing::Values(AngleCase{{200, 100}, {100, 0}, "90.000002", true},
                                         AngleCase{{100, 0}, {200, 100}, "90.000002", false},
                                         AngleCase{{200, 100}, {0, 100}, "179.999997", false}));

TEST(CDrawMeasureTest, FourPointAngleExtendsTheShortLine) {
    auto m = Make(9);
    m->pointIndex = 5;
    m->labelIndex = CDrawMeasure::LabelPlacedBit;
    m->points[1] = {0, 0};
    m->points[2] = {100, 0};
    m->points[3] = {50, 50};
    m->points[4] = {50, 10};
    const GdiPoint p{200, 200};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), "89.999998");
    // Both lines, the extension of the second to (50, 0), the marking arc's
    // closing line.
    ASSERT_EQ(c.lines.size(), 4u);
    EXPECT_EQ(c.lines[2], (RecordingCanvas::Line{{50, 50}, {50, 0}}));
    ASSERT_EQ(c.arcs.size(), 1u);
    EXPECT_EQ(c.arcs[0].centre, (GdiPoint{50, 0}));
    EXPECT_EQ(c.lines[3].to, (GdiPoint{50, 0}));
    EXPECT_TRUE(c.guides.empty());
}

TEST(CDrawMeasureTest, FourPointAngleOfParallelLines) {
    auto m = Make(9);
    m->pointIndex = 3;
    m->points[1] = {0, 0};
    m->points[2] = {100, 0};
    m->points[3] = {0, 40};
    const GdiPoint p{70, 40};
    Pointer(*m, p);
    const RecordingCanvas c = Draw(*m);
    EXPECT_EQ(c.TextAt(p), "0.000000");
    EXPECT_EQ(m->points[4], p);
    EXPECT_EQ(c.lines.size(), 2u);
    EXPECT_TRUE(c.arcs.empty());
    EXPECT_EQ(c.guides.size(), 4u);
}

TEST(CDrawMeasureTest, UnusedKindsAndIndicesDrawNothing) {
    for (int kind : {2, 3, 4, 5, 14, -1}) {
        auto m = Make(kind);
        m->pointIndex = 2;
        EXPECT_TRUE(Draw(*m).texts.empty()) << kind;
    }
    for (int kind : {6, 7, 8, 9}) {
        auto m = Make(kind);
        m->pointIndex = 7;
        const RecordingCanvas c = Draw(*m);
        EXPECT_TRUE(c.texts.empty() && c.lines.empty() && c.ellipses.empty()) << kind;
    }
}
