#include "draw/ShapeGeometry.h"

#include "platform/GdiContext.h"

#include <algorithm>
#include <cmath>
#include <limits>

int TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = double(std::numeric_limits<int>::min());
    constexpr double highest = double(std::numeric_limits<int>::max());
    return int(std::clamp(std::trunc(value), lowest, highest));
}

std::array<GdiPoint, 2> ArrowBarbs(GdiPoint tail, GdiPoint head, int width)
{
    const double a = std::atan2(double(head.y) - tail.y, double(tail.x) - head.x);
    const double length = 4.0 * width;
    std::array<GdiPoint, 2> tips;
    for (int i = 0; i < 2; ++i) {
        const double s = i == 0 ? 1.0 : -1.0;
        const double b = a + 1.5707963 + s * 0.392699075;
        tips[i] = {TruncToInt(head.x + std::sin(b) * length),
                   TruncToInt(head.y + std::cos(b) * length)};
    }
    return tips;
}

GuideLine EndGuide(GdiPoint a, GdiPoint b, GdiPoint p, int h)
{
    if (a.x == b.x || a.y == b.y) {
        if (a.y != b.y)
            return {{TruncToInt(double(p.x) + h), p.y}, {TruncToInt(double(p.x) - h), p.y}};
        return {{p.x, TruncToInt(double(p.y) + h)}, {p.x, TruncToInt(double(p.y) - h)}};
    }
    const double m = (double(b.y) - a.y) / (double(b.x) - a.x);
    const double k = -1.0 / m;
    const double c = p.y - k * p.x;
    const double d = std::sqrt(double(h) * h / (k * k + 1.0));
    const double x1 = p.x + d;
    const double x2 = p.x - d;
    return {{TruncToInt(x1), TruncToInt(k * x1 + c)}, {TruncToInt(x2), TruncToInt(k * x2 + c)}};
}

std::array<GuideLine, 2> EndGuides(GdiPoint a, GdiPoint b, int halfLength)
{
    return {EndGuide(a, b, a, halfLength), EndGuide(a, b, b, halfLength)};
}

void DrawEndGuides(GdiContext& dc, GdiPoint a, GdiPoint b, int halfLength, ColorRef colour)
{
    const GdiPen previous = dc.SelectPen(GdiPen::Dotted(ComplementColour(colour)));
    for (const GuideLine& guide : EndGuides(a, b, halfLength)) {
        dc.MoveTo(guide.from);
        dc.LineTo(guide.to);
    }
    dc.SelectPen(previous);
}

GdiRect StrokeBounds(const std::vector<GdiPoint>& points, int margin)
{
    if (points.empty())
        return {};
    GdiRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const GdiPoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return {r.left - margin, r.top - margin, r.right + margin, r.bottom + margin};
}
