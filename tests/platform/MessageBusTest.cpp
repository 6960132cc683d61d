#include "platform/MessageBus.h"

#include "ScopedEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr const char* BusAddress = "DBUS_SESSION_BUS_ADDRESS";

// Lets queued deliveries run for a while, so a late duplicate would show.
void Settle(int ms = 30)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
}

// No bus, one that cannot be reached, one that would have to be launched:
// the editor starts at once and its own posts still reach it, once each and
// only after the poster has returned.
TEST(MessageBusTest, WithoutAReachableBusOwnPostsArriveOnceAfterReturn)
{
    QTemporaryDir folder;
    for (const std::optional<QByteArray>& address :
         {std::optional<QByteArray>(), std::optional<QByteArray>("autolaunch:"),
          std::optional<QByteArray>("unix:path=" + folder.filePath("none").toLocal8Bit())}) {
        ScopedEnv env(BusAddress, address);
        QElapsedTimer startUp;
        startUp.start();
        MessageBus bus;
        EXPECT_LT(startUp.elapsed(), 1000);
        EXPECT_FALSE(bus.IsConnected());

        QSignalSpy adjust(&bus, &MessageBus::AdjustMagnificationReceived);
        QSignalSpy quit(&bus, &MessageBus::QuitReceived);
        QSignalSpy setMagnification(&bus, &MessageBus::SetMagnificationReceived);
        bus.PostAdjustMagnification(-0.5);
        bus.PostQuit();
        bus.PostSetMagnification();
        EXPECT_EQ(adjust.count(), 0) << "delivery must wait until the poster returns";
        Settle();
        ASSERT_EQ(adjust.count(), 1);
        EXPECT_EQ(adjust.at(0).at(0).toDouble(), -0.5);
        EXPECT_EQ(quit.count(), 1);
        EXPECT_EQ(setMagnification.count(), 1);
    }
}

// A session bus daemon of the test's own, gone with the test.
class MessageBusOnDaemonTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address"),
                      QStringLiteral("--address=unix:dir=") + folder.path()});
        while (daemon.waitForStarted(5000) && !daemon.canReadLine() &&
               daemon.waitForReadyRead(5000)) {
        }
        address = QString::fromLocal8Bit(daemon.readLine()).trimmed();
        if (address.isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started";
    }
    void TearDown() override
    {
        daemon.terminate();
        if (!daemon.waitForFinished(3000))
            daemon.kill();
    }

    QTemporaryDir folder;
    QProcess daemon;
    QString address;
};

// The sender finds the bus from the environment; every other instance hears
// each message once, and the sender too, the bus echo not doubling it; other
// programs' signals arrive like an editor's.
TEST_F(MessageBusOnDaemonTest, EveryInstanceAndOtherProgramsReachEachOtherOnce)
{
    ScopedEnv env(BusAddress, address.toLocal8Bit());
    MessageBus sender;
    MessageBus other(address);
    ASSERT_TRUE(sender.IsConnected());
    ASSERT_TRUE(other.IsConnected());

    QSignalSpy own(&sender, &MessageBus::AdjustMagnificationReceived);
    QSignalSpy ownQuit(&sender, &MessageBus::QuitReceived);
    QSignalSpy remote(&other, &MessageBus::AdjustMagnificationReceived);
    QSignalSpy quit(&other, &MessageBus::QuitReceived);
    QSignalSpy setMagnification(&other, &MessageBus::SetMagnificationReceived);
    sender.PostAdjustMagnification(1775.0);
    sender.PostQuit();
    sender.PostSetMagnification();
    EXPECT_EQ(own.count(), 0);
    ASSERT_TRUE(setMagnification.wait(5000));
    Settle(300);
    for (const QSignalSpy* spy : {&own, &ownQuit, &remote, &quit, &setMagnification})
        EXPECT_EQ(spy->count(), 1);
    EXPECT_EQ(own.at(0).at(0).toDouble(), 1775.0);
    EXPECT_EQ(remote.at(0).at(0).toDouble(), 1775.0);

    // Another program (the capture program) on the bus is heard like an editor.
    QProcess sendTool;
    sendTool.start(QStringLiteral("dbus-send"),
                   {QStringLiteral("--bus=") + address, QStringLiteral("--type=signal"),
                    QStringLiteral("/org/lumvex/Broadcast"),
                    QStringLiteral("org.lumvex.Broadcast.MessageInfoImgEditQuit")});
    if (!sendTool.waitForStarted(3000))
        GTEST_SKIP() << "dbus-send is not available";
    ASSERT_TRUE(sendTool.waitForFinished(5000));
    ASSERT_EQ(sendTool.exitCode(), 0) << sendTool.readAllStandardError().toStdString();
    ASSERT_TRUE(quit.wait(5000));
    EXPECT_EQ(quit.count(), 2);
}

} // namespace
