#include "EditorWindowSupport.h"

#include "app/CBitmapButton.h"
#include "dialogs/CInformationDlg.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

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

} // namespace
