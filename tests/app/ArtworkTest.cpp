#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

struct Bitmap {
    QString name;
    int width;
    int height;
};

void PrintTo(const Bitmap& b, std::ostream* os) {
    *os << b.name.toStdString();
}

QString PathOf(const QString& name) {
    return QStringLiteral(":/artwork/%1.png").arg(name);
}

const QStringList kStates{"U", "D", "F"};
const QStringList kPictureButtons{"SAVEAS",      "COPYFILE", "MAIL",     "DRAWING", "TEXT",
                                  "MEASUREMENT", "EXTERN",   "PREVIOUS", "NEXT",    "UNDO",
                                  "REDO",        "ZOOMIN",   "ZOOMOUT",  "COLOR"};
const QStringList kWindowButtons{"MIN", "MAX", "CLOSE"};
const QStringList kSkinWords{"BLUE", "GOLD"};

std::vector<Bitmap> ButtonBitmaps() {
    std::vector<Bitmap> all;
    for (const QString& caption : kPictureButtons)
        for (const QString& state : kStates)
            all.push_back({caption + state, caption == "EXTERN" ? 10 : 24, 24});
    all.push_back({"COPYIMAGEU", 24, 24});
    all.push_back({"COPYIMAGED", 24, 24});
    for (const QString& caption : kWindowButtons)
        for (const QString& skin : kSkinWords)
            for (const QString& state : kStates)
                all.push_back({caption + skin + state, 20, 20});
    return all;
}

std::vector<Bitmap> AllBitmaps() {
    std::vector<Bitmap> all = ButtonBitmaps();
    all.push_back({"MENUTOOLS", 17 * 16, 15});
    all.push_back({"MENUCHECK", 19, 19});
    all.push_back({"MAGNIFICATION", 115, 16});
    return all;
}

class ArtworkBitmap : public ::testing::TestWithParam<Bitmap> {};

TEST_P(ArtworkBitmap, IsCompiledInWithItsExactSizeAndOpaque) {
    const Bitmap& b = GetParam();
    const QImage image(PathOf(b.name));
    ASSERT_FALSE(image.isNull()) << "missing " << PathOf(b.name).toStdString();
    EXPECT_EQ(image.width(), b.width);
    EXPECT_EQ(image.height(), b.height);
    // Buttons are copied over their whole area; a transparent pixel would show garbage.
    EXPECT_FALSE(image.hasAlphaChannel());
}

INSTANTIATE_TEST_SUITE_P(All, ArtworkBitmap, ::testing::ValuesIn(AllBitmaps()),
                         [](const auto& info) { return info.param.name.toStdString(); });

TEST(Artwork, StatesOfOneButtonLookDifferent) {
    for (const Bitmap& b : ButtonBitmaps()) {
        if (!b.name.endsWith('U'))
            continue;
        const QString stem = b.name.chopped(1);
        const QImage normal(PathOf(b.name));
        for (const QString& state : {"D", "F"}) {
            if (!QFile::exists(PathOf(stem + state)))
                continue;
            EXPECT_NE(QImage(PathOf(stem + state)), normal) << (stem + state).toStdString();
        }
    }
}

TEST(Artwork, OnlyTheListedStatesExist) {
    // A disabled bitmap, or a focus look for COPYIMAGE, would change which state a button shows.
    for (const QString& caption : kPictureButtons + QStringList{"COPYIMAGE"})
        EXPECT_FALSE(QFile::exists(PathOf(caption + "X"))) << caption.toStdString();
    for (const QString& caption : kWindowButtons)
        for (const QString& skin : kSkinWords)
            EXPECT_FALSE(QFile::exists(PathOf(caption + skin + "X")));
    EXPECT_FALSE(QFile::exists(PathOf("COPYIMAGEF")));
}

TEST(Artwork, NamesAreUpperCaseSoCaseInsensitiveLookupFindsThem) {
    const QStringList names = QDir(":/artwork").entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& file : names) {
        EXPECT_TRUE(file.endsWith(".png")) << file.toStdString();
        const QString stem = file.chopped(4);
        EXPECT_EQ(stem, stem.toUpper()) << file.toStdString();
    }
}

constexpr QRgb kKey = qRgb(192, 192, 192);

int CountKeyPixels(const QImage& image, const QRect& area) {
    int keys = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            keys += (image.pixel(x, y) & 0xFFFFFF) == (kKey & 0xFFFFFF) ? 1 : 0;
    return keys;
}

TEST(Artwork, EveryMenuImageIsAPictureOnTheTransparentKey) {
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

TEST(Artwork, CheckMarkIsDarkOnTheTransparentKey) {
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
