#include "output/SaveAsRules.h"
#include "magnification/PictureInfoRecord.h"
#include "output/PixelScale.h"
#include "output/SaveRendering.h"
#include "output/ScaleBar.h"
#include "output/StampSettings.h"
#include "platform/SettingsStore.h"

#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace SaveAsRules;

using MeasureGeometry::Scale;
using PixelScale::Rational;

namespace {

constexpr SaveType Bmp = SaveType::Bmp, Jpeg = SaveType::Jpeg, Tiff = SaveType::Tiff;

TEST(SaveAsRules, TargetNameFollowsTheExtensionRules)
{
    const std::tuple<const char*, SaveType, const char*, SaveType> cases[] = {
        {"/d/report", Jpeg, "/d/report.jpg", Jpeg},
        {"/d/report", Bmp, "/d/report.bmp", Bmp},
        {"/d/report", Tiff, "/d/report.tif", Tiff},
        {"/d/report.png", Jpeg, "/d/report.png.bmp", Bmp},
        {"/d/REPORT.JPG", Bmp, "/d/REPORT.JPG", Jpeg},
        {"/d/a.Bmp", Tiff, "/d/a.Bmp", Bmp},
        {"/d/A.TIF", Bmp, "/d/A.TIF", Tiff},
        {"/d/a.tiff", Tiff, "/d/a.tiff.bmp", Bmp},
        {"/d/v1.2/report", Tiff, "/d/v1.2/report.tif", Tiff},
        {"/d/report.jpeg", Jpeg, "/d/report.jpeg.bmp", Bmp}};
    for (const auto& [chosen, selected, path, written] : cases) {
        const SaveTarget target = TargetFor(QString::fromUtf8(chosen), selected);
        EXPECT_EQ(target.path, QString::fromUtf8(path));
        EXPECT_EQ(target.type, written) << chosen;
    }
}

// Default font: resolution at the top left, the other texts on the line
// y = H - 25. Fonts from the shared settings may have any height; the
// positions then stay inside what a point holds.
TEST(SaveAsRules, StampPositionsAndTexts)
{
    const QSize out(320, 240);
    EXPECT_EQ(StampPosition(StampResolution, out, -21, 7), QPoint(0, 0));
    EXPECT_EQ(StampPosition(StampDateTime, out, -21, 19), QPoint(0, 215));
    EXPECT_EQ(StampPosition(StampFileName, out, -21, 13), QPoint((320 - 13 * 10) / 2, 215));
    EXPECT_EQ(StampPosition(StampMagnification, out, -21, 19), QPoint(320 - 190, 215));
    EXPECT_EQ(StampPosition(StampFileName, {1281, 1024}, 21, 13), QPoint(575, 1024 - 25));
    for (const int height : {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        for (const StampFlag flag : {StampDateTime, StampFileName, StampMagnification}) {
            const QPoint at = StampPosition(flag, out, height, 100);
            EXPECT_LT(at.y(), 0) << height;
            EXPECT_LE(at.x(), 320) << height;
        }

    PictureInfoRecord record;
    record.captureTime = {2008, 12, 3, 31, 9, 4, 5, 0};
    EXPECT_EQ(ResolutionStampText({320, 240}), "320X240");
    EXPECT_EQ(DateTimeStampText(record), "2008-12-31 09:04:05");
    EXPECT_EQ(FileNameStampText("/p/20081231_1234.jpg"), "20081231_1234");
    EXPECT_EQ(FileNameStampText("C:\\p\\20081231_1234.jpg"), "20081231_1234");
    // The magnification only above 1.
    record.pictureMagnification = record.adjustedMagnification = 1.0;
    EXPECT_TRUE(MagnificationStampText(record).isEmpty());
    record.pictureMagnification = 50.0;
    EXPECT_EQ(MagnificationStampText(record), "Magnification: 50.0");
    record.adjustedMagnification = 123.45;
    EXPECT_EQ(MagnificationStampText(record), "Magnification: 123.5");
}

// The columns of one row holding exactly the colour c.
QList<int> ColumnsOf(const QImage& image, int y, QRgb c)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == c)
            columns << x;
    return columns;
}

TEST(SaveRendering, StampDrawsComplementThenColourOnePixelLowerAndRight)
{
    const QRgb grey = qRgb(128, 128, 128), blue = qRgb(0, 0, 255), yellow = qRgb(255, 255, 0);
    QImage output(320, 240, QImage::Format_RGB32);
    output.fill(grey);
    StampSettings stamp;
    stamp.flags = 0x3C;
    stamp.color = MakeColorRef(0, 0, 255);
    stamp.font.quality = 3; // without antialiasing every text pixel is one of the two colours
    PictureInfoRecord record;
    record.captureTime = {2008, 12, 3, 31, 12, 34, 56, 0};
    record.pictureMagnification = 50.0;
    SaveRendering::DrawStamp(output, stamp, record, "/p/20081231_1234.jpg");

    QList<int> rows; // the first changed row of each text line
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb c = output.pixel(x, y);
            ASSERT_TRUE(c == grey || c == blue || c == yellow) << x << "," << y;
            if (c != grey && (rows.isEmpty() || (rows.size() == 1 && y > 30)))
                rows << y;
        }
    ASSERT_EQ(rows.size(), 2);
    EXPECT_LT(rows[0], 8);
    EXPECT_GE(rows[1], 215);
    EXPECT_LT(rows[1], 225);
    // The top row of each line comes from the complement pass only; the colour
    // pass draws the same glyph row one pixel lower and to the right.
    for (int y : rows) {
        const QList<int> complement = ColumnsOf(output, y, yellow);
        ASSERT_FALSE(complement.isEmpty()) << y;
        EXPECT_TRUE(ColumnsOf(output, y, blue).isEmpty());
        QList<int> shifted;
        for (int x : complement)
            shifted << x + 1;
        EXPECT_EQ(ColumnsOf(output, y + 1, blue), shifted) << y;
    }

