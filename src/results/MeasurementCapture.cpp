#include "results/MeasurementCapture.h"

#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"
#include "draw/MeasureGeometry.h"
#include "view/ToolMode.h"

#include <algorithm>

namespace MeasurementCapture {
namespace {

// Keeps the label texts and draws nothing. Distances are taken one logical
// unit per device pixel, as the view draws.
class LabelRecorder : public MeasureCanvas
{
  public:
    void MoveTo(GdiPoint) override {}
    void LineTo(GdiPoint) override {}
    void Polyline(const GdiPoint*, int) override {}
    void Ellipse(const GdiRect&) override {}
    void AngleArc(GdiPoint, uint32_t, float, float) override {}
    void TextOut(GdiPoint, const QString& text) override { texts.append(text); }
    void GuideLine(GdiPoint, GdiPoint) override {}
    GdiPoint ToDevice(GdiPoint p) const override { return p; }

    QStringList texts;
};

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
    LabelRecorder recorder;
    // The line height only places the labels; -1 keeps them apart.
    measure.DrawOn(recorder, -1);

    MeasurementRecord record;
    record.tool = tool;
    record.values = ValuesOfLabels(measure.kind, recorder.texts);
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
        if (text == QLatin1String("o"))
            continue; // the raised degree mark after an angle
        MeasuredValue value;
        QString rest = text;
        bool prefixed = false;
        for (const Prefix& prefix : Prefixes) {
            if (text.startsWith(QLatin1String(prefix.text))) {
                value.quantity = prefix.quantity;
                rest = text.mid(qsizetype(qstrlen(prefix.text)));
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
