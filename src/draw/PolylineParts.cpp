#include "draw/PolylineParts.h"

#include "draw/CDrawMeasure.h"
#include "draw/MeasureCanvas.h"
#include "draw/MeasureGeometry.h"

#include <cmath>
#include <vector>

using namespace MeasureGeometry;

namespace {

double DeviceDistance(const MeasureCanvas& canvas, GdiPoint a, GdiPoint b)
{
    return Distance(canvas.ToDevice(a), canvas.ToDevice(b));
}

} // namespace

void PolylineParts::DrawContinuousLine(CDrawMeasure& measure, MeasureCanvas& canvas, int h,
                                       unsigned parts)
{
    const uint32_t n = measure.VertexCount();
    if (n == 0)
        return;
    const uint32_t m = measure.LabelCount();
    const GdiPoint p = measure.PointerPoint();
    const GdiPoint last = measure.points[n];
    const bool pointerSegment = measure.phase < PolylinePhase::SegmentFixed;

    if (parts & PlacedLines)
        canvas.Polyline(&measure.points[1], int(n));
    if ((parts & PointerLines) && pointerSegment) {
        canvas.MoveTo(last);
        canvas.LineTo(p);
        measure.LongGuides(canvas, last, p);
    }
    if (!(parts & (PlacedLabels | PointerLabels)))
        return;

    // The label still to be placed follows the pointer.
    const bool pointerLabel =
        measure.phase < PolylinePhase::FirstFinalPlaced && m + 1 < CDrawMeasure::Capacity;
    double total = 0;
    for (uint32_t i = 1; i <= n; ++i) {
        double length = 0;
        if (i < n)
            length = DeviceDistance(canvas, measure.points[i], measure.points[i + 1]) *
                     measure.pixelSize;
        else if (pointerSegment)
            length = DeviceDistance(canvas, last, p) * measure.pixelSize;
        if ((parts & PlacedLabels) || (pointerLabel && i == m + 1))
            measure.labelTexts[i] = measure.UnitText("%f %s", measure.ToUnit(length));
        total += length;
    }

    if (parts & PlacedLabels) {
        for (uint32_t j = 1; j <= m; ++j) {
            if (j == m && measure.phase == PolylinePhase::Done)
                continue;
            canvas.TextOut(measure.labelPoints[j], measure.labelTexts[j]);
        }
    }
    if (parts & PointerLabels) {
        measure.labelTexts[0] = measure.UnitText("Total=%f %s", measure.ToUnit(total));
        if (pointerLabel)
            canvas.TextOut(p, measure.labelTexts[m + 1]);
        canvas.TextOut(LineBelow(p, 1, h), measure.labelTexts[0]);
    }
}

void PolylineParts::DrawPolygon(CDrawMeasure& measure, MeasureCanvas& canvas, int h, unsigned parts)
{
    const uint32_t n = measure.VertexCount();
    if (n == 0)
        return;
    const uint32_t m = measure.LabelCount();
    const GdiPoint p = measure.PointerPoint();
    const GdiPoint first = measure.points[1];
    const GdiPoint last = measure.points[n];
    const bool pointerSegment = measure.phase < PolylinePhase::SegmentFixed;

    if (parts & PlacedLines) {
        canvas.Polyline(&measure.points[1], int(n));
        if (measure.phase >= PolylinePhase::ListEnded) {
            canvas.MoveTo(last);
            canvas.LineTo(first);
        }
    }
    if ((parts & PointerLines) && pointerSegment) {
        canvas.MoveTo(last);
        canvas.LineTo(p);
        canvas.LineTo(first);
        measure.LongGuides(canvas, last, p);
    }
    if (!(parts & (PlacedLabels | PointerLabels)))
        return;

    double total = 0;
    for (uint32_t i = 1; i < n; ++i) {
        const double length =
            DeviceDistance(canvas, measure.points[i], measure.points[i + 1]) * measure.pixelSize;
        if (parts & PlacedLabels)
            measure.labelTexts[i] = measure.UnitText("%f %s", measure.ToUnit(length));
        total += length;
    }
    if (pointerSegment) {
        const double edge = DeviceDistance(canvas, last, p) * measure.pixelSize;
        total += edge;
        measure.labelTexts[0] = measure.UnitText("%f %s", measure.ToUnit(edge));
        // The closing edge through the pointer counts but has no label.
        total += DeviceDistance(canvas, first, p) * measure.pixelSize;
    }

    if (parts & PlacedLabels) {
        for (uint32_t j = 1; j <= m; ++j) {
            if (j == m && measure.phase == PolylinePhase::Done)
                continue;
            canvas.TextOut(measure.labelPoints[j], measure.labelTexts[j]);
        }
    }
    if (!(parts & PointerLabels))
        return;
    if (measure.phase < PolylinePhase::FirstFinalPlaced) {
        canvas.TextOut(p, measure.labelTexts[0]);
    } else {
        measure.points[0] = last;
        std::vector<GdiPoint> device(n + 1);
        for (uint32_t i = 0; i <= n; ++i)
            device[i] = canvas.ToDevice(measure.points[i]);
        const double area = PolygonArea(device.data(), n, measure.ToUnit(measure.pixelSize));
        canvas.TextOut(LineBelow(p, 2, h), measure.UnitText("A=%f %s^2", std::fabs(area)));
    }
    canvas.TextOut(LineBelow(p, 1, h), measure.UnitText("C=%f %s", measure.ToUnit(total)));
}
