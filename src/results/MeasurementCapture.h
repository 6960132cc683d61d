#pragma once

#include "draw/MeasureKind.h"
#include "results/MeasurementRecord.h"

#include <QStringList>

#include <optional>

class CDrawMeasure;

// Reads a measurement's values from its own drawing: the labels it writes are
// recorded instead of drawn, so a row always shows what the picture shows.
namespace MeasurementCapture {

// Empty for the calibration line and for kinds that measure nothing.
std::optional<MeasurementRecord> Capture(CDrawMeasure& measure);

// The values behind label texts of a measurement kind, in drawing order.
std::vector<MeasuredValue> ValuesOfLabels(MeasureKind kind, const QStringList& texts);

// The menu tool that makes a kind (straight lines by their angle constraint).
int ToolOf(MeasureKind kind, int angleConstraint);

} // namespace MeasurementCapture
