#pragma once

#include "platform/GdiTypes.h"

#include <array>
#include <vector>

class GdiContext;

// Truncates toward zero; values beyond the int range stick to its ends and
// NaN becomes 0, so no computed coordinate is ever undefined.
int TruncToInt(double value);

// The two barb tips of an arrow, first on the side of +22.5 degrees; each
// barb runs from the head and is four pen widths long.
std::array<GdiPoint, 2> ArrowBarbs(GdiPoint tail, GdiPoint head, int width);

struct GuideLine
{
    GdiPoint from;
    GdiPoint to;
    bool operator==(const GuideLine&) const = default;
};

// The line through P perpendicular to the segment A to B, reaching
// halfLength pixels to each side of P.
GuideLine EndGuide(GdiPoint a, GdiPoint b, GdiPoint p, int halfLength);
// The guides through A and through B, in that order.
std::array<GuideLine, 2> EndGuides(GdiPoint a, GdiPoint b, int halfLength);

// Draws both end guides of A to B with a one-pixel dotted pen in the
// complement of the colour, then selects the previous pen again.
void DrawEndGuides(GdiContext& dc, GdiPoint a, GdiPoint b, int halfLength, ColorRef colour);

// The bounds of a freehand stroke: the points' extent grown by the margin on
// every side, or all zero without points.
GdiRect StrokeBounds(const std::vector<GdiPoint>& points, int margin);
