#include "draw/CDrawMeasure.h"

#include "draw/MeasureCanvas.h"
#include "draw/MeasureGeometry.h"
#include "draw/PolylineParts.h"
#include "draw/ShapeGeometry.h"
#include "platform/GdiContext.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace MeasureGeometry;

namespace {

void Line(MeasureCanvas& canvas, GdiPoint a, GdiPoint b)
{
    canvas.MoveTo(a);
    canvas.LineTo(b);
}

GdiRect Square(GdiPoint centre, int64_t radius)
{
    return {ClampToInt(centre.x - radius), ClampToInt(centre.y - radius),
            ClampToInt(centre.x + radius), ClampToInt(centre.y + radius)};
}

void Marker(MeasureCanvas& canvas, GdiPoint p)
{
    canvas.Ellipse(Square(p, MarkerRadius));
}

// A number followed by a small raised "o".
void WriteDegrees(MeasureCanvas& canvas, GdiPoint p, double degrees, int h)
{
    const QString text = FormatNumber(degrees);
    canvas.TextOut(p, text);
    canvas.TextOut(DegreeMarkPosition(p, int(text.size()), h), QStringLiteral("o"));
}

double DeviceDistance(const MeasureCanvas& canvas, GdiPoint a, GdiPoint b)
{
    return Distance(canvas.ToDevice(a), canvas.ToDevice(b));
}

// The context's own calls, with guides drawn in a dotted pen of the
// complementary colour and the measuring pen selected again afterwards.
class ContextCanvas : public MeasureCanvas
{
  public:
    ContextCanvas(GdiContext& dc, ColorRef colour) : dc(dc), guidePen(GdiPen::Dotted(colour)) {}

    void MoveTo(GdiPoint p) override { dc.MoveTo(p); }
    void LineTo(GdiPoint p) override { dc.LineTo(p); }
    void Polyline(const GdiPoint* points, int count) override
    {
        dc.Polyline(points, std::size_t(std::max(count, 0)));
    }
    void Ellipse(const GdiRect& box) override { dc.Ellipse(box); }
    void AngleArc(GdiPoint centre, uint32_t radius, float start, float sweep) override
    {
        dc.AngleArc(centre.x, centre.y, radius, start, sweep);
    }
    void TextOut(GdiPoint p, const QString& text) override { dc.TextOut(p.x, p.y, text); }
    void GuideLine(GdiPoint from, GdiPoint to) override
    {
        const GdiPen previous = dc.SelectPen(guidePen);
        dc.MoveTo(from);
        dc.LineTo(to);
        dc.SelectPen(previous);
    }
    GdiPoint ToDevice(GdiPoint p) const override { return dc.LPtoDP(p); }

  private:
    GdiContext& dc;
    GdiPen guidePen;
};

} // namespace

CDrawMeasure::CDrawMeasure(MeasureKind kind, const GdiRect& initial) : kind(kind)
{
    bounds = initial;
}

void CDrawMeasure::SetPen(ColorRef colour, int width, int style)
{
    this->colour = colour;
    this->width = width;
    this->style = style;
    pen = GdiPen::Styled(colour, width, style);
    brush = GdiBrush::Hollow();
}

void CDrawMeasure::SetFont(const LogFont& font, ColorRef textColour)
{
    this->font = GdiFont(font);
    this->textColour = textColour;
}

void CDrawMeasure::SetBounds(const GdiPoint& from, const GdiPoint& to)
{
    bounds = {from.x, from.y, to.x, to.y};
}

void CDrawMeasure::Draw(GdiContext& dc)
{
    DrawParts(dc, AllParts);
}

void CDrawMeasure::DrawParts(GdiContext& dc, unsigned parts)
{
    const GdiPen previousPen = dc.SelectPen(pen);
    const GdiBrush previousBrush = dc.SelectBrush(brush);
    dc.SetBkMode(GdiContext::Transparent);
    dc.SetTextColor(textColour);
    const GdiFont previousFont = dc.SelectFont(font);

    ContextCanvas canvas(dc, ComplementColour(colour));
    DrawOn(canvas, dc.CurrentLogFont().height, parts);

    dc.SelectPen(previousPen);
    dc.SelectBrush(previousBrush);
    dc.SelectFont(previousFont);
}

