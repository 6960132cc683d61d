#include "app/LayoutTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace {

QString PathOf(const QString& name)
{
    return QStringLiteral(":/artwork/%1.png").arg(name);
}

// Every picture of a button: opaque (a button is copied over its whole area),
// named in upper case (lookups ignore case), every state as large as the
// normal one and looking different from it, and no disabled state (it would
// change which state a button shows).
TEST(Artwork, EveryButtonStateIsOpaqueSizedLikeItsNormalStateAndDistinct)
{
    const QStringList names = QDir(":/artwork").entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& file : names) {
        EXPECT_EQ(file.chopped(4), file.chopped(4).toUpper()) << file.toStdString();
        EXPECT_FALSE(QImage(":/artwork/" + file).hasAlphaChannel()) << file.toStdString();
    }
    for (const LayoutRow& row : LayoutTable::Rows()) {
        if (!row.IsButton())
            continue;
        const QStringList skins =
            row.kind == LayoutRow::SkinnedButton ? QStringList{"BLUE", "GOLD"} : QStringList{""};
        for (const QString& skin : skins) {
            const QString stem = QString::fromLatin1(row.artwork) + skin;
            const QImage normal(PathOf(stem + "U"));
            ASSERT_FALSE(normal.isNull()) << stem.toStdString();
            EXPECT_TRUE(QFile::exists(PathOf(stem + "D"))) << stem.toStdString();
            EXPECT_FALSE(QFile::exists(PathOf(stem + "X"))) << stem.toStdString();
            for (const QString& state : {"D", "F"}) {
                const QImage other(PathOf(stem + state));
                if (other.isNull())
                    continue;
                EXPECT_EQ(other.size(), normal.size()) << (stem + state).toStdString();
                EXPECT_NE(other, normal) << (stem + state).toStdString();
            }
        }
    }
    // COPYIMAGE has no focus look.
    EXPECT_FALSE(QFile::exists(PathOf("COPYIMAGEF")));
    EXPECT_EQ(QImage(PathOf("MAGNIFICATION")).size(), QSize(115, 16));
}

constexpr QRgb kKey = qRgb(192, 192, 192);

int CountKeyPixels(const QImage& image, const QRect& area)
{
    int keys = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            keys += (image.pixel(x, y) & 0xFFFFFF) == (kKey & 0xFFFFFF) ? 1 : 0;
    return keys;
}

TEST(Artwork, EveryMenuImageIsAPictureOnTheTransparentKey)
{
    const QImage strip(PathOf("MENUTOOLS"));
    ASSERT_EQ(strip.size(), QSize(17 * 16, 15));
    for (int i = 0; i < 17; ++i) {
        const QRect cell(16 * i, 0, 16, 15);
        const int keys = CountKeyPixels(strip, cell);
        EXPECT_GT(keys, 16 * 15 / 3) << "image " << i << " has little transparent background";
        EXPECT_LT(keys, 16 * 15 - 12) << "image " << i << " is empty";
    }
    // No two tools share a picture.
    for (int i = 0; i < 17; ++i)
        for (int j = i + 1; j < 17; ++j)
            EXPECT_NE(strip.copy(16 * i, 0, 16, 15), strip.copy(16 * j, 0, 16, 15))
                << i << ", " << j;
}

TEST(Artwork, CheckMarkIsDarkOnTheTransparentKey)
{
    const QImage check(PathOf("MENUCHECK"));
    ASSERT_EQ(check.size(), QSize(19, 19));
    for (const QPoint corner : {QPoint(0, 0), QPoint(18, 0), QPoint(0, 18), QPoint(18, 18)})
        EXPECT_EQ(check.pixel(corner) & 0xFFFFFF, kKey & 0xFFFFFF);
    int dark = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x)
            dark += qGray(check.pixel(x, y)) < 64 ? 1 : 0;
    EXPECT_GE(dark, 8);
}

} // namespace
