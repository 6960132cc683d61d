#include "dialogs/CInformationDlg.h"
#include "dialogs/CProcessDlg.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Show = CInformationDlg::ShowCommand;

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
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return})
        QTest::keyClick(info, key);
    EXPECT_TRUE(info->isVisible());

    const int height = info->height();
    info->ShowInformation(Show::Show, QStringLiteral("iiii"), QPoint(0, 0));
    EXPECT_EQ(info->geometry(), QRect(0, 0, 36, height));
    const QImage image = view.grab().toImage();
    int white = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < info->width(); ++x)
            white += qGray(image.pixel(x, y)) > 215;
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

// The first column and the first row of the title band holding a pixel darker
// than dark or lighter than light; the band's size when there is none.
QPoint Extent(const QImage& image, int rows, int dark, int light)
{
    QPoint first(image.width(), rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < dark || qGray(image.pixel(x, y)) > light)
                first = QPoint(std::min(first.x(), x), std::min(first.y(), y));
    return first;
}

// "Save as..." in a window 622 pixels wide starts at x 281, drawn black and
// then white one pixel lower right; no title draws nothing, and the window
// fills no background. The progress bar spans the window below the title.
TEST(CProcessDlg, TitleIsDrawnBlackThenWhiteOverTheProgressBar)
{
    CProcessDlg dialog;
    const QRect bar = dialog.progress->geometry();
    EXPECT_EQ(bar, QRect(0, bar.top(), dialog.width(), dialog.height() - bar.top()));
    EXPECT_TRUE(!dialog.isModal() && (dialog.windowFlags() & Qt::FramelessWindowHint));
    dialog.resize(622, dialog.height());
    const int titleRows = dialog.progress->geometry().top();
    const auto render = [&dialog] {
        QImage image(dialog.size(), QImage::Format_RGB32);
        image.fill(QColor(128, 128, 128));
        dialog.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    EXPECT_EQ(Extent(render(), titleRows, 40, 215), QPoint(622, titleRows));
    dialog.title = QStringLiteral("Save as...");
    const QImage image = render();
    const QPoint black = Extent(image, titleRows, 40, 255);
    const QPoint white = Extent(image, titleRows, 0, 215);
    EXPECT_GE(black.x(), 281);
    EXPECT_LE(black.x(), 284); // the first glyph's side bearing
    EXPECT_EQ(white, black + QPoint(1, 1));
}

} // namespace
