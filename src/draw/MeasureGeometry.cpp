#include "draw/MeasureGeometry.h"

#include "draw/ShapeGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace MeasureGeometry {

namespace {

// Wide enough for a product of three differences of 32-bit coordinates.
using WideInt = __int128;

int64_t Sign(int64_t v)
{
    return (v > 0) - (v < 0);
}

} // namespace

const char* UnitWord(int unit)
{
    switch (unit) {
    case 1:
        return "um";
    case 2:
        return "mil";
    case 3:
        return "inch";
    default:
        return "mm";
    }
}

double UnitFactor(int unit)
{
    switch (unit) {
    case 1:
        return 1000.0;
    case 2:
        return 39.37007874015748;
    case 3:
        return 0.03937007874015748;
    default:
        return 1.0;
    }
}

int32_t ClampToInt(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t Half(int32_t a, int32_t b)
{
    return static_cast<int32_t>((int64_t(a) + b) / 2);
}

GdiPoint Midpoint(GdiPoint a, GdiPoint b)
{
    return {Half(a.x, b.x), Half(a.y, b.y)};
}

double Distance(GdiPoint a, GdiPoint b)
{
    // Exact integer squares as long as the differences stay below 2^26.
    const double dx = double(int64_t(b.x) - a.x);
    const double dy = double(int64_t(b.y) - a.y);
    return std::sqrt(dx * dx + dy * dy);
}

double Degrees(double radians)
{
    return radians / Pi * 180;
}

double ScreenAngle(double dx, double dy)
{
    return Degrees(std::atan2(-dy, dx));
}

QString FormatNumber(double v)
{
    char text[512];
    std::snprintf(text, sizeof text, "%f", v);
    return QString::fromLatin1(text);
}

QString FormatValue(const char* format, double v, const char* word)
{
    char text[512];
    std::snprintf(text, sizeof text, format, v, word);
    return QString::fromLatin1(text);
}

GdiPoint LineBelow(GdiPoint p, int lines, int lineHeight)
{
    return {p.x, ClampToInt(int64_t(p.y) - int64_t(lines) * lineHeight)};
}

GdiPoint DegreeMarkPosition(GdiPoint p, int textLength, int lineHeight)
{
    const double advance = std::fabs(textLength * 1.05 * lineHeight / 2.0);
    const int64_t rise = std::abs(int64_t(lineHeight / 2));
    return {TruncToInt(p.x + advance), ClampToInt(int64_t(p.y) - rise)};
}

GdiPoint SnapEnd(GdiPoint a, GdiPoint b, int angleConstraint)
{
    const int64_t dx = int64_t(b.x) - a.x;
    const int64_t dy = int64_t(b.y) - a.y;
    const int64_t adx = std::abs(dx);
    const int64_t ady = std::abs(dy);
    if (angleConstraint == 90) {
        if (adx > ady)
            b.y = a.y;
        else
            b.x = a.x;
    } else if (angleConstraint == 45) {
        if (adx > ady)
            b.x = ClampToInt(a.x + ady * Sign(dx));
        else
            b.y = ClampToInt(a.y + adx * Sign(dy));
    }
    return b;
}

std::optional<Circle> CircleThroughPoints(GdiPoint p1, GdiPoint p2, GdiPoint p3)
{
    // The bisector construction has no finite centre for collinear points;
    // the integer cross product decides that exactly.
    const WideInt cross = WideInt(int64_t(p2.x) - p1.x) * (int64_t(p3.y) - p2.y) -
                          WideInt(int64_t(p2.y) - p1.y) * (int64_t(p3.x) - p2.x);
    if (cross == 0)
        return std::nullopt;

    const double phi1 =
        std::atan2(double(int64_t(p2.y) - p1.y), double(int64_t(p2.x) - p1.x)) + HalfPi;
    const double phi2 =
        std::atan2(double(int64_t(p3.y) - p2.y), double(int64_t(p3.x) - p2.x)) + HalfPi;
    const double t1 = std::tan(phi1);
    const double t2 = std::tan(phi2);
    const double c1 = double((int64_t(p1.y) + p2.y) / 2) - t1 * double(int64_t(p1.x) + p2.x) / 2.0;
    const double c2 = double((int64_t(p2.y) + p3.y) / 2) - t2 * double(int64_t(p2.x) + p3.x) / 2.0;
    const double ox = (c1 - c2) / (t2 - t1);
    if (!std::isfinite(ox) || std::fabs(ox) >= 2147483647.0)
        return std::nullopt;
    const int32_t cx = static_cast<int32_t>(ox);
    const double oy = t2 * cx + c2;
    if (!std::isfinite(oy) || std::fabs(oy) >= 2147483647.0)
        return std::nullopt;
    const GdiPoint centre{cx, static_cast<int32_t>(oy)};
    return Circle{centre, Distance(centre, p1)};
}

uint32_t DrawingRadius(double radius)
{
    if (!(radius > 0))
        return 0;
    return static_cast<uint32_t>(std::min(radius, MaxCircleRadius));
}

double CircleStartAngle(GdiPoint centre, GdiPoint p3)
{
    return Degrees(std::atan2(double(int64_t(centre.x) - p3.x), double(int64_t(centre.y) - p3.y))) +
           90;
}

ArcSpan ArcLeavingLargestGap(double a1, double a2, double a3)
{
    double hi = a1;
    double mid = a2;
    double lo = a3;
    if (mid > hi)
        std::swap(mid, hi);
    if (lo > mid)
        std::swap(lo, mid);
    if (mid > hi)
        std::swap(mid, hi);

    const double g1 = hi - mid;
    const double g2 = mid - lo;
    const double g3 = 360 - (hi - lo);
    ArcSpan arc;
    if (g2 <= g1 && g3 <= g1)
        arc = {hi, g3 + g2};
    if (g1 <= g2 && g3 <= g2)
        arc = {mid, g1 + g3};
    if (g1 <= g3 && g2 <= g3)
        arc = {lo, g2 + g1};
    return arc;
}

ArcSpan ArcThroughPoints(GdiPoint centre, GdiPoint p1, GdiPoint p2, GdiPoint p3)
{
    auto direction = [centre](GdiPoint p) {
        return Degrees(
            std::atan2(double(int64_t(centre.y) - p.y), double(int64_t(p.x) - centre.x)));
    };
    return ArcLeavingLargestGap(direction(p1), direction(p2), direction(p3));
}

double FoldIntoHalfTurn(double delta)
{
    if (delta > 180)
        delta -= 360;
    if (delta < -180)
        delta += 360;
    return delta;
}

ArmAngle AngleBetweenArms(GdiPoint vertex, GdiPoint a, GdiPoint b)
{
    const double alpha1 =
        Degrees(std::atan2(double(int64_t(vertex.y) - a.y), double(int64_t(a.x) - vertex.x)));
    const double alpha2 =
        Degrees(std::atan2(double(int64_t(vertex.y) - b.y), double(int64_t(b.x) - vertex.x)));
    return {alpha1, FoldIntoHalfTurn(alpha2 - alpha1)};
}

double AcuteAngle(double delta)
{
    double theta = std::fabs(delta);
    if (theta >= 270)
        theta = 360 - theta;
    else if (theta >= 180)
        theta = theta - 180;
    else if (theta >= 90)
        theta = 180 - theta;
    return theta;
}

LinePairAngle AngleBetweenLines(GdiPoint p1, GdiPoint p2, GdiPoint p3, GdiPoint q)
{
    const GdiPoint m = Midpoint(p1, p2);
    LinePairAngle angle;
    angle.beta1 = Degrees(std::atan2(double(int64_t(p1.y) - p2.y), double(int64_t(p2.x) - p1.x)));
    angle.beta2 = Degrees(std::atan2(double(int64_t(p3.y) - q.y), double(int64_t(q.x) - p3.x)));
    angle.beta3 = Degrees(std::atan2(double(int64_t(m.y) - p3.y), double(int64_t(p3.x) - m.x)));
    angle.delta = angle.beta2 - angle.beta1;
    angle.theta = AcuteAngle(angle.delta);
    return angle;
}

std::optional<GdiPoint> LineIntersection(GdiPoint p1, GdiPoint p2, GdiPoint p3, GdiPoint q)
{
    const WideInt dx1 = int64_t(p2.x) - p1.x;
    const WideInt dy1 = int64_t(p2.y) - p1.y;
    const WideInt dx2 = int64_t(q.x) - p3.x;
    const WideInt dy2 = int64_t(q.y) - p3.y;
    const WideInt den = dy1 * dx2 - dy2 * dx1;
    if (den == 0)
        return std::nullopt;
    const WideInt numerator =
        dx1 * dx2 * (int64_t(q.y) - p2.y) + dy1 * dx2 * p2.x - dy2 * dx1 * q.x;
    double x = double(numerator) / double(den);
    double y;
    if (p2.x != p1.x) {
        y = (x - p2.x) * double(dy1) / double(dx1) + p2.y;
    } else {
        x = p1.x;
        y = (x - q.x) * double(dy2) / double(dx2) + q.y;
    }
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return GdiPoint{TruncToInt(x), TruncToInt(y)};
}

std::optional<Segment> ExtensionTo(GdiPoint start, GdiPoint end, GdiPoint x)
{
    auto taxicab = [](GdiPoint u, GdiPoint v) {
        return std::abs(int64_t(u.x) - v.x) + std::abs(int64_t(u.y) - v.y);
    };
    const int64_t a = taxicab(start, x);
    const int64_t b = taxicab(end, x);
    const int64_t c = taxicab(start, end);
    if (b < a && c < a)
        return Segment{start, x};
    if (c < b)
        return Segment{end, x};
    return std::nullopt;
}

std::optional<ArcSpan> MarkingArc(const LinePairAngle& angle)
{
    int k = static_cast<int>((std::fabs(angle.delta) + 90) / 90);
    if (angle.delta < 0)
        k = -k;
    if (k == 0 || k > 4 || k < -4)
        return std::nullopt;

    const double beta1 = angle.beta1;
    const double beta2 = angle.beta2;
    const double b1 = beta1 < 0 ? beta1 + 360 : beta1;
    const double b3 = angle.beta3 < 0 ? angle.beta3 + 360 : angle.beta3;
    const double rho = b3 - b1;
    const bool tableA = (-180 < rho && rho < 0 && beta1 < 0) || (0 < rho && rho < 180 && beta1 > 0);
    const bool bothPositive = beta1 > 0 && beta2 > 0;

    // Start angle in table A; table B always starts half a turn further.
    bool turned = false;
    switch (k) {
    case 1:
    case 2:
        turned = !bothPositive;
        break;
    case -1:
    case -2:
        turned = beta1 > 0;
        break;
    default:
        break;
    }
    if (!tableA)
        turned = !turned;
    const bool positiveSweep = k == 2 || k == 4 || k == -1 || k == -3;
    return ArcSpan{turned ? beta2 + 180 : beta2, positiveSweep ? angle.theta : -angle.theta};
}

double PolygonArea(const GdiPoint* vertices, uint32_t n, double unitPerPixel)
{
    const double squared = unitPerPixel * unitPerPixel;
    double area = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const GdiPoint& from = vertices[i];
        const GdiPoint& to = vertices[i + 1];
        const WideInt dx = int64_t{to.x} - from.x;
        const WideInt sy = int64_t{to.y} + from.y;
        const WideInt term = dx * sy;
        area += double(term) / 2.0 * squared;
    }
    return area;
}

} // namespace MeasureGeometry
