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

QImage Artwork(const QString& name)
{
    return QImage(QStringLiteral(":/artwork/") + name + ".png");
}

TEST(BitmapButton, FindsBitmapsWhateverTheCase)
{
    EXPECT_EQ(CBitmapButton::FindBitmap(QStringLiteral("CLOSEBlueU")),
              QStringLiteral(":/artwork/CLOSEBLUEU.png"));
    EXPECT_EQ(CBitmapButton::FindBitmap(QStringLiteral("saveasd")),
              QStringLiteral(":/artwork/SAVEASD.png"));
    EXPECT_TRUE(CBitmapButton::FindBitmap(QStringLiteral("COPYIMAGEF")).isEmpty());
    EXPECT_TRUE(CBitmapButton::FindBitmap(QStringLiteral("SAVEASX")).isEmpty());
}

TEST(BitmapButton, TakesTheSizeOfItsBitmap)
{
    QWidget parent;
    CBitmapButton extern_(1018, QStringLiteral("EXTERN"), &parent);
    extern_.setGeometry(0, 0, 50, 50);
    ASSERT_TRUE(extern_.LoadBitmaps());
    EXPECT_EQ(extern_.size(), QSize(10, 24));

    CBitmapButton missing(4711, QStringLiteral("NOSUCHBUTTON"), &parent);
    missing.setGeometry(0, 0, 24, 24);
    EXPECT_FALSE(missing.LoadBitmaps());
    EXPECT_EQ(missing.CurrentBitmap(), nullptr);
    EXPECT_EQ(missing.size(), QSize(24, 24));
}

TEST(BitmapButton, StateChoosesTheBitmapWithFallbacks)
{
    QWidget parent;
    CBitmapButton saveAs(1014, QStringLiteral("SAVEAS"), &parent);
    CBitmapButton copyImage(1010, QStringLiteral("COPYIMAGE"), &parent);
    ASSERT_TRUE(saveAs.LoadBitmaps());
    ASSERT_TRUE(copyImage.LoadBitmaps());
    EXPECT_EQ(Shown(saveAs), Artwork("SAVEASU"));

    saveAs.setDown(true);
    EXPECT_EQ(Shown(saveAs), Artwork("SAVEASD"));
    saveAs.setDown(false);

    // No disabled bitmaps exist: a disabled button shows its normal one.
    saveAs.setEnabled(false);
    EXPECT_EQ(Shown(saveAs), Artwork("SAVEASU"));

    copyImage.setDown(true);
    EXPECT_EQ(Shown(copyImage), Artwork("COPYIMAGED"));
    EXPECT_NE(Artwork("SAVEASU"), Artwork("SAVEASD"));
}

} // namespace
