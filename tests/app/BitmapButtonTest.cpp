#include "app/CBitmapButton.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QImage Shown(const CBitmapButton& button)
{
    const QPixmap* bitmap = button.CurrentBitmap();
    return bitmap ? bitmap->toImage() : QImage();
}

QImage Art(const QString& name)
{
    return QImage(":/artwork/" + name + ".png");
}

// Bitmaps are found whatever the caption's case; a state without a bitmap
// (no disabled ones exist) falls back to the normal one.
TEST(BitmapButton, TakesItsBitmapsSizeAndChoosesByState)
{
    QWidget parent;
    CBitmapButton saveAs(QStringLiteral("SaveAs"), &parent);
    saveAs.setGeometry(0, 0, 50, 50);
    ASSERT_TRUE(saveAs.LoadBitmaps());
    EXPECT_EQ(saveAs.size(), QSize(24, 24));
    EXPECT_EQ(Shown(saveAs), Art("SAVEASU"));
    saveAs.setDown(true);
    EXPECT_EQ(Shown(saveAs), Art("SAVEASD"));
    saveAs.setDown(false);
    saveAs.setEnabled(false);
    EXPECT_EQ(Shown(saveAs), Art("SAVEASU"));

    CBitmapButton missing(QStringLiteral("NOSUCHBUTTON"), &parent);
    missing.setGeometry(0, 0, 24, 24);
    EXPECT_FALSE(missing.LoadBitmaps());
    EXPECT_EQ(missing.CurrentBitmap(), nullptr);
    EXPECT_EQ(missing.size(), QSize(24, 24));
}

} // namespace
