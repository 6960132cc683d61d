#include "dialogs/CInformationDlg.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Show = CInformationDlg::ShowCommand;

TEST(CInformationDlg, HintAtTheTopRightOfA1024PixelScreen)
{
    EXPECT_EQ(CInformationDlg::Placement(19, 26, std::nullopt, 1024), QRect(853, 0, 171, 26));
}

// Over a black view with an edit that has the focus: the hint shows without
// taking the focus, draws white letters and leaves the view visible around
// them, ignores Enter and Esc, keeps its text when hidden and cuts it to its field.
TEST(CInformationDlg, ShowsOverTheViewWithoutTakingTheFocus)
{
    QWidget view;
    view.resize(900, 500);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Window, Qt::black);
    view.setPalette(palette);
    view.setAutoFillBackground(true);
    auto* edit = new QLineEdit(&view);
    edit->move(400, 300);
    auto* info = new CInformationDlg(&view);
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    edit->setFocus();
    EXPECT_FALSE(info->isVisible());

    const QString hint = QStringLiteral("Press <Esc> to exit");
    info->ShowInformation(Show::ShowNoActivate, hint);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), edit);
    const int screenWidth = info->screen()->geometry().width();
    EXPECT_EQ(info->geometry(), QRect(screenWidth - 171, 0, 171, info->height()));
    QTest::keyClick(info, Qt::Key_Escape);
    QTest::keyClick(info, Qt::Key_Return);
    EXPECT_TRUE(info->isVisible());

    const int height = info->height();
    info->ShowInformation(Show::Show, QStringLiteral("iiii"), QPoint(0, 0));
    EXPECT_EQ(info->geometry(), QRect(0, 0, 36, height));
    const QImage image = view.grab().toImage();
    int white = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < info->width(); ++x)
            white += qGray(image.pixel(x, y)) > 215;
        // The last column, beyond the letters, still shows the black view.
        EXPECT_EQ(image.pixel(info->width() - 1, y), qRgb(0, 0, 0)) << y;
    }
    EXPECT_GT(white, 0);

    info->ShowInformation(Show::Hide);
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(info->infoText, QStringLiteral("iiii"));
    EXPECT_EQ(info->infoPosition, QPoint(0, 0));
    info->ShowInformation(Show::Hide, QString(300, u'x'));
    EXPECT_EQ(info->infoText.size(), 259);
    EXPECT_EQ(info->width(), 9 * 259);
}

} // namespace
