#include "platform/GdiContext.h"

#include "platform/OutlineText.h"
#include "platform/PieceStroker.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
constexpr double DegreesToRadians = 3.14159265358979323846 / 180.0;
constexpr int TouchMargin = 2;

// The point of a circle at an angle, y downwards.
QPointF CirclePoint(double x, double y, double radius, double degrees)
{
    const double a = degrees * DegreesToRadians;
    return {x + radius * std::cos(a), y - radius * std::sin(a)};
}

// The pen of a rectangle or ellipse runs along the last pixels inside its
// bounding box.
QRectF OutlineBox(int left, int top, int right, int bottom)
{
    const double x0 = std::min(left, right), x1 = std::max(left, right);
    const double y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    return QRectF(x0, y0, std::max(x1 - 1 - x0, 0.0), std::max(y1 - 1 - y0, 0.0));
}

int RoundToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(std::lround(std::clamp(v, -1.0e9, 1.0e9)));
}
} // namespace

GdiContext::GdiContext(QImage& target) : target(target), painter(&target)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    qpen = pen.ToQPen();
    painter.setPen(qpen);
    painter.setBrush(brush.ToQBrush());
    painter.setFont(font.Font());
}

GdiContext::~GdiContext() = default;

GdiPen GdiContext::SelectPen(const GdiPen& newPen)
{
    GdiPen previous = pen;
    if (!(newPen == pen)) {
        pen = newPen;
        qpen = pen.ToQPen();
        painter.setPen(qpen);
    }
    return previous;
}

GdiBrush GdiContext::SelectBrush(const GdiBrush& newBrush)
{
    GdiBrush previous = brush;
    brush = newBrush;
    painter.setBrush(brush.ToQBrush());
    return previous;
}

GdiFont GdiContext::SelectFont(const GdiFont& newFont)
{
    GdiFont previous = font;
    font = newFont;
    painter.setFont(font.Font());
    return previous;
}

ColorRef GdiContext::SetTextColor(ColorRef colour)
{
    return std::exchange(textColour, colour);
}

ColorRef GdiContext::SetBkColor(ColorRef colour)
{
    return std::exchange(backgroundColour, colour);
}

int GdiContext::SetBkMode(int mode)
{
    if (mode != Transparent && mode != Opaque)
        return 0;
    return std::exchange(backgroundMode, mode);
}

QRect GdiContext::GrownArea(const QRectF& box, int reach) const
{
    if (!std::isfinite(box.left()) || !std::isfinite(box.top()) || !std::isfinite(box.right()) ||
        !std::isfinite(box.bottom()))
        return {};
    const double grow = reach + TouchMargin;
    const double left = std::clamp(std::floor(box.left() - grow), -1.0e9, 1.0e9);
    const double top = std::clamp(std::floor(box.top() - grow), -1.0e9, 1.0e9);
    const double right = std::clamp(std::ceil(box.right() + grow), -1.0e9, 1.0e9);
    const double bottom = std::clamp(std::ceil(box.bottom() + grow), -1.0e9, 1.0e9);
    return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom))) & target.rect();
}

void GdiContext::Touch(const QRectF& box, int reach)
{
    const QRect area = GrownArea(box, reach);
    if (!area.isEmpty()) {
        touched |= area;
        touchedBoxes.push_back(area);
    }
}

void GdiContext::TouchLine(QPointF from, QPointF to, int reach)
{
    const QRect area = GrownArea(QRectF(from, to).normalized(), reach);
    if (!area.isEmpty()) {
        touched |= area;
        touchedLines.push_back({from, to, double(reach + TouchMargin)});
    }
}

void GdiContext::LineTo(int x, int y)
{
    const GdiPoint from = position;
    position = {x, y};
    if (pen.IsNull())
        return;
    const QPointF a(from.x, from.y);
    const QPointF b(x, y);
    if (a == b && pen.Width() > 1) {
        // Round caps make a zero-length line a dot (a click with the
        // freehand tool); Qt's stroker would leave it out.
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(pen.Colour()));
        painter.drawEllipse(b, pen.Width() / 2.0, pen.Width() / 2.0);
        painter.restore();
    } else {
        painter.drawLine(a, b);
    }
    TouchLine(a, b, pen.Reach());
}

