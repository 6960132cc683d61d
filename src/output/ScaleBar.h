#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QFontMetrics;
class QImage;
struct StampSettings;

// A bar of a round length in the measuring unit, with its length written
// above it, at the bottom right of a saved picture.
class ScaleBar
{
  public:
    // The bar for an output of the given width where one pixel covers
    // unitPerPixel of the unit: the round length closest to a fifth of the width.
    static ScaleBar For(double unitPerPixel, int unit, int outputWidth);

    // The length of the form 1, 2 or 5 x 10^n closest to target (above 0).
    static double RoundLength(double target, int* exponent = nullptr);
    // "100 um", "0.5 mm": no more decimals than the length has.
    static QString LengthText(double length, int exponent, int unit);

    double length = 0; // in the unit
    int pixels = 0;    // the bar's length on the output, rounded to the nearest pixel
    QString label;

    struct Placement
    {
        QRect bar; // the bar as drawn in the complement; the stamp colour goes 1 pixel lower right
        QPoint labelCorner; // top-left corner of the label
        QRect labelBox;     // what the label may cover, with its 1-pixel shadow
    };
    // Where the bar and its label go: right aligned with a margin of half the
    // stamp font's height, above the stamp's bottom line when that line is in use.
    Placement Place(QSize output, const QFontMetrics& metrics, int stampFontHeight,
                    bool stampBottomLineUsed) const;

    // Draws the bar and its label like the stamp: the complement of the stamp
    // colour first, then the colour one pixel lower and to the right.
    void Draw(QImage& output, const StampSettings& stamp, bool stampBottomLineUsed) const;
};
