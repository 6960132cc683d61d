#include "dialogs/CProcessDlg.h"

#include <QImage>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

TEST(CProcessDlg, TitleLeftCentresSixPixelsPerCharacter)
{
    EXPECT_EQ(CProcessDlg::TitleLeft(622, 10), 281);
    EXPECT_EQ(CProcessDlg::TitleLeft(623, 10), 281);
    EXPECT_EQ(CProcessDlg::TitleLeft(60, 10), 0);
    // Wider than the window: the start is left of it, truncated toward zero.
    EXPECT_EQ(CProcessDlg::TitleLeft(55, 10), -2);
}

struct Extent
{
    int left = -1;
    int top = -1;
};

// The leftmost column and topmost row whose pixels pass test, within the title band.
template <typename Test> Extent Find(const QImage& image, int rows, Test test)
{
    Extent extent;
    for (int x = 0; x < image.width() && extent.left < 0; ++x)
        for (int y = 0; y < rows; ++y)
            if (test(image.pixel(x, y))) {
                extent.left = x;
                break;
            }
    for (int y = 0; y < rows && extent.top < 0; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) {
                extent.top = y;
                break;
            }
    return extent;
}

class CProcessDlgPaint : public ::testing::Test
{
  protected:
    CProcessDlgPaint()
    {
        QPalette palette = dialog.palette();
        palette.setColor(QPalette::Window, QColor(128, 128, 128));
        dialog.setPalette(palette);
        dialog.resize(622, dialog.height());
    }

    QImage Render()
    {
        QImage image(dialog.size(), QImage::Format_RGB32);
        image.fill(QColor(128, 128, 128));
        dialog.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    int TitleRows() const { return dialog.findChild<QProgressBar*>()->geometry().top(); }

    CProcessDlg dialog;
};

TEST_F(CProcessDlgPaint, TitleIsDrawnBlackThenWhiteOnePixelLowerRight)
{
    dialog.title = QStringLiteral("Save as...");
    const QImage image = Render();
    const Extent black = Find(image, TitleRows(), [](QRgb p) { return qGray(p) < 40; });
    const Extent white = Find(image, TitleRows(), [](QRgb p) { return qGray(p) > 215; });
    ASSERT_GE(black.left, 0);
    ASSERT_GE(white.left, 0);
    EXPECT_GE(black.left, 281);
    EXPECT_LE(black.left, 284); // the first glyph's side bearing
    EXPECT_EQ(white.left, black.left + 1);
    EXPECT_EQ(white.top, black.top + 1);
}

TEST_F(CProcessDlgPaint, EmptyTitleDrawsNothing)
{
    const QImage image = Render();
    const Extent drawn =
        Find(image, TitleRows(), [](QRgb p) { return qGray(p) < 40 || qGray(p) > 215; });
    EXPECT_EQ(drawn.left, -1);
}

TEST(CProcessDlg, ProgressBarSpansTheWindowBelowTheTitle)
{
    CProcessDlg dialog;
    const QRect bar = dialog.progress->geometry();
    EXPECT_EQ(bar.left(), 0);
    EXPECT_EQ(bar.width(), dialog.width());
    EXPECT_EQ(bar.bottom(), dialog.height() - 1);
    EXPECT_GT(bar.top(), 0);
    EXPECT_FALSE(dialog.isModal());
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
}

} // namespace
