#pragma once

#include "view/CLumvexImgEdtView.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// A picture where any pixel taken from the wrong place would show.
inline QImage TexturedPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, (x ^ y) & 0xFF);
    }
    return picture;
}

// A shown 640 x 480 view holding a picture saved in a folder of its own.
struct ShownView
{
    bool Load(const QImage& picture)
    {
        view.resize(640, 480);
        view.show();
        const QString path = folder.filePath(QStringLiteral("20081231_1200.bmp"));
        return QTest::qWaitForWindowExposed(&view) && picture.save(path) && view.LoadPicture(path);
    }

    QTemporaryDir folder;
    CLumvexImgEdtView view;
};

// The view driven through its window the way the window system does: a quick
// double click replaces the second press.
class ViewFixture : public ::testing::Test, public ShownView
{
  protected:
    void Load(const QImage& picture)
    {
        view.showError = [](const QString& message) {
            ADD_FAILURE() << message.toStdString();
        };
        ASSERT_TRUE(ShownView::Load(picture));
    }

    QWindow* Window() { return view.windowHandle(); }
    void Click(QPoint q) { QTest::mouseClick(Window(), Qt::LeftButton, {}, q); }
    void Move(QPoint q) { QTest::mouseMove(Window(), q); }
    void DoubleClick(QPoint q) { QTest::mouseDClick(Window(), Qt::LeftButton, {}, q); }

    // The working picture matches the top snapshot: nothing in progress shows.
    bool MatchesTopSnapshot() const
    {
        const QImage* top = view.History().Top();
        return top && *top == view.WorkingPicture();
    }
};
