#include "ViewTestSupport.h"

#include "view/HistoryListener.h"

#include <QInputMethodEvent>

namespace {

// The window as the view sees it: the tools it is asked to choose again, and
// the commits as the results table sees them (the placed points of each
// measurement, none for other objects).
struct EditorWindow : ViewOwner, HistoryListener
{
    std::vector<QString> calls;
    std::vector<std::vector<GdiPoint>> commits;
    void SelectDrawingTool() override { calls.push_back(QStringLiteral("drawing")); }
    void SelectMeasuringTool() override { calls.push_back(QStringLiteral("measuring")); }
    void Committed(CDrawObject* object) override
    {
        auto* measure = dynamic_cast<CDrawMeasure*>(object);
        commits.push_back(measure ? measure->PlacedPoints() : std::vector<GdiPoint>{});
    }
    void Undone() override {}
    void Redone() override {}
};

// The view between the window system and the tool protocol: real mouse and
// key events in window pixels over a grey picture shown at its own size, on
// which both the black ink and its white guides show.
class ViewInteractionTest : public ViewFixture
{
  protected:
    void SetUp() override
    {
        paper.fill(qRgb(128, 128, 128));
        Load(paper);
        view.SetOwner(&window);
        view.SetHistoryListener(&window);
    }
    bool Clean(const QRect& area) const
    {
        return view.WorkingPicture().copy(area) == paper.copy(area);
    }

    QImage paper{640, 480, QImage::Format_RGB32};
    EditorWindow window;
};

// A line shows guides through its ends while the end follows the pointer;
// they never reach the committed picture. A double click replaces the second press.
TEST_F(ViewInteractionTest, LineIsCommittedOnceWithoutItsGuidesDoubleClickReplacesAPress)
{
    view.SetToolMode(ToolMode::ToolLine);
    Click({100, 100});
    Move({300, 200});
    EXPECT_EQ(view.modificationCount, 0);
    EXPECT_FALSE(Clean({0, 0, 640, 90})) << "aiming guides while the end follows";
    Click({300, 200});
    EXPECT_EQ(view.modificationCount, 1);
    EXPECT_EQ(view.History().Count(), 2);
    EXPECT_FALSE(Clean({195, 145, 10, 10}));
    EXPECT_TRUE(Clean({0, 0, 640, 90})) << "no aiming guides in the committed picture";
    EXPECT_TRUE(MatchesTopSnapshot());

    // A quick second click arrives as a double click, which places nothing but
    // ends a continuous line's vertices.
    view.SetToolMode(ToolMode::ToolLine);
    DoubleClick({100, 100});
    EXPECT_EQ(view.State(), InteractionState::StateShapeStarted);

    view.SetToolMode(ToolMode::ToolContinuousLine); // commits the half-made line
    Click({100, 100});
    Click({200, 100});
    Click({150, 90});
    Move({200, 200});
    DoubleClick({200, 200});
    EXPECT_EQ(view.State(), InteractionState::StatePlacingLabel);
    Click({300, 300});
    Click({300, 330});
    EXPECT_EQ(window.commits,
              (std::vector<std::vector<GdiPoint>>{{}, {}, {{100, 100}, {200, 100}, {200, 200}}}));
}

TEST_F(ViewInteractionTest, KeysAndInputMethodTypeIntoTheText)
{
    view.SetToolMode(ToolMode::ToolText);
    Click({100, 100});
    // Keys that aim points elsewhere type while a text is placed.
    QTest::keyClicks(&view, QStringLiteral("abc"));
    for (const Qt::Key key : {Qt::Key_L, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
        QTest::keyClick(&view, key);
    QTest::keyClick(&view, Qt::Key_Backspace);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf16(u"\x4e2d"));
    QCoreApplication::sendEvent(&view, &composed);
    EXPECT_EQ(view.TypedText(), QString::fromUtf16(u"abcl\x4e2d"));
    EXPECT_TRUE(view.LoupeEnabled());
    EXPECT_EQ(view.modificationCount, 0);
    const QRect textArea(100, 80, 200, 110);
    const QImage whileTyping = view.WorkingPicture().copy(textArea);
    EXPECT_FALSE(Clean(textArea));

    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(view.modificationCount, 1);
    EXPECT_TRUE(Clean({97, 90, 1, 1})) << "a finished text has no caret box";
    EXPECT_TRUE(view.WorkingPicture().copy(textArea) == whileTyping);
}

// The cursor becomes the arrow outside the view and comes back; a right click
// drops the object, then the tool.
TEST_F(ViewInteractionTest, CursorFollowsTheViewRightClickDropsTheObjectThenTheTool)
{
    view.SetToolMode(ToolMode::ToolRadiusCircle);
    const Qt::CursorShape toolShape = view.cursor().shape();
    EXPECT_NE(toolShape, Qt::ArrowCursor);
    view.PointerMove({700, 100});
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    view.PointerMove({100, 100});
    EXPECT_EQ(view.cursor().shape(), toolShape);
    Click({100, 100});
    Move({200, 100});
    QTest::mouseClick(Window(), Qt::RightButton, {}, {200, 100});
    EXPECT_EQ(view.GetToolMode(), ToolMode::ToolRadiusCircle);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(MatchesTopSnapshot());
    QTest::mouseClick(Window(), Qt::RightButton, {}, {200, 100});
    EXPECT_EQ(view.GetToolMode(), ToolMode::ToolNone);
    EXPECT_EQ(window.calls,
              (std::vector<QString>{QStringLiteral("drawing"), QStringLiteral("measuring")}));
    EXPECT_EQ(view.modificationCount, 0);
}

} // namespace
