#include "app/CLumvexImgEdtApp.h"
#include "platform/InstanceLock.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct NameCase
{
    const char* commandLine;
    const char* instanceName;
};

class InstanceNameTest : public ::testing::TestWithParam<NameCase>
{};

TEST_P(InstanceNameTest, DropsFiveThenKeepsThirteen)
{
    EXPECT_EQ(CLumvexImgEdtApp::InstanceName(QString::fromUtf8(GetParam().commandLine)),
              QString::fromUtf8(GetParam().instanceName));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, InstanceNameTest,
    ::testing::Values(NameCase{"\"D:\\pics\\20081231_1234.jpg\"", "20081231_1234"},
                      NameCase{"\"/home/lab/other/20081231_1234.bmp\"", "20081231_1234"},
                      NameCase{"\"/p/20081231_1235.jpg\"", "20081231_1235"},
                      NameCase{"\"a.jpg\"", "\"a"}, // shorter than 13: all of it
                      NameCase{"\"ab\"", ""},       // under 5 characters
                      NameCase{"", ""}, NameCase{"12345", ""}));

TEST(CommandLineTest, QuotesArePutBackSoTheShellMakesNoDifference)
{
    const QString quoted = QStringLiteral("\"/pics/20081231_1234.jpg\"");
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine(
                  {QStringLiteral("editor"), QStringLiteral("/pics/20081231_1234.jpg")}),
              quoted);
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({QStringLiteral("editor"), quoted}), quoted);
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({QStringLiteral("editor")}), QString());
    EXPECT_EQ(CLumvexImgEdtApp::PicturePath(quoted), QStringLiteral("/pics/20081231_1234.jpg"));
}

class InstanceLockTest : public ::testing::Test
{
  protected:
    QTemporaryDir locks;
    void SetUp() override { qputenv("LUMVEX_LOCK_DIR", locks.path().toLocal8Bit()); }
    void TearDown() override { qunsetenv("LUMVEX_LOCK_DIR"); }
};

TEST_F(InstanceLockTest, OneLockPerNameAndNoneForTheEmptyName)
{
    InstanceLock first(QStringLiteral("20081231_1234"));
    ASSERT_TRUE(first.TryLock());
    InstanceLock same(QStringLiteral("20081231_1234"));
    EXPECT_FALSE(same.TryLock());
    InstanceLock other(QStringLiteral("20081231_1235"));
    EXPECT_TRUE(other.TryLock());
    InstanceLock unnamed(QString{}), unnamedAgain(QString{});
    EXPECT_TRUE(unnamed.TryLock());
    EXPECT_TRUE(unnamedAgain.TryLock());
}

TEST_F(InstanceLockTest, ASecondStartForTheSameBaseNameEndsAtOnceWithStatusZero)
{
    InstanceLock running(QStringLiteral("20081231_1234"));
    ASSERT_TRUE(running.TryLock());
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    // Another folder and the other extension: the same base name all the same.
    second.start(QStringLiteral(LUMVEX_EXECUTABLE),
                 {QStringLiteral("/elsewhere/20081231_1234.bmp")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
}

} // namespace
