#include "output/PixelScale.h"

#include "output/SaveAsRules.h"

#include <cmath>
#include <limits>

namespace PixelScale {

bool IsCalibrated(const MeasureGeometry::Scale& labels)
{
    return labels.magnification > 1.0 && std::isfinite(labels.magnification) &&
           labels.pixelSize > 0.0 && labels.resolutionFactor > 0.0 &&
           std::isfinite(labels.SensorMillimetres(1.0));
}

std::optional<double> UnitPerPixel(const MeasureGeometry::Scale& labels, QSize pictureSize,
                                   QSize outputSize)
{
    if (!IsCalibrated(labels) || pictureSize.isEmpty() || outputSize.isEmpty())
        return std::nullopt;
    return labels.LineValue(double(SaveAsRules::ResampleRatio(pictureSize, outputSize)));
}

std::optional<double> MillimetresPerPixel(const MeasureGeometry::Scale& labels, QSize pictureSize,
                                          QSize outputSize)
{
    MeasureGeometry::Scale millimetres = labels;
    millimetres.unit = 0;
    return UnitPerPixel(millimetres, pictureSize, outputSize);
}

Rational BestRational(double value)
{
    constexpr double limit = double(std::numeric_limits<uint32_t>::max());
    if (!(value > 0.0))
        return {0, 1};
    if (value >= limit)
        return {uint32_t(limit), 1};
    // Convergents h/k of the continued fraction, kept while both fit.
    double hPrev = 1, h = std::floor(value), kPrev = 0, k = 1;
    double rest = value - h;
    while (rest > 1e-15 && h / k != value) {
        const double x = 1.0 / rest;
        const double a = std::floor(x);
        const double hNext = a * h + hPrev;
        const double kNext = a * k + kPrev;
        if (hNext > limit || kNext > limit)
            break;
        hPrev = h, kPrev = k, h = hNext, k = kNext;
        rest = x - a;
    }
    if (h == 0) // below 1 / limit: the smallest fraction that is not zero
        return {1, uint32_t(limit)};
    return {uint32_t(h), uint32_t(k)};
}

Rational PixelsPerCentimetre(double millimetresPerPixel)
{
    return BestRational(10.0 / millimetresPerPixel);
}

} // namespace PixelScale
