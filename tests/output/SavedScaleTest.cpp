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

TEST(PixelScale, SamplesAtBothOutputSizesFollowTheLabelFormula)
{
    // The samples' info records by hand: pixel size x resolution factor /
    // magnification, times the resampling step at 320X240.
    const struct
    {
        QSize size;
        Scale labels;
        double millimetres;
        int step;
    } samples[] = {
        {{640, 480}, {0.2, 1.0, 50.0, 0}, 0.2 / 50, 2},             // 20081231_1234.jpg
        {{1280, 1024}, {0.38093, 1.0, 200.0, 0}, 0.38093 / 200, 4}, // 20081231_1235.bmp
        {{1280, 1024}, {0.355, 1.0, 52.0, 1}, 0.355 / 52, 4},       // 20081231_1236.bmp calibrated
        {{2560, 1920}, {0.355, 0.5, 50.0, 0}, 0.355 * 0.5 / 50, 8}, // 20081231_1237.jpg, no info
    };
    for (const auto& s : samples) {
        const double unit = s.labels.unit == 1 ? 1000.0 : 1.0;
        EXPECT_DOUBLE_EQ(*PixelScale::MillimetresPerPixel(s.labels, s.size, s.size), s.millimetres);
        EXPECT_DOUBLE_EQ(*PixelScale::MillimetresPerPixel(s.labels, s.size, {320, 240}),
                         s.millimetres * s.step);
        EXPECT_DOUBLE_EQ(*PixelScale::UnitPerPixel(s.labels, s.size, s.size), s.millimetres * unit);
    }
    for (double magnification : {0.0, 1.0, std::nan("")})
        EXPECT_FALSE(PixelScale::UnitPerPixel({0.355, 1.0, magnification, 0}, {64, 48}, {64, 48}));
}

TEST(PixelScale, BestRationalIsExactForFractionsAndCloseForAnyValue)
{
    for (Rational r : {Rational{104000, 71}, Rational{1, 3}, Rational{4000000000u, 3}})
        EXPECT_EQ(PixelScale::BestRational(double(r.numerator) / r.denominator), r);
    for (double v = 1e-3; v < 1e7; v *= 1.7)
        EXPECT_NEAR(PixelScale::BestRational(v).Value() / v, 1.0, 1e-9) << v;
    EXPECT_EQ(PixelScale::BestRational(0.0), (Rational{0, 1}));
}

// A calibrated picture in mm and um, at the picture's own size and at 320X240.
std::vector<std::pair<Scale, QSize>> BarCases()
{
    std::vector<std::pair<Scale, QSize>> cases;
    for (double magnification : {52.0, 2.5})
        for (int unit : {0, 1})
            for (QSize output : {QSize(1280, 1024), QSize(320, 240)})
                cases.push_back({{0.355, 1.0, magnification, unit}, output});
    return cases;
}

TEST(ScaleBar, RoundLengthNearAFifthMatchesItsLabelAndKeepsClearOfTheStamp)
{
    const StampSettings stamp;
    const QFontMetrics metrics(stamp.font.ToQFont());
    for (const auto& [labels, output] : BarCases()) {
        const double perPixel = *PixelScale::UnitPerPixel(labels, {1280, 1024}, output);
        const ScaleBar bar = ScaleBar::For(perPixel, labels.unit, output.width());
        SCOPED_TRACE(bar.label.toStdString());
        const double labelled = bar.label.section(u' ', 0, 0).toDouble();
        EXPECT_EQ(bar.label.section(u' ', 1), MeasureGeometry::UnitWord(labels.unit));
        const double mantissa = labelled / std::pow(10.0, std::floor(std::log10(labelled) + 1e-9));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9);
        EXPECT_LE(std::abs(bar.pixels * perPixel - labelled), 0.5 * perPixel);
        // The nearest of 1, 2, 5 and 10 stays within these bounds of a fifth.
        EXPECT_GE(bar.pixels, output.width() / 5.0 * 0.66);
        EXPECT_LE(bar.pixels, output.width() / 5.0 * 1.43);

        for (bool bottomLineUsed : {false, true}) {
            const ScaleBar::Placement p = bar.Place(output, metrics, -21, bottomLineUsed);
            const QRect drawnBar = p.bar.adjusted(0, 0, 1, 1); // with the colour pass
            EXPECT_TRUE(QRect({0, 0}, output).contains(drawnBar.united(p.labelBox)));
            EXPECT_FALSE(drawnBar.intersects(p.labelBox));
            EXPECT_GE(p.bar.right(), output.width() - 12);
            // The stamp's texts: the resolution at the top, a line at the bottom.
            const int bottomLine =
                SaveAsRules::StampPosition(SaveAsRules::StampDateTime, output, -21, 0).y();
            const QRect stampTexts[] = {
                QRect(0, 0, metrics.horizontalAdvance("1280X1024") + 1, metrics.height() + 1),
                QRect(0, bottomLine, output.width(), output.height() - bottomLine)};
            for (const QRect& text : stampTexts)
                if (text.top() == 0 || bottomLineUsed)
                    EXPECT_FALSE(text.intersects(drawnBar) || text.intersects(p.labelBox));
        }
    }
}

TEST(ScaleBar, VisibleOnWhiteAndOnBlackInAnyStampColourAndNowhereElse)
{
    const ScaleBar bar = ScaleBar::For(0.355 / 52 * 4000, 1, 320);
    for (ColorRef colour : {MakeColorRef(0, 0, 0), MakeColorRef(255, 255, 255)})
        for (QRgb background : {qRgb(255, 255, 255), qRgb(0, 0, 0)}) {
            StampSettings stamp;
            stamp.color = colour;
            QImage output(320, 240, QImage::Format_RGB32);
            output.fill(background);
            bar.Draw(output, stamp, false);
            const ScaleBar::Placement p =
                bar.Place(output.size(), QFontMetrics(stamp.font.ToQFont()), -21, false);
            const QRect drawnBar = p.bar.adjusted(0, 0, 1, 1);
            int barColumns = 0, labelPixels = 0;
            for (int x = 0; x < output.width(); ++x) {
                bool inBar = false;
                for (int y = 0; y < output.height(); ++y) {
                    const bool changed = output.pixel(x, y) != background;
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
