#pragma once

#include "platform/GdiTypes.h"

#include <QString>

#include <vector>

// What a measurement's labels report, by meaning rather than by position.
enum class Quantity {
    Length,
    Segment,
    Total,
    Radius,
    Diameter,
    Circumference,
    Perimeter,
    ArcLength,
    Area,
    Angle,
};

// One value as its label shows it: the digits exactly as written, and the unit
// word ("mm", "um^2"; "deg" for angles).
struct MeasuredValue
{
    Quantity quantity = Quantity::Length;
    int segment = 0; // 1, 2, ... for segment lengths; 0 otherwise
    QString number;
    QString unit;

    bool operator==(const MeasuredValue&) const = default;
};

// A committed measurement as the results table keeps it: the tool that made
// it, what its labels showed, and the scale that produced the values.
struct MeasurementRecord
{
    int tool = 0; // the measuring tool's menu command id
    std::vector<MeasuredValue> values;
    QString unit;
    double magnification = 0;
    double pixelSize = 0;
    double resolutionFactor = 1.0;
    std::vector<GdiPoint> points;
};
