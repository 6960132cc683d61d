#include "ViewTestSupport.h"

#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"

namespace {

class DrawingToolTest : public ViewFixture
{
  protected:
    void SetUp() override { Load({640, 480}); }
};

TEST_F(DrawingToolTest, LineByTwoClicksFollowsThePointerBetweenThem)
{
    editor.SetToolMode(ToolLine);
    Click({100, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateShapeStarted);

    Move({300, 100});
    EXPECT_FALSE(IsWhite({200, 100})) << "the line follows the pointer with no button held";
    Move({100, 300});
    EXPECT_FALSE(IsWhite({100, 200}));
    EXPECT_TRUE(IsWhite({200, 100})) << "the earlier position is restored";
    EXPECT_EQ(editor.modificationCount, 0);

    Move({300, 200});
    Click({300, 200});
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.History().Count(), 2);
    EXPECT_FALSE(IsWhite({200, 150}));
    // The aiming guides of the unfinished line do not reach the picture.
    EXPECT_EQ(InkIn({0, 0, 90, 480}), 0);
    EXPECT_EQ(InkIn({310, 0, 330, 480}), 0);
    EXPECT_TRUE(MatchesTopSnapshot());
}

TEST_F(DrawingToolTest, RectangleByDragging)
{
    editor.SetToolMode(ToolRectangle);
    Press({50, 60});
    EXPECT_EQ(editor.InteractionStateValue(), StateDragging);
    Move({120, 100});
    Move({150, 160});
    Release({150, 160});
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_FALSE(IsWhite({100, 60}));
    EXPECT_FALSE(IsWhite({50, 110}));
    EXPECT_TRUE(IsWhite({100, 110})) << "outlines only";
    EXPECT_EQ(InkIn({160, 0, 480, 480}), 0) << "the intermediate size left nothing behind";
}

// The mouse stays captured while the button is held: a release left of and
// above the view still ends the drag, at negative picture coordinates.
TEST_F(DrawingToolTest, DragEndingOutsideTheViewUsesNegativeCoordinates)
{
    editor.SetToolMode(ToolEllipse);
    Press({60, 50});
    Move({-40, -30});
    Release({-40, -30});
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_FALSE(IsWhite({10, 49})) << "the bottom of the ellipse box";
    EXPECT_FALSE(IsWhite({59, 10})) << "the right of the ellipse box";
}

TEST_F(DrawingToolTest, QuickSecondClickOfALineIsLost)
{
    editor.SetToolMode(ToolLine);
    DoubleClick({100, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateShapeStarted);
    EXPECT_EQ(editor.modificationCount, 0);

    Move({200, 100});
    EXPECT_FALSE(IsWhite({150, 100})) << "still following the pointer";
    Click({200, 100});
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_FALSE(IsWhite({150, 100}));
}

TEST_F(DrawingToolTest, FreehandStrokeIsCommittedOnRelease)
{
    editor.SetToolMode(ToolFreehand);
    Press({10, 10});
    EXPECT_EQ(editor.InteractionStateValue(), StateStroke);
    Move({60, 10});
    Move({60, 60});
    auto* stroke = dynamic_cast<CDrawPen*>(editor.CurrentObject());
    ASSERT_NE(stroke, nullptr);
    EXPECT_EQ(stroke->points.size(), 3u);
    Release({60, 60});
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_FALSE(IsWhite({35, 10}));
    EXPECT_FALSE(IsWhite({60, 35}));
}

TEST_F(DrawingToolTest, NoToolPlacesNothing)
{
    editor.SetToolMode(ToolNone);
    Click({100, 100});
    Move({200, 200});
    Click({200, 200});
    EXPECT_EQ(editor.modificationCount, 0);
    EXPECT_EQ(Ink(), 0);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
}

TEST_F(DrawingToolTest, ChoosingAnotherToolCommitsAHalfMadeLine)
{
    editor.SetToolMode(ToolLine);
    Click({100, 100});
    Move({300, 100});
    editor.SetToolMode(ToolRectangle);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_FALSE(IsWhite({200, 100}));
    EXPECT_TRUE(MatchesTopSnapshot());
}

TEST_F(DrawingToolTest, RightClickTwiceDropsTheObjectThenTheTool)
{
    editor.SetToolMode(ToolLine);
    Click({100, 100});
    Move({300, 100});
    RightClick({300, 100});
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_EQ(editor.GetToolMode(), ToolLine);
    EXPECT_EQ(Ink(), 0);
    EXPECT_TRUE(owner.calls.empty());

    RightClick({300, 100});
    EXPECT_EQ(editor.GetToolMode(), ToolNone);
    EXPECT_EQ(editor.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(owner.calls,
              (std::vector<QString>{QStringLiteral("drawing"), QStringLiteral("measuring")}));
    EXPECT_EQ(editor.modificationCount, 0);
}

// A 1280 x 960 picture in a 640 x 480 view: points double, and so do widths.
class ScaledDrawingTest : public ViewFixture
{
  protected:
    void SetUp() override { Load({1280, 960}); }
};

TEST_F(ScaledDrawingTest, PointsAndWidthsReachTheObjectInPicturePixels)
{
    editor.drawWidth = 3;
    editor.SetToolMode(ToolLine);
    Click({100, 50});
    auto* shape = dynamic_cast<CDrawShape*>(editor.CurrentObject());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->points[0], (GdiPoint{200, 100}));
    EXPECT_EQ(shape->pointCount, 1u);
    EXPECT_EQ(shape->width, 12) << "2 * 3 scaled by 2.0, plus 0.5, truncated";
    EXPECT_EQ(shape->kind, CDrawShape::KindLine);
}

TEST_F(DrawingToolTest, CursorBecomesTheArrowOutsideTheViewAndComesBack)
{
    editor.SetToolMode(ToolRectangle);
    const Qt::CursorShape toolShape = editor.cursor().shape();
    editor.PointerMove({700, 100});
    EXPECT_EQ(editor.cursor().shape(), Qt::ArrowCursor);
    editor.PointerMove({100, 100});
    EXPECT_EQ(editor.cursor().shape(), toolShape);
}

} // namespace