    // A magnification that is not set draws nothing; other bits mean nothing.
    output.fill(grey);
    const QImage blank = output.copy();
    stamp.flags = StampMagnification | 0x03;
    record.pictureMagnification = 1.0;
    SaveRendering::DrawStamp(output, stamp, record, "/p/20081231_1234.jpg");
    EXPECT_EQ(output, blank);
}

// The three shared values are read over their defaults (the flags are the low
// byte of theirs); the scale bar choice lives in a value of its own and leaves
// the shared ones alone.
TEST(StampSettings, ReadsTheSharedValuesAndKeepsTheScaleBarApart)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("Lumvex.ini"));
    const StampSettings defaults = StampSettings::Read(store);
    EXPECT_EQ(defaults.flags, 0);
    EXPECT_EQ(defaults.color, 0u);
    EXPECT_EQ(defaults.font, LogFont::DefaultStampFont());
    EXPECT_FALSE(StampSettings::ReadScaleBar(store));

    const uint8_t flags[4] = {0x3C, 0x01, 0, 0};
    const uint8_t color[4] = {0x11, 0x22, 0x33, 0};
    LogFont font = LogFont::DefaultStampFont();
    font.height = -30;
    const QByteArray fontBytes = font.ToBytes();
    ASSERT_TRUE(store.Write("PhotoSavedInfo", flags, 4));
    ASSERT_TRUE(store.Write("PhotoSavedInfoFontColor", color, 4));
    ASSERT_TRUE(store.Write("PhotoSavedInfoFont", fontBytes.constData(), int(fontBytes.size())));
    for (bool on : {true, false}) {
        ASSERT_TRUE(StampSettings::WriteScaleBar(store, on));
        EXPECT_EQ(StampSettings::ReadScaleBar(store), on);
        const StampSettings read = StampSettings::Read(store);
        EXPECT_EQ(read.flags, 0x3C);
        EXPECT_EQ(read.color, 0x00332211u);
        EXPECT_EQ(read.font, font);
    }
}

