#include "app/CLumvexImgEdtApp.h"
#include "platform/InstanceLock.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, InstanceNameDropsFiveThenKeepsThirteenAndQuotesArePutBack)
{
    const std::pair<const char*, const char*> names[] = {
        {"\"D:\\pics\\20081231_1234.jpg\"", "20081231_1234"},
        {"\"/home/lab/other/20081231_1234.bmp\"", "20081231_1234"},
        {"\"a.jpg\"", "\"a"}, // shorter than 13: all of it
        {"\"ab\"", ""},       // under 5 characters
        {"", ""},
    };
    for (const auto& [commandLine, name] : names)
        EXPECT_EQ(CLumvexImgEdtApp::InstanceName(QString::fromUtf8(commandLine)),
                  QString::fromUtf8(name));

    // The shell may have removed the quotes; they are put back.
    const QString quoted = QStringLiteral("\"/pics/20081231_1234.jpg\"");
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({"editor", "/pics/20081231_1234.jpg"}), quoted);
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({"editor", quoted}), quoted);
    EXPECT_EQ(CLumvexImgEdtApp::RawCommandLine({"editor"}), QString());
    EXPECT_EQ(CLumvexImgEdtApp::PicturePath(quoted), QStringLiteral("/pics/20081231_1234.jpg"));
}

// One lock per base name, none for the empty name; a second start for a
// locked base name, from another folder and extension, ends at once with 0.
TEST(InstanceLock, ASecondStartForTheSameBaseNameEndsAtOnceWithStatusZero)
{
    QTemporaryDir locks;
    qputenv("LUMVEX_LOCK_DIR", locks.path().toLocal8Bit());
    InstanceLock running(QStringLiteral("20081231_1234"));
    ASSERT_TRUE(running.TryLock());
    EXPECT_FALSE(InstanceLock(QStringLiteral("20081231_1234")).TryLock());
    EXPECT_TRUE(InstanceLock(QStringLiteral("20081231_1235")).TryLock());
    InstanceLock unnamed(QString{}), unnamedAgain(QString{});
    EXPECT_TRUE(unnamed.TryLock() && unnamedAgain.TryLock());

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(LUMVEX_EXECUTABLE),
                 {QStringLiteral("/elsewhere/20081231_1234.bmp")});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    qunsetenv("LUMVEX_LOCK_DIR");
}

} // namespace
