#include "results/MeasurementCapture.h"

#include "draw/CDrawMeasure.h"
#include "draw/MeasureGeometry.h"
#include "view/ToolMode.h"

#include <algorithm>

namespace MeasurementCapture {
namespace {

struct Prefix
{
    const char* text;
    Quantity quantity;
};

constexpr Prefix Prefixes[] = {
    {"Total=", Quantity::Total},     {"R=", Quantity::Radius}, {"D=", Quantity::Diameter},
    {"C=", Quantity::Circumference}, {"A=", Quantity::Area},
};

// Labels are written with the C library, whose decimal point may follow the
// user's locale; the table keeps the dot.
QString DotDecimal(QString number)
{
    return number.replace(QLatin1Char(','), QLatin1Char('.'));
}

} // namespace

std::optional<MeasurementRecord> Capture(CDrawMeasure& measure)
{
    const int tool = ToolOf(measure.kind, measure.angleConstraint);
    if (tool == int(ToolMode::ToolNone))
        return std::nullopt;
    QStringList texts;
    // The line height only places the labels.
    for (const MeasureLabel& label : measure.Labels(-1))
        texts << label.text;
    MeasurementRecord record;
    record.tool = tool;
    record.values = ValuesOfLabels(measure.kind, texts);
    record.unit = QString::fromLatin1(MeasureGeometry::UnitWord(measure.unit));
    record.magnification = measure.magnification;
    record.pixelSize = measure.pixelSize;
    record.resolutionFactor = measure.resolutionFactor;
    record.points = measure.PlacedPoints();
    // A constrained line ends where the constraint put its end.
    if (measure.kind == MeasureKind::StraightLine && record.points.size() == 2)
        record.points[1] =
            MeasureGeometry::SnapEnd(record.points[0], record.points[1], measure.angleConstraint);
    return record;
}

std::vector<MeasuredValue> ValuesOfLabels(MeasureKind kind, const QStringList& texts)
{
    std::vector<MeasuredValue> values;
    int segments = 0;
    for (const QString& text : texts) {
        if (text == QLatin1String("o"))
            continue; // the raised mark after an angle
        MeasuredValue value;
        QString rest = text;
        bool prefixed = false;
        for (const Prefix& prefix : Prefixes) {
            if (rest.startsWith(QLatin1String(prefix.text))) {
                value.quantity = prefix.quantity;
                rest = rest.mid(qsizetype(qstrlen(prefix.text)));
                prefixed = true;
                break;
            }
        }
        const qsizetype space = rest.indexOf(QLatin1Char(' '));
        value.number = DotDecimal(space < 0 ? rest : rest.left(space));
        value.unit = space < 0 ? QStringLiteral("deg") : rest.mid(space + 1);
        if (prefixed) {
            if (value.quantity == Quantity::Circumference && kind == MeasureKind::ThreePointArc)
                value.quantity = Quantity::ArcLength;
            else if (value.quantity == Quantity::Circumference && kind == MeasureKind::Polygon)
                value.quantity = Quantity::Perimeter;
        } else if (space < 0) {
            value.quantity = Quantity::Angle;
        } else if (kind == MeasureKind::ContinuousLine || kind == MeasureKind::Polygon) {
            value.quantity = Quantity::Segment;
            value.segment = ++segments;
        } else {
            value.quantity = Quantity::Length;
        }
        values.push_back(value);
    }
    return values;
}

int ToolOf(MeasureKind kind, int angleConstraint)
{
    using enum ToolMode;
    const auto id = [](ToolMode tool) {
        return int(tool);
    };
    switch (kind) {
    case MeasureKind::StraightLine:
        return id(angleConstraint == 90   ? ToolStraightAngleLine
                  : angleConstraint == 45 ? ToolFortyFiveLine
                                          : ToolAnyAngleLine);
    case MeasureKind::ThreePointAngle:
        return id(ToolThreePointAngle);
    case MeasureKind::ThreePointCircle:
        return id(ToolThreePointCircle);
    case MeasureKind::ThreePointArc:
        return id(ToolThreePointArc);
    case MeasureKind::FourPointAngle:
        return id(ToolFourPointAngle);
    case MeasureKind::ContinuousLine:
        return id(ToolContinuousLine);
    case MeasureKind::Polygon:
        return id(ToolPolygon);
    case MeasureKind::RadiusCircle:
        return id(ToolRadiusCircle);
    case MeasureKind::DiameterCircle:
        return id(ToolDiameterCircle);
    default:
        return id(ToolNone);
    }
}

} // namespace MeasurementCapture