void CDrawMeasure::DrawOn(MeasureCanvas& canvas, int lineHeight, unsigned parts)
{
    switch (kind) {
    case MeasureKind::Calibration:
        DrawCalibration(canvas);
        break;
    case MeasureKind::StraightLine:
        DrawStraightLine(canvas);
        break;
    case MeasureKind::ThreePointAngle:
        DrawThreePointAngle(canvas, lineHeight);
        break;
    case MeasureKind::ThreePointCircle:
        DrawThreePointCircle(canvas, lineHeight);
        break;
    case MeasureKind::ThreePointArc:
        DrawThreePointArc(canvas, lineHeight);
        break;
    case MeasureKind::FourPointAngle:
        DrawFourPointAngle(canvas, lineHeight);
        break;
    case MeasureKind::ContinuousLine:
        PolylineParts::DrawContinuousLine(*this, canvas, lineHeight, parts);
        break;
    case MeasureKind::Polygon:
        PolylineParts::DrawPolygon(*this, canvas, lineHeight, parts);
        break;
    case MeasureKind::RadiusCircle:
        DrawRadiusCircle(canvas, lineHeight);
        break;
    case MeasureKind::DiameterCircle:
        DrawDiameterCircle(canvas, lineHeight);
        break;
    }
}

std::vector<GdiPoint> CDrawMeasure::PlacedPoints() const
{
    switch (kind) {
    case MeasureKind::Calibration:
        return {points[0], PointerPoint()};
    case MeasureKind::StraightLine:
    case MeasureKind::RadiusCircle:
    case MeasureKind::DiameterCircle:
        return {points[0], SecondPoint()};
    case MeasureKind::ThreePointAngle:
    case MeasureKind::ThreePointCircle:
    case MeasureKind::ThreePointArc:
        return {points.begin() + 1, points.begin() + 4};
    case MeasureKind::FourPointAngle:
        return {points.begin() + 1, points.begin() + 5};
    case MeasureKind::ContinuousLine:
    case MeasureKind::Polygon:
        break;
    }
    return {points.begin() + 1, points.begin() + 1 + VertexCount()};
}

std::vector<MeasureLabel> CDrawMeasure::Labels(int lineHeight, unsigned parts)
{
    // The drawing run once more against a canvas that keeps only the texts;
    // one logical unit is one picture pixel, as in the picture's context.
    class LabelCanvas : public MeasureCanvas
    {
      public:
        void MoveTo(GdiPoint) override {}
        void LineTo(GdiPoint) override {}
        void Polyline(const GdiPoint*, int) override {}
        void Ellipse(const GdiRect&) override {}
        void AngleArc(GdiPoint, uint32_t, float, float) override {}
        void TextOut(GdiPoint p, const QString& text) override { labels.push_back({p, text}); }
        void GuideLine(GdiPoint, GdiPoint) override {}
        GdiPoint ToDevice(GdiPoint p) const override { return p; }
        std::vector<MeasureLabel> labels;
    } canvas;
    DrawOn(canvas, lineHeight, parts);
    return std::move(canvas.labels);
}

void CDrawMeasure::LongGuides(MeasureCanvas& canvas, GdiPoint a, GdiPoint b) const
{
    for (const GuideLine& guide : EndGuides(a, b, LongGuideHalfLength))
        canvas.GuideLine(guide.from, guide.to);
}

// The short form of the guides, in the measuring pen: 3 widths to each side.
void CDrawMeasure::Ticks(MeasureCanvas& canvas, GdiPoint a, GdiPoint b) const
{
    for (const GuideLine& tick : EndGuides(a, b, 3 * width))
        Line(canvas, tick.from, tick.to);
}

uint32_t CDrawMeasure::VertexCount() const
{
    return std::min<uint32_t>(pointIndex, Capacity - 1);
}

uint32_t CDrawMeasure::LabelCount() const
{
    return std::min<uint32_t>(labelIndex, Capacity - 1);
}

Scale CDrawMeasure::LabelScale() const
{
    return Scale{pixelSize, resolutionFactor, magnification, unit};
}

double CDrawMeasure::ToUnit(double millimetres) const
{
    return LabelScale().ToUnit(millimetres);
}

QString CDrawMeasure::UnitText(const char* format, double value) const
{
    return FormatValue(format, value, UnitWord(unit));
}

