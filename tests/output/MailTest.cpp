#include "output/CMailSender.h"
#include "platform/MailLauncher.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Puts a fake mail helper first on PATH. It records its arguments, one per
// line, waits until the test lets it go and exits with the status it is given.
class MailTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedPath = qgetenv("PATH");
        qputenv("PATH", (dir.path() + ":").toLocal8Bit() + savedPath);
        WriteScript(0);
        sender.showBusy = [this](const QString& caption, const QString& text,
                                 const QString& button) {
            shown << caption + "|" + text + "|" + button;
        };
        sender.showFailure = [this](const QString& text) {
            shown << "failure|" + text;
        };
        sender.activateWindow = [this] {
            ++activated;
        };
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    void WriteScript(int status)
    {
        QFile script(dir.filePath("xdg-email"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            QStringLiteral(
                "#!/bin/sh\n"
                "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n"
                "n=0; while [ ! -e '%2' ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n+1)); done\n"
                "exit %3\n")
                .arg(dir.filePath("args"), dir.filePath("release"))
                .arg(status)
                .toLocal8Bit());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }

    void Release()
    {
        QFile release(dir.filePath("release"));
        release.open(QIODevice::WriteOnly);
    }

    bool WaitForFinish()
    {
        QEventLoop loop;
        bool done = false;
        QObject::connect(&sender, &CMailSender::finished, &loop, [&] {
            done = true;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return done;
    }

    QStringList RecordedArguments()
    {
        QFile file(dir.filePath("args"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QByteArray savedPath;
    CMailSender sender;
    QStringList shown;
    int activated = 0;
};

TEST_F(MailTest, StartsTheMailHelperWithBothAttachmentsWithoutBlocking)
{
    const QString picture = QStringLiteral("/pics/20081231_1234.jpg");
    sender.Send(picture);
    EXPECT_EQ(sender.mailBusy, 1);

    // A second MAIL while the first mail is open.
    sender.Send(picture);
    EXPECT_EQ(shown, QStringList({"Mail|Mail client is busy now. Please retry later!|OK"}));

    Release();
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(sender.mailBusy, 0);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(RecordedArguments(),
              QStringList({"--subject", "Lumvex's picture", "--body", "Picture captured by Lumvex",
                           "--attach", picture, "--attach", "/pics/Info/20081231_1234"}));
}

TEST_F(MailTest, FailureExitShowsTheMailFailureMessage)
{
    WriteScript(4);
    Release();
    sender.Send("/pics/20081231_1234.jpg");
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(shown, QStringList({"failure|“发送邮件”未能发送邮件。"}));
    EXPECT_EQ(sender.mailBusy, 0);
}

TEST_F(MailTest, NoMailHelperIsSilentAndMailCanBePressedAgain)
{
    sender.launcher->program = QStringLiteral("lumvex-no-such-mail-helper");
    sender.Send("/pics/20081231_1234.jpg");
    EXPECT_EQ(sender.mailBusy, 0);
    sender.Send("/pics/20081231_1234.jpg");
    EXPECT_EQ(sender.mailBusy, 0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(activated, 0);
}

TEST(MailPaths, InfoFileBesideThePictures)
{
    EXPECT_EQ(CMailSender::InfoPathForMail("/a/b/20081231_1234.jpg"), "/a/b/Info/20081231_1234");
    EXPECT_EQ(CMailSender::InfoPathForMail("20081231_1234.bmp"), "Info/20081231_1234");
    // A short path keeps what it has rather than reading before its start.
    EXPECT_EQ(CMailSender::InfoPathForMail("x.jpg"), "Info/x.jpg");
}

} // namespace
