#pragma once

#include "results/MeasurementRecord.h"

#include <QString>

#include <vector>

// One line of the results table, as shown and as stored: every field is the
// text the user sees, so a table read back from its file is the same table.
struct ResultRow
{
    QString kind;
    std::vector<MeasuredValue> values;
    QString unit;
    QString magnification;
    // Millimetres one picture pixel covers at magnification 1: the camera's
    // pixel size times the resolution factor.
    QString pixelSize;
    QString points;

    bool operator==(const ResultRow&) const = default;

    static ResultRow From(const MeasurementRecord& record, const QString& kindName);
    // "(x,y) (x,y) ..."
    static QString PointsText(const std::vector<GdiPoint>& points);
    // The shortest text that reads back as the same double, with a dot.
    static QString ExactNumber(double value);
};