void CDrawMeasure::DrawCalibration(MeasureCanvas& canvas)
{
    const GdiPoint a = points[0];
    const GdiPoint b = PointerPoint();
    Line(canvas, a, b);
    LongGuides(canvas, a, b);

    const Scale scale = LabelScale();
    const double distance = Distance(a, b);
    const double length = scale.SensorMillimetres(distance);
    if (length > MinLabelledLength) {
        const GdiPoint at{ClampToInt(int64_t(Half(a.x, b.x)) - 20), Half(a.y, b.y)};
        canvas.TextOut(at, UnitText("%f %s", scale.LineValue(distance)));
    }
    result = length * magnification;
}

void CDrawMeasure::DrawStraightLine(MeasureCanvas& canvas)
{
    const GdiPoint a = points[0];
    const GdiPoint b = SnapEnd(a, SecondPoint(), angleConstraint);
    Line(canvas, a, b);
    if (pointIndex < 2)
        LongGuides(canvas, a, b);
    else
        Ticks(canvas, a, b);

    const Scale scale = LabelScale();
    const double distance = Distance(a, b);
    if (scale.SensorMillimetres(distance) > MinLabelledLength)
        canvas.TextOut(PointerPoint(), UnitText("%f %s", scale.LineValue(distance)));
}

void CDrawMeasure::DrawRadiusCircle(MeasureCanvas& canvas, int h)
{
    const GdiPoint o = points[0];
    const GdiPoint e = SecondPoint();
    const double distance = Distance(o, e);
    const int32_t r = TruncToInt(distance);
    Line(canvas, o, e);
    if (pointIndex < 2)
        LongGuides(canvas, o, e);

    const double v = ToUnit(distance * pixelSize);
    const GdiPoint p = PointerPoint();
    canvas.TextOut(p, UnitText("R=%f %s", v));
    canvas.TextOut(LineBelow(p, 1, h), UnitText("C=%f %s", 2 * v * Pi));
    canvas.TextOut(LineBelow(p, 2, h), UnitText("A=%f %s^2", v * v * Pi));
    canvas.Ellipse(Square(o, r));
}

void CDrawMeasure::DrawDiameterCircle(MeasureCanvas& canvas, int h)
{
    const GdiPoint a = points[0];
    const GdiPoint b = SecondPoint();
    const double distance = Distance(a, b);
    const int32_t d = TruncToInt(distance);
    Line(canvas, a, b);
    if (pointIndex < 2)
        LongGuides(canvas, a, b);

    const double v = ToUnit(distance * pixelSize);
    const GdiPoint p = PointerPoint();
    canvas.TextOut(p, UnitText("D=%f %s", v));
    canvas.TextOut(LineBelow(p, 1, h), UnitText("C=%f %s", v * Pi));
    canvas.TextOut(LineBelow(p, 2, h), UnitText("A=%f %s^2", v * v * Pi / 4.0));
    canvas.Ellipse(Square(Midpoint(a, b), d / 2));
}

void CDrawMeasure::DrawThreePointCircle(MeasureCanvas& canvas, int h)
{
    const GdiPoint p = PointerPoint();
    const GdiPoint p1 = points[1];
    if (pointIndex == 1) {
        Line(canvas, p1, p);
        LongGuides(canvas, p1, p);
        Marker(canvas, p1);
        return;
    }
    if (pointIndex < 2 || pointIndex > 4)
        return;

    const GdiPoint p2 = points[2];
    const GdiPoint p3 = allPointsPlaced ? points[3] : p;
    // Until the points span a circle only the markers are sound.
    const std::optional<Circle> circle = CircleThroughPoints(p1, p2, p3);
    if (circle) {
        const GdiPoint o = circle->centre;
        canvas.MoveTo(o);
        canvas.AngleArc(o, DrawingRadius(circle->radius), float(CircleStartAngle(o, p3)), 360.0f);
        if (pointIndex < 3)
            LongGuides(canvas, o, p3);
    }
    Marker(canvas, p1);
    Marker(canvas, p2);
    Marker(canvas, p3);
    if (!circle)
        return;

    const double v = ToUnit(DeviceDistance(canvas, circle->centre, p1) * pixelSize);
    canvas.TextOut(p, UnitText("R=%f %s", v));
    canvas.TextOut(LineBelow(p, 1, h), UnitText("C=%f %s", 2 * v * Pi));
    canvas.TextOut(LineBelow(p, 2, h), UnitText("A=%f %s^2", v * v * Pi));
}

