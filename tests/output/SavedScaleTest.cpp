#include "output/PixelScale.h"
#include "output/SaveAsRules.h"
#include "output/ScaleBar.h"
#include "output/StampSettings.h"

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using MeasureGeometry::Scale;
using PixelScale::Rational;

namespace {

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
