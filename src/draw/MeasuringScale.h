#pragma once

// What a new measurement converts picture pixels with: the camera's pixel size,
// the sensor pixels per picture pixel and the magnifications. The
// magnification model keeps it current; the view's tool protocol reads it.
struct MeasuringScale
{
    // The magnification a calibration line is drawn with when none is in force.
    static constexpr double CalibrationFallback = 50.0;

    double pixelSize = 0.355;
    double resolutionFactor = 1.0;
    double pictureMagnification = 50.0;
    double adjustedMagnification = 0.0;
    // The calibrated magnification is in force (not merely remembered).
    int useAdjustedMagnification = 0;

    // The magnification a new measurement divides by: the calibrated one when
    // in force; a calibration line falls back when it is not above 1.
    double CreationMagnification(bool calibration) const
    {
        const double m =
            useAdjustedMagnification != 0 ? adjustedMagnification : pictureMagnification;
        if (calibration)
            return m > 1.0 ? m : CalibrationFallback;
        return m;
    }
};
