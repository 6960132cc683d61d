#include "ViewTestSupport.h"

#include "draw/CDrawMeasure.h"
#include "platform/MessageBus.h"

#include <QSignalSpy>

namespace {

class MeasureToolTest : public ViewFixture
{
  protected:
    void SetUp() override { Load({640, 480}); }

    CDrawMeasure* Measure() const { return dynamic_cast<CDrawMeasure*>(editor.CurrentObject()); }
    // A click where the pointer went first, as a hand would do it.
    void MoveAndClick(QPoint q)
    {
        Move(q);
        Click(q);
    }
};

struct ClickCase
{
    const char* name;
    int tool;
    int clicks;
    int kind;
};

class MeasureClickCountTest : public MeasureToolTest,
                              public ::testing::WithParamInterface<ClickCase>
{};

// Points first, then one click that places the label; its release commits.
TEST_P(MeasureClickCountTest, CommitsOnTheReleaseOfTheLastClick)
{
    const ClickCase c = GetParam();
    editor.SetToolMode(c.tool);
    const QPoint points[] = {{100, 100}, {300, 120}, {220, 300}, {120, 260}, {400, 400}};
    for (int i = 0; i < c.clicks - 1; ++i) {
        MoveAndClick(points[i]);
        ASSERT_NE(Measure(), nullptr) << "click " << i;
        EXPECT_EQ(editor.modificationCount, 0) << "click " << i;
    }
    EXPECT_EQ(editor.InteractionStateValue(), StatePlacingLabel);
    EXPECT_EQ(Measure()->kind, c.kind);
    EXPECT_EQ(Measure()->labelIndex, CLumvexImgEdtView::AllPointsPlaced);

    Move(points[c.clicks - 1]);
    Press(points[c.clicks - 1]);
    EXPECT_EQ(editor.InteractionStateValue(), StateComplete);
    EXPECT_EQ(editor.modificationCount, 0);
    Release(points[c.clicks - 1]);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_GT(Ink(), 0);
    EXPECT_TRUE(MatchesTopSnapshot());
}

INSTANTIATE_TEST_SUITE_P(
    Tools, MeasureClickCountTest,
    ::testing::Values(ClickCase{"AnyAngleLine", ToolAnyAngleLine, 3, 1},
                      ClickCase{"StraightAngleLine", ToolStraightAngleLine, 3, 1},
                      ClickCase{"FortyFiveLine", ToolFortyFiveLine, 3, 1},
                      ClickCase{"RadiusCircle", ToolRadiusCircle, 3, 12},
                      ClickCase{"DiameterCircle", ToolDiameterCircle, 3, 13},
                      ClickCase{"ThreePointCircle", ToolThreePointCircle, 4, 7},
                      ClickCase{"ThreePointArc", ToolThreePointArc, 4, 8},
                      ClickCase{"ThreePointAngle", ToolThreePointAngle, 4, 6},
                      ClickCase{"FourPointAngle", ToolFourPointAngle, 5, 9}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(MeasureToolTest, PointSlotsOfAThreePointCircle)
{
    editor.SetToolMode(ToolThreePointCircle);
    MoveAndClick({100, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateOnePointPlaced);
    EXPECT_EQ(Measure()->pointIndex, 1u);
    EXPECT_EQ(Measure()->points[1], (GdiPoint{100, 100}));
    MoveAndClick({200, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateTwoPointsPlaced);
    MoveAndClick({150, 200});
    EXPECT_EQ(Measure()->pointIndex, 3u);
    EXPECT_EQ(Measure()->points[3], (GdiPoint{150, 200}));
    Move({400, 50});
    EXPECT_EQ(Measure()->bounds, (GdiRect{150, 200, 400, 50}))
        << "anchor to pointer, not normalised";
    Press({400, 50});
    EXPECT_EQ(Measure()->pointIndex, 4u);
    Release({410, 60});
    EXPECT_EQ(editor.modificationCount, 1);
}

TEST_F(MeasureToolTest, LineMeasurementGetsTheCreationSettings)
{
    editor.measureColor = MakeColorRef(0, 0, 255);
    editor.measureWidth = 2;
    editor.measurePenStyle = 3;
    editor.labelColor = MakeColorRef(0, 128, 0);
    editor.unit = 2;
    editor.pixelSize = 0.5;
    editor.resolutionFactor = 2.0;
    editor.pictureMagnification = 40.0;
    editor.adjustedMagnification = 80.0;
    editor.useAdjustedMagnification = 1;
    editor.SetToolMode(ToolFortyFiveLine);
    MoveAndClick({100, 100});
    CDrawMeasure* m = Measure();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->kind, 1);
    EXPECT_EQ(m->angleConstraint, 45);
    EXPECT_EQ(m->colour, MakeColorRef(0, 0, 255));
    EXPECT_EQ(m->width, 4);
    EXPECT_EQ(m->style, 3);
    EXPECT_EQ(m->textColour, MakeColorRef(0, 128, 0));
    EXPECT_EQ(m->unit, 2);
    EXPECT_EQ(m->pixelSize, 0.5);
    EXPECT_EQ(m->resolutionFactor, 2.0);
    EXPECT_EQ(m->magnification, 80.0);
    EXPECT_EQ(m->points[0], (GdiPoint{100, 100}));
    EXPECT_EQ(m->pointIndex, 1u);
    EXPECT_EQ(m->labelIndex, 0u);
}

struct MagnificationCase
{
    int tool;
    double picture;
    double adjusted;
    int useAdjusted;
    double expected;
};

class CreationMagnificationTest : public ::testing::TestWithParam<MagnificationCase>
{};

TEST_P(CreationMagnificationTest, ChoosesTheMagnification)
{
    const MagnificationCase c = GetParam();
    EXPECT_EQ(
        CLumvexImgEdtView::CreationMagnification(c.tool, c.picture, c.adjusted, c.useAdjusted),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, CreationMagnificationTest,
                         ::testing::Values(MagnificationCase{ToolAnyAngleLine, 40.0, 80.0, 0, 40.0},
                                           MagnificationCase{ToolAnyAngleLine, 40.0, 80.0, 1, 80.0},
                                           MagnificationCase{ToolAnyAngleLine, 1.0, 0.0, 0, 1.0},
                                           MagnificationCase{ToolCalibration, 1.0, 0.0, 0, 50.0},
                                           MagnificationCase{ToolCalibration, 0.0, 0.0, 0, 50.0},
                                           MagnificationCase{ToolCalibration, 40.0, 0.5, 1, 50.0},
                                           MagnificationCase{ToolCalibration, 1.5, 0.0, 0, 1.5},
                                           MagnificationCase{ToolCalibration, 0.0, 120.0, 1,
                                                             120.0}));

TEST_F(MeasureToolTest, ContinuousLineEndedByADoubleClickOnANewVertex)
{
    editor.SetToolMode(ToolContinuousLine);
    MoveAndClick({100, 100}); // A
    EXPECT_EQ(editor.InteractionStateValue(), StatePolylineVertex);
    EXPECT_EQ(Measure()->polylinePhase, 0);
    MoveAndClick({300, 100}); // B
    EXPECT_EQ(editor.InteractionStateValue(), StatePolylineLabel);
    EXPECT_EQ(Measure()->polylinePhase, 2);
    MoveAndClick({200, 80}); // the label of A to B
    EXPECT_EQ(editor.InteractionStateValue(), StatePolylineVertex);
    EXPECT_EQ(Measure()->labelIndex, 1u);
    Move({300, 300});
    DoubleClick({300, 300}); // D, and the end of the vertex list
    EXPECT_EQ(editor.InteractionStateValue(), StatePlacingLabel);
    EXPECT_EQ(Measure()->pointIndex, 3u);
    EXPECT_EQ(Measure()->points[3], (GdiPoint{300, 300}));
    EXPECT_EQ(Measure()->labelIndex, 1u);
    EXPECT_EQ(Measure()->polylinePhase, 3);

    MoveAndClick({320, 200});
    EXPECT_EQ(Measure()->polylinePhase, 4);
    EXPECT_EQ(editor.modificationCount, 0);
    Move({350, 350});
    Press({350, 350});
    EXPECT_EQ(editor.InteractionStateValue(), StateComplete);
    EXPECT_EQ(Measure()->polylinePhase, 5);
    EXPECT_EQ(Measure()->labelIndex, 3u);
    EXPECT_EQ(Measure()->labelPoints[3], (GdiPoint{350, 350}));
    Release({350, 350});
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
}

TEST_F(MeasureToolTest, ContinuousLineDoubleClickAfterTwoVerticesDropsTheLabelItPlaced)
{
    editor.SetToolMode(ToolContinuousLine);
    MoveAndClick({100, 100});
    MoveAndClick({300, 100});
    Move({200, 150});
    DoubleClick({200, 150});
    EXPECT_EQ(editor.InteractionStateValue(), StatePlacingLabel);
    EXPECT_EQ(Measure()->pointIndex, 2u) << "the vertex list ends with B";
    EXPECT_EQ(Measure()->labelIndex, 0u);
    EXPECT_EQ(Measure()->polylinePhase, 3);
    MoveAndClick({200, 200});
    MoveAndClick({200, 250});
    EXPECT_EQ(editor.modificationCount, 1);
}

TEST_F(MeasureToolTest, PolygonDoubleClickWhileItsLabelFollowsEndsTheVertices)
{
    editor.SetToolMode(ToolPolygon);
    MoveAndClick({100, 100});
    MoveAndClick({300, 100});
    MoveAndClick({200, 90});
    MoveAndClick({300, 300});
    // The first press of this double click places the label of the newest edge.
    Move({310, 200});
    DoubleClick({310, 200});
    EXPECT_EQ(editor.InteractionStateValue(), StatePlacingLabel);
    EXPECT_EQ(Measure()->pointIndex, 3u);
    EXPECT_EQ(Measure()->labelIndex, 1u);
    EXPECT_EQ(Measure()->kind, 11);
}

TEST_F(MeasureToolTest, ChoosingAnotherToolKeepsAHalfMadeMeasurementAsOneEdit)
{
    editor.SetToolMode(ToolAnyAngleLine);
    MoveAndClick({100, 100});
    Move({400, 100});
    const QImage drawn = editor.WorkingPicture().copy();
    editor.SetToolMode(ToolRectangle);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.History().Count(), 2);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.WorkingPicture(), drawn) << "kept as it was last drawn";
    EXPECT_FALSE(IsWhite({250, 100}));
    editor.Undo();
    EXPECT_EQ(Ink(), 0);
}

TEST_F(MeasureToolTest, RightClickTwiceWithAHalfMadeMeasurement)
{
    editor.SetToolMode(ToolThreePointAngle);
    MoveAndClick({100, 100});
    MoveAndClick({200, 100});
    Move({200, 200});
    RightClick({200, 200});
    EXPECT_EQ(editor.GetToolMode(), ToolThreePointAngle);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(Ink(), 0);
    EXPECT_TRUE(owner.calls.empty());
    RightClick({200, 200});
    EXPECT_EQ(editor.GetToolMode(), ToolNone);
    EXPECT_EQ(owner.calls.size(), 2u);
    EXPECT_EQ(editor.modificationCount, 0);
}

// A small picture keeps the drawing of hundreds of labels per click cheap.
class LongPolylineTest : public MeasureToolTest
{
  protected:
    void SetUp() override { Load({80, 60}); }
};

// Vertices and labels alternate; the lists never run past their 1024 slots.
TEST_F(LongPolylineTest, ManyPolylineClicksStayWithinThePointLists)
{
    editor.SetToolMode(ToolContinuousLine);
    for (int i = 0; i < 1100; ++i)
        editor.LeftButtonDown({10 + (i * 37) % 600, 10 + (i * 53) % 450}),
            editor.LeftButtonUp({0, 0});
    ASSERT_NE(Measure(), nullptr);
    EXPECT_LE(Measure()->pointIndex, CLumvexImgEdtView::LastPointSlot);
    EXPECT_EQ(Measure()->pointIndex, 551u);
    EXPECT_EQ(Measure()->labelIndex, 549u);
}

// Without a picture nothing is drawn, so the protocol alone runs to capacity.
TEST(PolylineCapacityTest, AFullVertexListEndsAsADoubleClickWould)
{
    CLumvexImgEdtView editor;
    editor.SetToolMode(ToolPolygon);
    int clicks = 0;
    while (editor.InteractionStateValue() != StatePlacingLabel && clicks < 3000) {
        editor.LeftButtonDown({10, 10});
        editor.LeftButtonUp({10, 10});
        ++clicks;
    }
    ASSERT_EQ(editor.InteractionStateValue(), StatePlacingLabel);
    auto* m = dynamic_cast<CDrawMeasure*>(editor.CurrentObject());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->polylinePhase, 3);
    EXPECT_EQ(m->pointIndex, 1023u);
    EXPECT_EQ(m->labelIndex, 1021u);
    // Both final labels still fit.
    editor.LeftButtonDown({20, 20});
    editor.LeftButtonUp({20, 20});
    editor.LeftButtonDown({30, 30});
    EXPECT_EQ(editor.InteractionStateValue(), StateComplete);
    EXPECT_EQ(m->labelIndex, CLumvexImgEdtView::LastPointSlot);
    editor.LeftButtonUp({30, 30});
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
}

class CalibrationTest : public MeasureToolTest
{
  protected:
    void SetUp() override
    {
        MeasureToolTest::SetUp();
        editor.pixelSize = 0.355;
        editor.resolutionFactor = 1.0;
        editor.pictureMagnification = 1.0;
        editor.useAdjustedMagnification = 0;
        editor.SetMessageBus(&bus);
        editor.SetToolMode(ToolCalibration);
    }

    MessageBus bus{QString()};
};

TEST_F(CalibrationTest, LineIsBroadcastOnceAfterTheRelease)
{
    QSignalSpy received(&bus, &MessageBus::AdjustMagnificationReceived);
    MoveAndClick({100, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateFirstOfTwo);
    EXPECT_EQ(Measure()->magnification, 50.0) << "a magnification of 1.0 is no reference";
    Move({200, 100});
    Press({200, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateComplete);
    editor.LeftButtonUp({200, 100});
    EXPECT_EQ(received.count(), 0) << "posted, not sent";
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    QCoreApplication::processEvents();
    ASSERT_EQ(received.count(), 1);
    EXPECT_NEAR(received.at(0).at(0).toDouble(), 1775.0, 1e-9);
    QCoreApplication::processEvents();
    EXPECT_EQ(received.count(), 1);
}

TEST_F(CalibrationTest, ToolsOtherThanCalibrationBroadcastNothing)
{
    QSignalSpy received(&bus, &MessageBus::AdjustMagnificationReceived);
    editor.SetToolMode(ToolAnyAngleLine);
    MoveAndClick({100, 100});
    MoveAndClick({200, 100});
    MoveAndClick({200, 150});
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(received.count(), 0);
}

} // namespace
