#include "PrivateDbusDaemon.h"
#include "ViewTestSupport.h"

#include "platform/MessageBus.h"

#include <QSignalSpy>

namespace {

// The view posts through the window's bus; every editor on the bus hears the
// calibration, the posting one exactly once.
class CalibrationOnBusTest : public ViewFixture
{
  protected:
    void SetUp() override
    {
        if (daemon.address.isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started";
        Load({640, 480});
        editor.pixelSize = 0.355;
        editor.resolutionFactor = 1.0;
        editor.pictureMagnification = 0.0;
        editor.SetToolMode(ToolCalibration);
    }

    PrivateDbusDaemon daemon;
};

TEST_F(CalibrationOnBusTest, ReachesThisWindowOnceAndAnotherEditor)
{
    MessageBus windowBus(daemon.address);
    MessageBus otherEditor(daemon.address);
    ASSERT_TRUE(windowBus.IsConnected());
    editor.SetMessageBus(&windowBus);
    QSignalSpy own(&windowBus, &MessageBus::AdjustMagnificationReceived);
    QSignalSpy other(&otherEditor, &MessageBus::AdjustMagnificationReceived);

    Move({100, 100});
    Click({100, 100});
    Move({100, 300});
    Press({100, 300});
    editor.LeftButtonUp({100, 300});
    EXPECT_EQ(own.count(), 0) << "delivered after the release returns";
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.count() > 0; }, 5000));
    // Give the bus's echo of our own signal every chance to arrive.
    QTest::qWait(300);
    ASSERT_EQ(own.count(), 1);
    ASSERT_EQ(other.count(), 1);
    EXPECT_NEAR(own.at(0).at(0).toDouble(), 200 * 0.355 * 50.0, 1e-9);
    EXPECT_EQ(own.at(0).at(0).toDouble(), other.at(0).at(0).toDouble());
}

} // namespace
