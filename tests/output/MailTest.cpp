#include "output/CMailSender.h"
#include "platform/MailLauncher.h"

#include "ScopedEnv.h"
#include "TestFiles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Puts a fake mail helper first on PATH. It records its arguments, one per
// line, waits until the test lets it go and exits with the status it is given.
class MailTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
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

    void WriteScript(int status)
    {
        const QString script = dir.filePath("xdg-email");
        ASSERT_TRUE(TestFiles::Write(
            script,
            QStringLiteral(
                "#!/bin/sh\n"
                "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n"
                "n=0; while [ ! -e '%2' ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n+1)); done\n"
                "exit %3\n")
                .arg(dir.filePath("args"), dir.filePath("release"))
                .arg(status)
                .toLocal8Bit()));
        QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    }

    void Release() { QFile(dir.filePath("release")).open(QIODevice::WriteOnly); }

    QTemporaryDir dir;
    const ScopedEnv path{"PATH", (dir.path() + ":").toLocal8Bit() + qgetenv("PATH")};
    CMailSender sender;
    QSignalSpy finished{&sender, &CMailSender::finished};
    QStringList shown;
    int activated = 0;
};

TEST_F(MailTest, StartsTheMailHelperWithBothAttachmentsWithoutBlockingAndReportsFailure)
{
    const QString picture = QStringLiteral("/pics/20081231_1234.jpg");
    sender.Send(picture);
    EXPECT_EQ(sender.mailBusy, 1);

    // A second MAIL while the first mail is open.
    sender.Send(picture);
    EXPECT_EQ(shown, QStringList({"Mail|Mail client is busy now. Please retry later!|OK"}));

    Release();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(sender.mailBusy, 0);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(
        QString::fromUtf8(TestFiles::Read(dir.filePath("args"))).split('\n', Qt::SkipEmptyParts),
        QStringList({"--subject", "Lumvex's picture", "--body", "Picture captured by Lumvex",
                     "--attach", picture, "--attach", "/pics/Info/20081231_1234"}));
    // A helper that fails shows the mail failure message and frees MAIL again.
    WriteScript(4);
    sender.Send(picture);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(shown.last(), "failure|“发送邮件”未能发送邮件。");
    EXPECT_EQ(sender.mailBusy, 0);
    // A short path keeps what it has rather than reading before its start.
    EXPECT_EQ(CMailSender::InfoPathForMail("20081231_1234.bmp"), "Info/20081231_1234");
    EXPECT_EQ(CMailSender::InfoPathForMail("x.jpg"), "Info/x.jpg");
}

TEST_F(MailTest, NoMailHelperIsSilentAndMailCanBePressedAgain)
{
    sender.launcher->program = QStringLiteral("lumvex-no-such-mail-helper");
    for (int press = 0; press < 2; ++press) {
        sender.Send("/pics/20081231_1234.jpg");
        EXPECT_EQ(sender.mailBusy, 0);
    }
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(activated, 0);
}

} // namespace