void CDrawMeasure::DrawThreePointArc(MeasureCanvas& canvas, int h)
{
    const GdiPoint p = PointerPoint();
    const GdiPoint p1 = points[1];
    if (pointIndex == 1) {
        Line(canvas, p1, p);
        LongGuides(canvas, p1, p);
        Marker(canvas, p1);
        return;
    }
    if (pointIndex < 2 || pointIndex > 4)
        return;

    const GdiPoint p2 = points[2];
    const GdiPoint p3 = allPointsPlaced ? points[3] : p;
    const std::optional<Circle> circle = CircleThroughPoints(p1, p2, p3);
    ArcSpan arc;
    if (circle) {
        const GdiPoint o = circle->centre;
        const uint32_t r = DrawingRadius(circle->radius);
        arc = ArcThroughPoints(o, p1, p2, p3);
        // Out along one radius, round the arc, then the same way back: a
        // closed sector outline.
        canvas.MoveTo(o);
        canvas.AngleArc(o, r, float(arc.start), float(arc.sweep));
        canvas.MoveTo(o);
        canvas.AngleArc(o, r, float(arc.start + arc.sweep), float(-arc.sweep));
        if (pointIndex < 3)
            LongGuides(canvas, o, p3);
    }
    Marker(canvas, p1);
    Marker(canvas, p2);
    Marker(canvas, p3);
    if (!circle)
        return;

    const double w = std::fabs(arc.sweep);
    const double v = ToUnit(DeviceDistance(canvas, circle->centre, p1) * pixelSize);
    WriteDegrees(canvas, p, w, h);
    canvas.TextOut(LineBelow(p, 1, h), UnitText("R=%f %s", v));
    canvas.TextOut(LineBelow(p, 2, h), UnitText("C=%f %s", 2 * v * Pi * w / 360));
    canvas.TextOut(LineBelow(p, 3, h), UnitText("A=%f %s^2", v * v * Pi * w / 360));
}

void CDrawMeasure::DrawThreePointAngle(MeasureCanvas& canvas, int h)
{
    const GdiPoint p = PointerPoint();
    const GdiPoint vertex = points[1];
    if (pointIndex == 1) {
        Line(canvas, vertex, p);
        LongGuides(canvas, vertex, p);
        return;
    }
    if (pointIndex < 2 || pointIndex > 4)
        return;

    points[0] = p;
    const GdiPoint a = points[2];
    const GdiPoint b = allPointsPlaced ? points[3] : p;
    Line(canvas, vertex, a);
    const ArmAngle angle = AngleBetweenArms(vertex, a, b);
    // The current position is the first arm's end, so the arc's leading
    // line runs back along that arm.
    canvas.AngleArc(vertex, AngleMarkRadius, float(angle.first), float(angle.sweep));
    if (pointIndex < 3)
        LongGuides(canvas, vertex, a);
    WriteDegrees(canvas, p, std::fabs(angle.sweep), h);
    Line(canvas, vertex, b);
    if (pointIndex < 3)
        LongGuides(canvas, vertex, b);
}

void CDrawMeasure::DrawFourPointAngle(MeasureCanvas& canvas, int h)
{
    const GdiPoint p = PointerPoint();
    const GdiPoint p1 = points[1];
    if (pointIndex == 1) {
        Line(canvas, p1, p);
        LongGuides(canvas, p1, p);
        return;
    }
    const GdiPoint p2 = points[2];
    if (pointIndex == 2) {
        Line(canvas, p1, p2);
        LongGuides(canvas, p1, p2);
        return;
    }
    if (pointIndex < 3 || pointIndex > 5)
        return;

    points[0] = p;
    const GdiPoint q = allPointsPlaced ? points[4] : p;
    points[4] = q;
    const GdiPoint p3 = points[3];
    Line(canvas, p1, p2);
    Line(canvas, p3, q);
    if (pointIndex < 4) {
        LongGuides(canvas, p1, p2);
        LongGuides(canvas, p3, q);
    }

    const LinePairAngle angle = AngleBetweenLines(p1, p2, p3, q);
    if (const std::optional<GdiPoint> x = LineIntersection(p1, p2, p3, q)) {
        for (const auto& extension : {ExtensionTo(p1, p2, *x), ExtensionTo(p3, q, *x)})
            if (extension)
                Line(canvas, extension->from, extension->to);
        if (const std::optional<ArcSpan> mark = MarkingArc(angle)) {
            canvas.MoveTo(*x);
            canvas.AngleArc(*x, AngleMarkRadius, float(mark->start), float(mark->sweep));
            canvas.LineTo(*x);
        }
    }
    WriteDegrees(canvas, points[0], angle.theta, h);
}