void GdiContext::Polyline(const GdiPoint* points, std::size_t count)
{
    if (count < 2 || pen.IsNull())
        return;
    QPolygonF polygon;
    polygon.reserve(qsizetype(count));
    for (std::size_t i = 0; i < count; ++i)
        polygon.append(QPointF(points[i].x, points[i].y));
    const QRect area = GrownArea(polygon.boundingRect(), pen.Reach());
    // Thin lines are drawn segment by segment anyway.
    if (polygon.size() - 1 <= PieceStroker::PieceSegments || qpen.widthF() <= 1.0)
        painter.drawPolyline(polygon);
    else
        PieceStroker::Stroke(painter, target, polygon, area, PieceStroker::BandsFor(area));
    if (area.isEmpty())
        return;
    touched |= area;
    for (qsizetype i = 1; i < polygon.size(); ++i)
        touchedLines.push_back({polygon[i - 1], polygon[i], double(pen.Reach() + TouchMargin)});
}

QRect GdiContext::PixelsWithin(const GdiRect& rect) const
{
    GdiRect r = rect;
    r.Normalize();
    // In 64 bits: the corners may lie anywhere in the int range.
    const int64_t left = std::max<int64_t>(r.left, 0);
    const int64_t top = std::max<int64_t>(r.top, 0);
    const int64_t right = std::min<int64_t>(r.right, target.width());
    const int64_t bottom = std::min<int64_t>(r.bottom, target.height());
    if (right <= left || bottom <= top)
        return {};
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

void GdiContext::Rectangle(int left, int top, int right, int bottom)
{
    const QRectF outline = OutlineBox(left, top, right, bottom);
    // The fill stops short of the right and bottom edge.
    if (!brush.IsHollow()) {
        const QRect inside = PixelsWithin({left, top, right, bottom});
        if (!inside.isEmpty()) {
            painter.fillRect(inside, brush.ToQBrush());
            touched |= inside;
            touchedBoxes.push_back(inside);
        }
    }
    if (!pen.IsNull()) {
        painter.save();
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outline);
        painter.restore();
        Touch(outline, pen.Reach());
    }
}

void GdiContext::Ellipse(int left, int top, int right, int bottom)
{
    const QRectF box = OutlineBox(left, top, right, bottom);
    painter.drawEllipse(box);
    Touch(box, pen.IsNull() ? 0 : pen.Reach());
}

void GdiContext::AngleArc(int x, int y, uint32_t radius, float startAngle, float sweepAngle)
{
    const double r = double(radius);
    const double start = double(startAngle);
    const double sweep = double(sweepAngle);
    if (!std::isfinite(start) || !std::isfinite(sweep))
        return;
    const QPointF from(position.x, position.y);
    const QPointF arcStart = CirclePoint(x, y, r, start);
    const QPointF arcEnd = CirclePoint(x, y, r, start + sweep);
    position = {RoundToInt(arcEnd.x()), RoundToInt(arcEnd.y())};
    if (pen.IsNull())
        return;

    QPainterPath path(from);
    path.lineTo(arcStart);
    // Beyond a full turn the arc only retraces itself.
    path.arcTo(QRectF(x - r, y - r, 2 * r, 2 * r), start, std::clamp(sweep, -360.0, 360.0));
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();

    QRectF box = QRectF(from, arcStart).normalized();
    box |= path.controlPointRect();
    Touch(box, pen.Reach());
}

void GdiContext::TextOut(int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFontMetrics& metrics = font.Metrics();
    const QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (backgroundMode == Opaque)
        painter.fillRect(cell, ToQColor(backgroundColour));
    painter.save();
    painter.setPen(ToQColor(textColour));
    const QPoint baseline(x, y + metrics.ascent());
    if (OutlineText::Suits(font.Font(), text))
        OutlineText::Draw(painter, baseline, text);
    else
        painter.drawText(baseline, text);
    painter.restore();
    // Italic overhangs and accents may leave the cell.
    const QRect ink = metrics.boundingRect(text).translated(baseline);
    Touch(QRectF(cell | ink), metrics.height() / 4);
}

void GdiContext::InvertRect(const GdiRect& rect)
{
    const QRect area = PixelsWithin(rect);
    if (area.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(area, QColor(255, 255, 255));
    painter.restore();
    touched |= area;
    touchedBoxes.push_back(area);
}
