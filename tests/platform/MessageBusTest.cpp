#include "platform/MessageBus.h"

#include "PrivateDbusDaemon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

// Sets or removes an environment variable for one scope.
class ScopedEnv
{
  public:
    ScopedEnv(const char* name, const std::optional<QByteArray>& value) : name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            saved = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (saved)
            qputenv(name, *saved);
        else
            qunsetenv(name);
    }

  private:
    const char* name;
    std::optional<QByteArray> saved;
};

// Lets queued deliveries run for a while, so a late duplicate would show.
void Settle(int ms = 300)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
}

TEST(MessageBusTest, WithoutSessionBusOwnPostArrivesOnceAfterReturn)
{
    ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    QElapsedTimer startUp;
    startUp.start();
    MessageBus bus;
    EXPECT_LT(startUp.elapsed(), 1000);
    EXPECT_FALSE(bus.IsConnected());

    QSignalSpy adjust(&bus, &MessageBus::AdjustMagnificationReceived);
    bus.PostAdjustMagnification(1775.0);
    EXPECT_EQ(adjust.count(), 0) << "delivery must wait until the poster returns";
    Settle();
    ASSERT_EQ(adjust.count(), 1);
    EXPECT_EQ(adjust.at(0).at(0).toDouble(), 1775.0);
}

TEST(MessageBusTest, UnreachableBusFallsBackToLocalDelivery)
{
    QTemporaryDir folder;
    ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder.filePath("none").toLocal8Bit());
    MessageBus bus;
    EXPECT_FALSE(bus.IsConnected());

    QSignalSpy adjust(&bus, &MessageBus::AdjustMagnificationReceived);
    QSignalSpy quit(&bus, &MessageBus::QuitReceived);
    QSignalSpy setMagnification(&bus, &MessageBus::SetMagnificationReceived);
    bus.PostAdjustMagnification(-0.5);
    bus.PostQuit();
    bus.PostSetMagnification();
    Settle(100);
    ASSERT_EQ(adjust.count(), 1);
    EXPECT_EQ(adjust.at(0).at(0).toDouble(), -0.5);
    EXPECT_EQ(quit.count(), 1);
    EXPECT_EQ(setMagnification.count(), 1);
}

TEST(MessageBusTest, AutolaunchAddressIsNotFollowed)
{
    ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", QByteArray("autolaunch:"));
    QElapsedTimer startUp;
    startUp.start();
    MessageBus bus;
    EXPECT_FALSE(bus.IsConnected());
    EXPECT_LT(startUp.elapsed(), 1000);
}

class MessageBusOnDaemonTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (bus.address.isEmpty())
            GTEST_SKIP() << "dbus-daemon could not be started";
    }

    PrivateDbusDaemon bus;
};

TEST_F(MessageBusOnDaemonTest, EveryInstanceReceivesAPostAndTheSenderOnlyOnce)
{
    MessageBus sender(bus.address);
    MessageBus other(bus.address);
    ASSERT_TRUE(sender.IsConnected());
    ASSERT_TRUE(other.IsConnected());

    QSignalSpy own(&sender, &MessageBus::AdjustMagnificationReceived);
    QSignalSpy remote(&other, &MessageBus::AdjustMagnificationReceived);
    sender.PostAdjustMagnification(1775.0);
    EXPECT_EQ(own.count(), 0);
    ASSERT_TRUE(remote.wait(5000));
    Settle();
    ASSERT_EQ(own.count(), 1) << "the bus echo must not double the local delivery";
    ASSERT_EQ(remote.count(), 1);
    EXPECT_EQ(own.at(0).at(0).toDouble(), 1775.0);
    EXPECT_EQ(remote.at(0).at(0).toDouble(), 1775.0);
}

TEST_F(MessageBusOnDaemonTest, QuitAndSetMagnificationReachOtherInstances)
{
    MessageBus sender(bus.address);
    MessageBus other(bus.address);
    ASSERT_TRUE(other.IsConnected());

    QSignalSpy quit(&other, &MessageBus::QuitReceived);
    QSignalSpy setMagnification(&other, &MessageBus::SetMagnificationReceived);
    QSignalSpy ownQuit(&sender, &MessageBus::QuitReceived);
    sender.PostQuit();
    sender.PostSetMagnification();
    ASSERT_TRUE(quit.wait(5000));
    Settle();
    EXPECT_EQ(quit.count(), 1);
    EXPECT_EQ(setMagnification.count(), 1);
    EXPECT_EQ(ownQuit.count(), 1);
}

TEST_F(MessageBusOnDaemonTest, DefaultConstructorFindsTheSessionBusFromTheEnvironment)
{
    ScopedEnv env("DBUS_SESSION_BUS_ADDRESS", bus.address.toLocal8Bit());
    MessageBus fromEnvironment;
    MessageBus listener(bus.address);
    ASSERT_TRUE(fromEnvironment.IsConnected());

    QSignalSpy remote(&listener, &MessageBus::AdjustMagnificationReceived);
    fromEnvironment.PostAdjustMagnification(12.25);
    ASSERT_TRUE(remote.wait(5000));
    EXPECT_EQ(remote.at(0).at(0).toDouble(), 12.25);
}

// Another program (the capture program) on the bus is heard like an editor.
TEST_F(MessageBusOnDaemonTest, SignalsFromOtherProgramsArrive)
{
    MessageBus listener(bus.address);
    QSignalSpy quit(&listener, &MessageBus::QuitReceived);

    QProcess sendTool;
    sendTool.start(QStringLiteral("dbus-send"),
                   {QStringLiteral("--bus=") + bus.address, QStringLiteral("--type=signal"),
                    QStringLiteral("/org/lumvex/Broadcast"),
                    QStringLiteral("org.lumvex.Broadcast.MessageInfoImgEditQuit")});
    if (!sendTool.waitForStarted(3000))
        GTEST_SKIP() << "dbus-send is not available";
    ASSERT_TRUE(sendTool.waitForFinished(5000));
    ASSERT_EQ(sendTool.exitCode(), 0) << sendTool.readAllStandardError().toStdString();
    ASSERT_TRUE(quit.wait(5000));
    EXPECT_EQ(quit.count(), 1);
}

} // namespace
