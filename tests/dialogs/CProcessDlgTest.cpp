#include "dialogs/CProcessDlg.h"

#include <QImage>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

// The leftmost column and topmost row of the title band whose pixels pass test.
template <typename Test> QPoint Extent(const QImage& image, int rows, Test test)
{
    QPoint extent(-1, -1);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) {
                extent.rx() = extent.x() < 0 ? x : std::min(extent.x(), x);
                extent.ry() = extent.y() < 0 ? y : extent.y();
            }
    return extent;
}

// "Save as..." in a window 622 pixels wide starts at x 281, drawn black and
// then white one pixel lower right; no title draws nothing, and the window
// fills no background. The progress bar spans the window below the title.
TEST(CProcessDlg, TitleIsDrawnBlackThenWhiteOverTheProgressBar)
{
    CProcessDlg dialog;
    const QRect bar = dialog.progress->geometry();
    EXPECT_EQ(bar, QRect(0, bar.top(), dialog.width(), dialog.height() - bar.top()));
    EXPECT_GT(bar.top(), 0);
    EXPECT_TRUE(!dialog.isModal() && (dialog.windowFlags() & Qt::FramelessWindowHint));
    dialog.resize(622, dialog.height());
    const int titleRows = dialog.progress->geometry().top();
    const auto render = [&dialog] {
        QImage image(dialog.size(), QImage::Format_RGB32);
        image.fill(QColor(128, 128, 128));
        dialog.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    const auto dark = [](QRgb p) {
        return qGray(p) < 40;
    };
    const auto light = [](QRgb p) {
        return qGray(p) > 215;
    };
    EXPECT_EQ(Extent(render(), titleRows, [&](QRgb p) { return dark(p) || light(p); }),
              QPoint(-1, -1));

    dialog.title = QStringLiteral("Save as...");
    const QImage image = render();
    const QPoint black = Extent(image, titleRows, dark);
    const QPoint white = Extent(image, titleRows, light);
    EXPECT_GE(black.x(), 281);
    EXPECT_LE(black.x(), 284); // the first glyph's side bearing
    EXPECT_EQ(white, black + QPoint(1, 1));
}

} // namespace
