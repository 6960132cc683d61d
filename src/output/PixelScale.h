#pragma once

#include "draw/MeasureGeometry.h"

#include <QSize>

#include <cstdint>
#include <optional>

// The physical size of one pixel of a saved picture, taken from the scale the
// measurement labels use, and its forms in file tags.
namespace PixelScale {

struct Rational
{
    uint32_t numerator = 0;
    uint32_t denominator = 1;

    double Value() const { return double(numerator) / double(denominator); }
    bool operator==(const Rational&) const = default;
};

// Whether the labels measure with a magnification in force (above 1.0) and a
// usable pixel size: only then does a saved picture carry a physical scale.
bool IsCalibrated(const MeasureGeometry::Scale& labels);

// What one output pixel covers in the labels' unit: a straight line of as
// many picture pixels as the resampling steps per output pixel. Empty when
// the picture is not calibrated.
std::optional<double> UnitPerPixel(const MeasureGeometry::Scale& labels, QSize pictureSize,
                                   QSize outputSize);
// The same in millimetres, whatever the labels' unit.
std::optional<double> MillimetresPerPixel(const MeasureGeometry::Scale& labels, QSize pictureSize,
                                          QSize outputSize);

// The closest fraction with both terms within 32 bits (continued fractions).
// Values out of that range clamp to its ends; zero and below give 0/1.
Rational BestRational(double value);
Rational PixelsPerCentimetre(double millimetresPerPixel);

} // namespace PixelScale