TEST(PixelScale, BestRationalIsExactForFractionsAndCloseForAnyValue)
{
    for (Rational r : {Rational{104000, 71}, Rational{1, 3}, Rational{4000000000u, 3}})
        EXPECT_EQ(PixelScale::BestRational(double(r.numerator) / r.denominator), r);
    for (double v = 1e-3; v < 1e7; v *= 1.7)
        EXPECT_NEAR(PixelScale::BestRational(v).Value() / v, 1.0, 1e-9) << v;
    EXPECT_EQ(PixelScale::BestRational(0.0), (Rational{0, 1}));
    for (double magnification : {0.0, 1.0, std::nan("")}) // no scale without a magnification
        EXPECT_FALSE(PixelScale::UnitPerPixel({0.355, 1.0, magnification, 0}, {64, 48}, {64, 48}));
}

// A calibrated picture in mm and um, at its own size and at 320X240, with and
// without the stamp's bottom line, on white and on black in either colour: the
// bar has a round length near a fifth of the width that matches its label, and
// it and its label stay inside the picture, clear of the stamp and of each
// other, and are the only pixels drawn.
TEST(ScaleBar, RoundLengthNearAFifthDrawnClearOfTheStampAndVisibleOnAnyBackground)
{
    const QFontMetrics metrics(StampSettings().font.ToQFont());
    for (int run = 0; run < 16; ++run) {
        const bool bottomLineUsed = run & 1;
        const QSize output = run & 2 ? QSize(320, 240) : QSize(1280, 1024);
        const int unit = run & 4 ? 1 : 0;
        const Scale labels{0.355, 1.0, run & 8 ? 2.5 : 52.0, unit};
        const double perPixel = *PixelScale::UnitPerPixel(labels, {1280, 1024}, output);
        const ScaleBar bar = ScaleBar::For(perPixel, labels.unit, output.width());
        SCOPED_TRACE(bar.label.toStdString());
        const double labelled = bar.label.section(u' ', 0, 0).toDouble();
        EXPECT_EQ(bar.label.section(u' ', 1), MeasureGeometry::UnitWord(unit));
        const double mantissa = labelled / std::pow(10.0, std::floor(std::log10(labelled) + 1e-9));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9);
        EXPECT_LE(std::abs(bar.pixels * perPixel - labelled), 0.5 * perPixel);
        // The nearest of 1, 2, 5 and 10 stays within these bounds of a fifth.
        EXPECT_GE(bar.pixels, output.width() / 5.0 * 0.66);
        EXPECT_LE(bar.pixels, output.width() / 5.0 * 1.43);

        const ScaleBar::Placement p = bar.Place(output, metrics, -21, bottomLineUsed);
        const QRect drawnBar = p.bar.adjusted(0, 0, 1, 1); // with the colour pass
        EXPECT_TRUE(QRect({0, 0}, output).contains(drawnBar.united(p.labelBox)));
        EXPECT_FALSE(drawnBar.intersects(p.labelBox));
        EXPECT_GE(p.bar.right(), output.width() - 12);
        const int bottomLine =
            SaveAsRules::StampPosition(SaveAsRules::StampDateTime, output, -21, 0).y();
        const QRect stampTexts[] = {
            QRect(0, 0, metrics.horizontalAdvance("1280X1024") + 1, metrics.height() + 1),
            QRect(0, bottomLine, output.width(), output.height() - bottomLine)};
        for (const QRect& text : stampTexts)
            if (text.top() == 0 || bottomLineUsed)
                EXPECT_FALSE(text.intersects(drawnBar) || text.intersects(p.labelBox));

        StampSettings stamp;
        stamp.color = run & 4 ? MakeColorRef(255, 255, 255) : MakeColorRef(0, 0, 0);
        const QRgb background = run & 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        QImage image(output, QImage::Format_RGB32);
        image.fill(background);
        bar.Draw(image, stamp, bottomLineUsed);
        int barColumns = 0, labelPixels = 0;
        for (int x = 0; x < image.width(); ++x) {
            bool inBar = false;
            for (int y = 0; y < image.height(); ++y) {
                const bool changed = image.pixel(x, y) != background;
                inBar = inBar || (changed && drawnBar.contains(x, y));
                labelPixels += changed && p.labelBox.contains(x, y);
                ASSERT_TRUE(!changed || drawnBar.contains(x, y) || p.labelBox.contains(x, y));
            }
            barColumns += inBar;
        }
        EXPECT_GE(barColumns, bar.pixels);
        EXPECT_GT(labelPixels, 20);
    }
}

} // namespace
