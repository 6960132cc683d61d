#include "results/MeasurementCapture.h"

#include "draw/CDrawMeasure.h"
#include "draw/MeasureGeometry.h"
#include "draw/MeasureReadout.h"
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
    if (tool == ToolNone)
        return std::nullopt;
    MeasurementRecord record;
    record.tool = tool;
    record.values = ValuesOfLabels(measure.kind, MeasureReadout::Texts(measure));
    record.unit = QString::fromLatin1(MeasureGeometry::UnitWord(measure.unit));
    record.magnification = measure.magnification;
    record.pixelSize = measure.pixelSize;
    record.resolutionFactor = measure.resolutionFactor;
    record.points = DefiningPoints(measure);
    return record;
}

std::vector<MeasuredValue> ValuesOfLabels(int kind, const QStringList& texts)
{
    std::vector<MeasuredValue> values;
    int segments = 0;
    for (const QString& text : texts) {
        MeasuredValue value;
        QString rest = text;
        // An angle's raised mark, as a degree sign after the number.
        if (rest.endsWith(QChar(0x00B0)))
            rest.chop(1);
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
            if (value.quantity == Quantity::Circumference && kind == 8)
                value.quantity = Quantity::ArcLength;
            else if (value.quantity == Quantity::Circumference && kind == 11)
                value.quantity = Quantity::Perimeter;
        } else if (space < 0) {
            value.quantity = Quantity::Angle;
        } else if (kind == 10 || kind == 11) {
            value.quantity = Quantity::Segment;
            value.segment = ++segments;
        } else {
            value.quantity = Quantity::Length;
        }
        values.push_back(value);
    }
    return values;
}

int ToolOf(int kind, int angleConstraint)
{
    switch (kind) {
    case 1:
        return angleConstraint == 90   ? ToolStraightAngleLine
               : angleConstraint == 45 ? ToolFortyFiveLine
                                       : ToolAnyAngleLine;
    case 6:
        return ToolThreePointAngle;
    case 7:
        return ToolThreePointCircle;
    case 8:
        return ToolThreePointArc;
    case 9:
        return ToolFourPointAngle;
    case 10:
        return ToolContinuousLine;
    case 11:
        return ToolPolygon;
    case 12:
        return ToolRadiusCircle;
    case 13:
        return ToolDiameterCircle;
    default:
        return ToolNone;
    }
}

std::vector<GdiPoint> DefiningPoints(const CDrawMeasure& m)
{
    const bool placed = m.LabelPlaced();
    const GdiPoint pointer = m.PointerPoint();
    switch (m.kind) {
    case 1:
        return {m.points[0], MeasureGeometry::SnapEnd(m.points[0], placed ? m.points[1] : pointer,
                                                      m.angleConstraint)};
    case 12:
    case 13:
        return {m.points[0], placed ? m.points[1] : pointer};
    default:
        break;
    }
    // Kinds numbered from slot 1: three-point kinds, the four-point angle and
    // the polylines.
    const uint32_t fixed = m.kind == 9 ? 4 : m.kind == 10 || m.kind == 11 ? 0 : 3;
    uint32_t last = std::min<uint32_t>(m.pointIndex, CDrawMeasure::Capacity - 1);
    if (fixed != 0)
        last = std::min(placed ? fixed : last, fixed);
    std::vector<GdiPoint> points(m.points.begin() + 1, m.points.begin() + 1 + last);
    const bool pointerFollows = fixed != 0 ? !placed && last < fixed : m.polylinePhase < 2;
    if (pointerFollows)
        points.push_back(pointer);
    return points;
}

} // namespace MeasurementCapture
