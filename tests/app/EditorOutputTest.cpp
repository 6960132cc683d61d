#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "dialogs/CInformationDlg.h"
#include "magnification/PictureInfoRecord.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {

PictureInfoRecord ReadInfo(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PictureInfoRecord::FromBytes(file.readAll());
}

TEST_F(EditorWindowTest, ZoomStepsResizeTheWindowAndItsControls)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    for (int i = 0; i < 3; ++i)
        w.OnCommand(CLumvexImgEdtDlg::IdZoomIn);
    EXPECT_EQ(w.sizeStep, 3);
    EXPECT_EQ(w.size(), QSize(980, 800));
    EXPECT_EQ(w.Frame()->geometry(), QRect(10, 50, 960, 720));
    EXPECT_EQ(w.View().size(), QSize(960, 720));
    EXPECT_EQ(w.Button(1006)->geometry(), QRect(960, 5, 20, 20));
    EXPECT_EQ(w.RemarkRect(), QRect(10, 780, 955, 16));
    w.OnCommand(CLumvexImgEdtDlg::IdZoomIn);
    EXPECT_EQ(w.sizeStep, 3);
    w.OnCommand(CLumvexImgEdtDlg::IdZoomOut);
    EXPECT_EQ(w.size(), QSize(860, 710));
}

TEST_F(EditorWindowTest, FullScreenEndsWithEsc)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.OnCommand(CLumvexImgEdtDlg::IdZoomIn);
    Choose(CLumvexImgEdtDlg::IdDrawing, 32803);
    w.OnCommand(CLumvexImgEdtDlg::IdMax);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.size(), QSize(screen.width(), screen.height() + 60));
    EXPECT_EQ(w.Frame()->geometry(), QRect(0, 60, screen.width(), screen.height()));
    EXPECT_EQ(w.View().GetToolMode(), ToolMode::ToolNone);
    EXPECT_TRUE(w.Information()->isVisible());
    EXPECT_EQ(w.Information()->infoText, QStringLiteral("Press <Esc> to exit"));

    w.OnCommand(CLumvexImgEdtDlg::IdCancel);
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
    w.OnCommand(CLumvexImgEdtDlg::IdNext);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1300.jpg")));
    EXPECT_EQ(ReadInfo(InfoPath(QStringLiteral("20081231_1234"))).Remark(), QStringLiteral("seen"));
    EXPECT_EQ(w.Magnification().record.Remark(), QString());
    // The picture without info inherits the magnification of the one before.
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.0"));
    EXPECT_EQ(w.View().modificationCount, 0);

    w.OnCommand(CLumvexImgEdtDlg::IdPrevious);
    EXPECT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1234.jpg")));
    EXPECT_EQ(w.MagnificationBox()->text(), QStringLiteral("50.000000"));
    EXPECT_TRUE(w.StatusText().endsWith(QStringLiteral("   --   seen")));
}

} // namespace
