#pragma once

#include "platform/GdiTypes.h"

#include <QString>

#include <cstdint>

// The drawing calls a measurement makes once its pen, brush and font are
// selected. The drawing context stands behind it in the program; tests
// record the calls to check coordinates and label texts as numbers.
class MeasureCanvas
{
  public:
    virtual ~MeasureCanvas() = default;

    virtual void MoveTo(GdiPoint p) = 0;
    virtual void LineTo(GdiPoint p) = 0;
    virtual void Polyline(const GdiPoint* points, int count) = 0;
    virtual void Ellipse(const GdiRect& box) = 0;
    // Leading line from the current position, then the arc, counterclockwise
    // on the screen for a positive sweep; leaves the position at its end.
    virtual void AngleArc(GdiPoint centre, uint32_t radius, float start, float sweep) = 0;
    // The text's top-left corner at p.
    virtual void TextOut(GdiPoint p, const QString& text) = 0;
    // A one-pixel dotted line in the complement of the measuring colour.
    virtual void GuideLine(GdiPoint from, GdiPoint to) = 0;
    // Logical-to-device mapping of a point, for distances that depend on it.
    virtual GdiPoint ToDevice(GdiPoint p) const = 0;
};
