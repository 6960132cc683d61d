#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "dialogs/CInformationDlg.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include <cerrno>
#include <cstring>

namespace {

using enum ControlId;

TEST_F(EditorWindowTest, ZoomStepsAndFullScreenPlaceTheWindowAndItsControls)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    for (int i = 0; i < 4; ++i)
        Press(ZoomIn);
    EXPECT_EQ(w.sizeStep, 3);
    EXPECT_EQ(w.size(), QSize(980, 800));
    EXPECT_EQ(w.View().size(), QSize(960, 720));
    EXPECT_EQ(w.Button(Close)->geometry(), QRect(960, 5, 20, 20));
    EXPECT_EQ(w.RemarkRect(), QRect(10, 780, 955, 16));
    Press(ZoomOut);
    Press(ZoomOut);
    EXPECT_EQ(w.size(), QSize(817, 678));

    Choose(Drawing, 32803);
    Press(Max);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.size(), QSize(screen.width(), screen.height() + 60));
    EXPECT_EQ(w.Frame()->geometry(), QRect(0, 60, screen.width(), screen.height()));
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolNone);
    EXPECT_TRUE(w.Information()->isVisible());
    EXPECT_EQ(w.Information()->infoText, QStringLiteral("Press <Esc> to exit"));
    Press(Cancel);
    EXPECT_FALSE(w.IsClosed());
    EXPECT_FALSE(w.Information()->isVisible());
    EXPECT_EQ(w.size(), QSize(817, 678));
    EXPECT_EQ(w.Frame()->geometry(), QRect(10, 50, 797, 598));
}

TEST_F(EditorWindowTest, NextStoresTheRemarkOfThePictureLeft)
{
    Picture("20081231_1234.jpg", "20081231_1300", false);
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.Magnification().record.SetRemark(QStringLiteral("seen"));
    w.View().modificationCount = 1;
    boxAnswer = 7;
    Press(Next);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1300.jpg")));
    EXPECT_EQ(StoredInfo(QStringLiteral("20081231_1234")).Remark(), QStringLiteral("seen"));
    EXPECT_EQ(w.Magnification().record.Remark(), QString());
    EXPECT_EQ(w.View().modificationCount, 0);

    Press(Previous);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1234.jpg")));
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.000000"));
    EXPECT_TRUE(w.StatusText().endsWith(QStringLiteral("   --   seen")));
}

// Info and settings files that cannot be written are reported once each, with
// the system's reason, and browsing and closing go on as usual.
TEST_F(EditorWindowTest, FailedInfoAndSettingsWritesAreReportedOnceEach)
{
    Picture("20081231_1234.jpg", "20081231_1300", false);
    CLumvexImgEdtDlg& w = OpenMagnified();
    const QByteArray infoBefore = StoredInfo(QStringLiteral("20081231_1234")).ToBytes();
    const QStringList folders = {folder.filePath(QStringLiteral("pics/Info")),
                                 folder.filePath(QStringLiteral("settings"))};
    for (const QString& path : folders)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    w.Magnification().record.SetRemark(QStringLiteral("kept on screen"));
    Press(Next);
    Press(Previous);
    w.CloseEditor();
    for (const QString& path : folders)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_TRUE(w.IsClosed());
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1234.jpg")));
    const QString denied = QString::fromLocal8Bit(strerror(EACCES));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(boxes[0].message, "The picture information could not be saved:\n" + denied);
    EXPECT_EQ(boxes[1].message, "The settings could not be saved:\n" + denied);
    EXPECT_EQ(boxes[1].yes + boxes[1].no, QStringLiteral("OK"));
    EXPECT_EQ(StoredInfo(QStringLiteral("20081231_1234")).ToBytes(), infoBefore);
}

} // namespace
