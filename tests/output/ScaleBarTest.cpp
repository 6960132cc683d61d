#include "output/ScaleBar.h"
#include "output/PixelScale.h"
#include "output/SaveAsRules.h"
#include "output/StampSettings.h"

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using MeasureGeometry::Scale;

namespace {

// The stage micrometer calibrated to 52 and a low magnification, in mm and
// um, at the picture's own size and at 320X240.
struct BarCase
{
    Scale labels;
    QSize output;
};

std::vector<BarCase> Cases()
{
    std::vector<BarCase> cases;
    for (double magnification : {52.0, 2.5})
        for (int unit : {0, 1})
            for (QSize output : {QSize(1280, 1024), QSize(320, 240)})
                cases.push_back({{0.355, 1.0, magnification, unit}, output});
    return cases;
}

double UnitPerPixel(const BarCase& c)
{
    return *PixelScale::UnitPerPixel(c.labels, {1280, 1024}, c.output);
}

TEST(ScaleBar, RoundLengthNearAFifthWhoseLabelMatchesItsPixels)
{
    for (const BarCase& c : Cases()) {
        const double perPixel = UnitPerPixel(c);
        const ScaleBar bar = ScaleBar::For(perPixel, c.labels.unit, c.output.width());
        const QString word = QLatin1String(MeasureGeometry::UnitWord(c.labels.unit));
        SCOPED_TRACE(bar.label.toStdString());

        ASSERT_TRUE(bar.label.endsWith(QLatin1Char(' ') + word));
        const double labelled = bar.label.chopped(word.size() + 1).toDouble();
        EXPECT_EQ(labelled, bar.length);
        const double mantissa =
            bar.length / std::pow(10.0, std::floor(std::log10(bar.length) + 1e-9));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9)
            << mantissa;
        EXPECT_LE(std::abs(bar.pixels * perPixel - labelled), 0.5 * perPixel);
        // The nearest of 1, 2, 5, 10 lies within these bounds of the target.
        const double fifth = c.output.width() / 5.0;
        EXPECT_GE(bar.pixels, fifth * 0.66);
        EXPECT_LE(bar.pixels, fifth * 1.43);
    }
    EXPECT_EQ(ScaleBar::LengthText(0.05, -2, 0), "0.05 mm");
    EXPECT_EQ(ScaleBar::LengthText(100, 2, 1), "100 um");
}

// Where a stamp text of the given flag covers, with its 1-pixel shadow.
QRect StampBox(SaveAsRules::StampFlag flag, const QString& text, QSize output,
               const QFontMetrics& m)
{
    const QPoint at = SaveAsRules::StampPosition(flag, output, -21, int(text.size()));
    return QRect(at, QSize(m.horizontalAdvance(text) + 1, m.height() + 1));
}

TEST(ScaleBar, StaysInsideThePictureAndClearOfTheStampTexts)
{
    const StampSettings stamp;
    const QFontMetrics metrics(stamp.font.ToQFont());
    for (const BarCase& c : Cases()) {
        const ScaleBar bar = ScaleBar::For(UnitPerPixel(c), c.labels.unit, c.output.width());
        const QRect picture(QPoint(0, 0), c.output);
        const QRect stampTexts[] = {
            StampBox(SaveAsRules::StampResolution, "1280X1024", c.output, metrics),
            StampBox(SaveAsRules::StampDateTime, "2008-12-31 12:36:00", c.output, metrics),
            StampBox(SaveAsRules::StampFileName, "20081231_1236", c.output, metrics),
            StampBox(SaveAsRules::StampMagnification, "Magnification: 52.0", c.output, metrics),
        };
        for (bool bottomLineUsed : {false, true}) {
            const ScaleBar::Placement p = bar.Place(c.output, metrics, -21, bottomLineUsed);
            const QRect drawnBar = p.bar.adjusted(0, 0, 1, 1);
            SCOPED_TRACE(bar.label.toStdString());
            EXPECT_TRUE(picture.contains(drawnBar));
            EXPECT_TRUE(picture.contains(p.labelBox));
            EXPECT_FALSE(drawnBar.intersects(p.labelBox));
            EXPECT_EQ(p.bar.width(), bar.pixels);
            // Bottom right: the bar ends within a margin of the right edge.
            EXPECT_GE(p.bar.right(), c.output.width() - 12);
            for (const QRect& text : stampTexts) {
                const bool onBottomLine = text.top() > 0;
                if (onBottomLine && !bottomLineUsed)
                    continue;
                EXPECT_FALSE(text.intersects(drawnBar)) << text.top();
                EXPECT_FALSE(text.intersects(p.labelBox)) << text.top();
            }
        }
    }
}

TEST(ScaleBar, VisibleOnWhiteAndOnBlackInAnyStampColour)
{
    const BarCase c{{0.355, 1.0, 52.0, 1}, {320, 240}};
    const ScaleBar bar = ScaleBar::For(UnitPerPixel(c), 1, 320);
    for (ColorRef colour : {MakeColorRef(0, 0, 0), MakeColorRef(255, 255, 255)})
        for (QRgb background : {qRgb(255, 255, 255), qRgb(0, 0, 0)}) {
            StampSettings stamp;
            stamp.color = colour;
            QImage output(c.output, QImage::Format_RGB32);
            output.fill(background);
            bar.Draw(output, stamp, false);
            const ScaleBar::Placement p =
                bar.Place(c.output, QFontMetrics(stamp.font.ToQFont()), stamp.font.height, false);
            // The bar shows over its whole length, in one colour or the other.
            int columns = 0;
            for (int x = p.bar.left(); x <= p.bar.right() + 1; ++x) {
                bool shows = false;
                for (int y = p.bar.top(); y <= p.bar.bottom() + 1; ++y)
                    shows = shows || output.pixel(x, y) != background;
                columns += shows;
            }
            EXPECT_GE(columns, bar.pixels);
            int labelPixels = 0;
            for (int y = p.labelBox.top(); y <= p.labelBox.bottom(); ++y)
                for (int x = p.labelBox.left(); x <= p.labelBox.right(); ++x)
                    labelPixels += output.pixel(x, y) != background;
            EXPECT_GT(labelPixels, 20);
            // Nothing outside the bar and its label.
            const QRect drawn = p.bar.adjusted(0, 0, 1, 1).united(p.labelBox);
            for (int y = 0; y < output.height(); ++y)
                for (int x = 0; x < output.width(); ++x)
                    if (!drawn.contains(x, y))
                        ASSERT_EQ(output.pixel(x, y), background) << x << "," << y;
        }
}

} // namespace
