#include "ViewTestSupport.h"

#include "draw/CDrawShape.h"
#include "platform/MessageBus.h"

#include <QInputMethodEvent>
#include <QSignalSpy>

namespace {

// The view between the window system and the tool protocol: real mouse and
// key events in window pixels, the picture, the history and the owner.
class ViewInteractionTest : public ViewFixture
{
  protected:
    void SetUp() override
    {
        Load({640, 480});
        editor.measurementCommitted = [this](const CommittedMeasurement& m) {
            committed.push_back(m);
        };
    }

    std::vector<CommittedMeasurement> committed;
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

// A quick second click arrives as a double click, which places nothing.
TEST_F(ViewInteractionTest, DoubleClickReplacesTheSecondPress)
{
    editor.SetToolMode(ToolMode::ToolLine);
    DoubleClick({100, 100});
    EXPECT_EQ(editor.State(), InteractionState::StateShapeStarted);

    editor.SetToolMode(ToolMode::ToolContinuousLine);
    Click({100, 100});
    Click({200, 100});
    Click({150, 90});
    Move({200, 200});
    DoubleClick({200, 200});
    EXPECT_EQ(editor.State(), InteractionState::StatePlacingLabel);
    Click({300, 300});
    Click({300, 330});
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(committed[0].kind, MeasureKind::ContinuousLine);
    EXPECT_EQ(committed[0].points.size(), 3u);
    EXPECT_EQ(editor.modificationCount, 2) << "the half-made line went in with the new tool";
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

// A 1280 x 960 picture in a 640 x 480 view: points double, and so do widths.
class ScaledViewTest : public ViewFixture
{
  protected:
    void SetUp() override { Load({1280, 960}); }
};

TEST_F(ScaledViewTest, PointsAndWidthsReachTheObjectInPicturePixels)
{
    AnnotationStyle style;
    style.drawWidth = 3;
    editor.SetStyle(&style);
    editor.SetToolMode(ToolMode::ToolLine);
    Click({100, 50});
    auto* shape = dynamic_cast<CDrawShape*>(editor.CurrentObject());
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->points[0], (GdiPoint{200, 100}));
    EXPECT_EQ(shape->width, 12) << "2 * 3 scaled by 2.0, plus 0.5, truncated";
}

} // namespace
