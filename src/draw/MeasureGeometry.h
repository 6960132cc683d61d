#pragma once

#include "platform/GdiTypes.h"

#include <QString>

#include <cstdint>
#include <optional>

// The arithmetic behind the measuring tools: units, scale, label texts and
// positions, guides, snapping, circles, arcs and angles. Pure functions, so
// every number can be checked without drawing anything.
namespace MeasureGeometry {

// The program's fixed approximations; the published values depend on them.
inline constexpr double Pi = 3.1415926;
inline constexpr double HalfPi = 1.5707963;

inline constexpr int LongGuideHalfLength = 10000;
inline constexpr int MarkerRadius = 5;
inline constexpr int AngleMarkRadius = 10;
inline constexpr double MaxCircleRadius = 100000.0;
inline constexpr double MinLabelledLength = 1e-07;

// Unit codes: 0 mm, 1 um, 2 mil, 3 inch; anything else measures in mm.
const char* UnitWord(int unit);
double UnitFactor(int unit);

// How picture pixels become values in the chosen unit.
struct Scale
{
    double pixelSize = 0.355;
    double resolutionFactor = 1.0;
    double magnification = 1.0;
    int unit = 0;

    double Factor() const { return UnitFactor(unit); }
    const char* Word() const { return UnitWord(unit); }
    // x / magnification * factor * resolutionFactor, in that order.
    double ToUnit(double x) const { return x / magnification * Factor() * resolutionFactor; }
    // Millimetres at the sensor for a distance in picture pixels, before the
    // magnification: the straight line's and the calibration line's length.
    double SensorMillimetres(double pixels) const { return pixels * pixelSize * resolutionFactor; }
    // The value a straight-line label shows for a distance in picture pixels.
    double LineValue(double pixels) const
    {
        return SensorMillimetres(pixels) / magnification * Factor();
    }
};

// Integer to 32 bits, clamped at the ends of the range.
int32_t ClampToInt(int64_t v);
// (a + b) / 2 truncated toward zero, without overflow.
int32_t Half(int32_t a, int32_t b);
GdiPoint Midpoint(GdiPoint a, GdiPoint b);

// sqrt(dx^2 + dy^2) of the integer differences; the squares are exact.
double Distance(GdiPoint a, GdiPoint b);
double Degrees(double radians);
// Direction of the vector (dx, dy) in degrees, counterclockwise on the screen.
double ScreenAngle(double dx, double dy);

// "%f" and "%f %s" with C formatting, whatever the locale.
QString FormatNumber(double v);
QString FormatValue(const char* format, double v, const char* word);

// A label k lines below p; h is negative for the usual fonts.
GdiPoint LineBelow(GdiPoint p, int lines, int lineHeight);
// Where the raised "o" goes after a number of textLength characters at p.
GdiPoint DegreeMarkPosition(GdiPoint p, int textLength, int lineHeight);

struct Segment
{
    GdiPoint from;
    GdiPoint to;
    bool operator==(const Segment&) const = default;
};

// End of a straight line under an angle constraint of 0, 45 or 90 degrees.
GdiPoint SnapEnd(GdiPoint a, GdiPoint b, int angleConstraint);

struct Circle
{
    GdiPoint centre;
    double radius = 0;
};
// The circle through three points by crossing two perpendicular bisectors.
// Empty when the points are collinear or coincident, or the centre lies
// beyond pixel coordinates.
std::optional<Circle> CircleThroughPoints(GdiPoint p1, GdiPoint p2, GdiPoint p3);
// Radius handed to the arc call: limited to 100000 and truncated.
uint32_t DrawingRadius(double radius);
// Start direction for a full circle drawn from the centre toward p3.
double CircleStartAngle(GdiPoint centre, GdiPoint p3);

struct ArcSpan
{
    double start = 0;
    double sweep = 0;
};
// The arc through three directions that leaves out the largest gap.
ArcSpan ArcLeavingLargestGap(double a1, double a2, double a3);
ArcSpan ArcThroughPoints(GdiPoint centre, GdiPoint p1, GdiPoint p2, GdiPoint p3);

// Three-point angle: the first arm's direction and the signed sweep to the
// second arm, folded into (-180, 180].
struct ArmAngle
{
    double first = 0;
    double sweep = 0;
};
double FoldIntoHalfTurn(double delta);
ArmAngle AngleBetweenArms(GdiPoint vertex, GdiPoint a, GdiPoint b);

// Four-point angle.
struct LinePairAngle
{
    double beta1 = 0; // first line's direction
    double beta2 = 0; // second line's direction
    double beta3 = 0; // from the first line's middle to the second line's start
    double delta = 0; // beta2 - beta1
    double theta = 0; // acute angle between the lines, 0 to 90
};
double AcuteAngle(double delta);
LinePairAngle AngleBetweenLines(GdiPoint p1, GdiPoint p2, GdiPoint p3, GdiPoint q);
// Where the lines p1-p2 and p3-q cross; empty for parallel lines.
std::optional<GdiPoint> LineIntersection(GdiPoint p1, GdiPoint p2, GdiPoint p3, GdiPoint q);
// The piece that extends segment start-end up to x, if x lies outside it.
std::optional<Segment> ExtensionTo(GdiPoint start, GdiPoint end, GdiPoint x);
// The small sector marking the measured angle at the intersection.
std::optional<ArcSpan> MarkingArc(const LinePairAngle& angle);

// Shoelace sum over entries 0..n of a point list whose entry 0 repeats the last
// vertex, each doubled-area term scaled by unitPerPixel squared.
double PolygonArea(const GdiPoint* vertices, uint32_t n, double unitPerPixel);

} // namespace MeasureGeometry
