#include "dialogs/CInformationDlg.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Hint = QStringLiteral("Press <Esc> to exit");

TEST(CInformationDlgPlacement, HintAtTheTopRightOfA1024PixelScreen)
{
    ASSERT_EQ(Hint.size(), 19);
    const QRect place = CInformationDlg::Placement(19, 26, std::nullopt, 1024);
    EXPECT_EQ(place.left(), 853);
    EXPECT_EQ(place.left() + place.width(), 1024);
    EXPECT_EQ(place.top(), 0);
    EXPECT_EQ(place.height(), 26);
}

class CInformationDlgTest : public ::testing::Test
{
  protected:
    CInformationDlgTest() : info(new CInformationDlg(&view))
    {
        view.resize(900, 500);
        QPalette palette = view.palette();
        palette.setColor(QPalette::Window, Qt::black);
        view.setPalette(palette);
        view.setAutoFillBackground(true);
        edit = new QLineEdit(&view);
        edit->move(400, 300);
        view.show();
        view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
        edit->setFocus();
    }

    QWidget view;
    CInformationDlg* info;
    QLineEdit* edit;
};

TEST_F(CInformationDlgTest, StartsHiddenAndShowsWithoutTakingFocus)
{
    EXPECT_FALSE(info->isVisible());
    info->ShowInformation(CInformationDlg::ShowCommand::ShowNoActivate, Hint);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->infoText, Hint);
    EXPECT_FALSE(info->hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), edit);
    const int screenWidth = info->screen()->geometry().width();
    EXPECT_EQ(info->geometry(), QRect(screenWidth - 171, 0, 171, info->height()));
}

TEST_F(CInformationDlgTest, HideKeepsTheTextAndAPositionIsRemembered)
{
    const int height = info->height();
    info->ShowInformation(CInformationDlg::ShowCommand::Show, QStringLiteral("abc"), QPoint(5, 6));
    EXPECT_EQ(info->geometry(), QRect(5, 6, 27, height));
    EXPECT_EQ(info->infoPosition, QPoint(5, 6));
    info->ShowInformation(CInformationDlg::ShowCommand::Hide);
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(info->infoText, QStringLiteral("abc"));
    EXPECT_EQ(info->infoPosition, QPoint(5, 6));
    EXPECT_EQ(info->height(), height);
}

TEST_F(CInformationDlgTest, DrawsWhiteTextAndLeavesThePictureAroundIt)
{
    // Were the window to fill its background, this red would show.
    QPalette palette = info->palette();
    palette.setColor(QPalette::Window, Qt::red);
    info->setPalette(palette);
    info->ShowInformation(CInformationDlg::ShowCommand::Show, QStringLiteral("iiii"), QPoint(0, 0));
    const QImage image = view.grab().toImage();
    int white = 0;
    for (int y = 0; y < info->height(); ++y)
        for (int x = 0; x < info->width(); ++x)
            white += qGray(image.pixel(x, y)) > 215;
    EXPECT_GT(white, 0);
    // The window's last column, beyond the letters, still shows the black view.
    for (int y = 0; y < info->height(); ++y)
        EXPECT_EQ(image.pixel(info->width() - 1, y), qRgb(0, 0, 0)) << y;
}

TEST_F(CInformationDlgTest, EnterAndEscapeDoNothing)
{
    info->ShowInformation(CInformationDlg::ShowCommand::Show, Hint);
    QTest::keyClick(info, Qt::Key_Escape);
    QTest::keyClick(info, Qt::Key_Return);
    EXPECT_TRUE(info->isVisible());
}

TEST_F(CInformationDlgTest, TextIsCutToItsField)
{
    info->ShowInformation(CInformationDlg::ShowCommand::Hide, QString(300, u'x'));
    EXPECT_EQ(info->infoText.size(), 259);
    EXPECT_EQ(info->width(), 9 * 259);
}

} // namespace
