#pragma once

#include "view/CLumvexImgEdtView.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

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

// The owner as the tests see it: the calls the view made, in order.
struct RecordingOwner : ViewOwner
{
    std::vector<QString> calls;
    void SelectDrawingTool() override { calls.push_back(QStringLiteral("drawing")); }
    void SelectMeasuringTool() override { calls.push_back(QStringLiteral("measuring")); }
};

// A shown 640 x 480 view holding a picture (white unless given), driven through its window the way
// the window system does: a quick double click replaces the second press.
class ViewFixture : public ::testing::Test
{
  protected:
    void Load(QSize size)
    {
        QImage white(size, QImage::Format_RGB32);
        white.fill(Qt::white);
        Load(white);
    }
    void Load(const QImage& picture)
    {
        editor.resize(640, 480);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
        const QString path = folder.filePath(QStringLiteral("20081231_1200.bmp"));
        ASSERT_TRUE(picture.save(path));
        editor.showError = [](const QString& message) {
            ADD_FAILURE() << message.toStdString();
        };
        ASSERT_TRUE(editor.LoadPicture(path));
        editor.SetOwner(&owner);
    }

    QWindow* Window() { return editor.windowHandle(); }
    void Click(QPoint q) { QTest::mouseClick(Window(), Qt::LeftButton, {}, q); }
    void Press(QPoint q) { QTest::mousePress(Window(), Qt::LeftButton, {}, q); }
    void Release(QPoint q) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, q); }
    void Move(QPoint q) { QTest::mouseMove(Window(), q); }
    void DoubleClick(QPoint q) { QTest::mouseDClick(Window(), Qt::LeftButton, {}, q); }
    void RightClick(QPoint q) { QTest::mouseClick(Window(), Qt::RightButton, {}, q); }

    bool IsWhite(QPoint p) const { return editor.WorkingPicture().pixel(p) == qRgb(255, 255, 255); }
    // Pixels of the working picture that differ from white, within a rectangle.
    int InkIn(const QRect& area) const
    {
        const QImage& picture = editor.WorkingPicture();
        const QRect inside = area & picture.rect();
        int ink = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                ink += picture.pixel(x, y) != qRgb(255, 255, 255);
        return ink;
    }
    int Ink() const { return InkIn(editor.WorkingPicture().rect()); }
    // The working picture must match the top snapshot: nothing in progress shows.
    bool MatchesTopSnapshot() const
    {
        const QImage* top = editor.History().Top();
        return top && *top == editor.WorkingPicture();
    }

    QTemporaryDir folder;
    RecordingOwner owner;
    CLumvexImgEdtView editor;
};
