#include "ViewTestSupport.h"

#include "platform/MessageBus.h"
#include "view/HistoryListener.h"

#include <QInputMethodEvent>
#include <QSignalSpy>

namespace {

// Commits as the results table sees them: the placed points of each
// measurement, none for other objects.
struct CommitLog : HistoryListener
{
    std::vector<std::vector<GdiPoint>> points;
    void Committed(CDrawObject* object) override
    {
        auto* measure = dynamic_cast<CDrawMeasure*>(object);
        points.push_back(measure ? measure->PlacedPoints() : std::vector<GdiPoint>{});
    }
    void Undone() override {}
    void Redone() override {}
};

// The view between the window system and the tool protocol: real mouse and
// key events in window pixels, the picture, the history and the owner.
class ViewInteractionTest : public ViewFixture
{
  protected:
    void SetUp() override
    {
        Load({640, 480});
        editor.SetHistoryListener(&log);
    }

    CommitLog log;
};

TEST_F(ViewInteractionTest, LineIsCommittedOnceWithoutItsGuides)
{
    editor.SetToolMode(ToolMode::ToolLine);
    Click({100, 100});
    Move({300, 200});
    EXPECT_EQ(editor.modificationCount, 0);
    Click({300, 200});
    EXPECT_EQ(editor.State(), InteractionState::StateIdle);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.History().Count(), 2);
    EXPECT_FALSE(IsWhite({200, 150}));
    EXPECT_EQ(InkIn({0, 0, 90, 480}), 0) << "no aiming guides in the committed picture";
    EXPECT_TRUE(MatchesTopSnapshot());
}

// A quick second click arrives as a double click, which places nothing but
// ends a continuous line's vertices.
TEST_F(ViewInteractionTest, DoubleClickReplacesTheSecondPress)
{
    editor.SetToolMode(ToolMode::ToolLine);
    DoubleClick({100, 100});
    EXPECT_EQ(editor.State(), InteractionState::StateShapeStarted);

    editor.SetToolMode(ToolMode::ToolContinuousLine); // commits the half-made line
    Click({100, 100});
    Click({200, 100});
    Click({150, 90});
    Move({200, 200});
    DoubleClick({200, 200});
    EXPECT_EQ(editor.State(), InteractionState::StatePlacingLabel);
    Click({300, 300});
    Click({300, 330});
    EXPECT_EQ(log.points,
              (std::vector<std::vector<GdiPoint>>{{}, {{100, 100}, {200, 100}, {200, 200}}}));
}

TEST_F(ViewInteractionTest, KeysAndInputMethodTypeIntoTheText)
{
    editor.SetToolMode(ToolMode::ToolText);
    Click({100, 100});
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf16(u"\x4e2d"));
    QCoreApplication::sendEvent(&editor, &composed);
    EXPECT_EQ(editor.TypedText(), QString::fromUtf16(u"ab\x4e2d"));
    EXPECT_EQ(editor.modificationCount, 0);
    const int inkWhileTyping = InkIn({100, 80, 200, 110});
    EXPECT_GT(inkWhileTyping, 0);

    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(editor.State(), InteractionState::StateIdle);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_TRUE(IsWhite({97, 90})) << "a finished text has no caret box";
    EXPECT_EQ(InkIn({100, 80, 200, 110}), inkWhileTyping);
}

TEST_F(ViewInteractionTest, RightClickDropsTheObjectThenTheTool)
{
    editor.SetToolMode(ToolMode::ToolRadiusCircle);
    Click({100, 100});
    Move({200, 100});
    RightClick({200, 100});
    EXPECT_EQ(editor.GetToolMode(), ToolMode::ToolRadiusCircle);
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_EQ(Ink(), 0);
    RightClick({200, 100});
    EXPECT_EQ(editor.GetToolMode(), ToolMode::ToolNone);
    EXPECT_EQ(owner.calls,
              (std::vector<QString>{QStringLiteral("drawing"), QStringLiteral("measuring")}));
    EXPECT_EQ(editor.modificationCount, 0);
}

TEST_F(ViewInteractionTest, CursorBecomesTheArrowOutsideTheViewAndComesBack)
{
    editor.SetToolMode(ToolMode::ToolRectangle);
    const Qt::CursorShape toolShape = editor.cursor().shape();
    editor.PointerMove({700, 100});
    EXPECT_EQ(editor.cursor().shape(), Qt::ArrowCursor);
    editor.PointerMove({100, 100});
    EXPECT_EQ(editor.cursor().shape(), toolShape);
}

TEST_F(ViewInteractionTest, CalibrationIsPostedOnceAfterTheRelease)
{
    MessageBus bus{QString()};
    editor.SetMessageBus(&bus);
    QSignalSpy received(&bus, &MessageBus::AdjustMagnificationReceived);
    editor.SetToolMode(ToolMode::ToolCalibration);
    Click({100, 100});
    Move({200, 100});
    Press({200, 100});
    editor.LeftButtonUp({200, 100});
    EXPECT_EQ(received.count(), 0) << "posted, not sent";
    EXPECT_EQ(editor.modificationCount, 1);
    QCoreApplication::processEvents();
    ASSERT_EQ(received.count(), 1);
    // 100 pixels of the default 0.355 mm at the default magnification 50.
    EXPECT_NEAR(received.at(0).at(0).toDouble(), 1775.0, 1e-9);
}

} // namespace
