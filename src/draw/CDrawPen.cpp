#include "draw/CDrawPen.h"

#include "draw/ShapeGeometry.h"
#include "platform/GdiContext.h"

void CDrawPen::SetPen(ColorRef newColour, int newWidth, int newStyle)
{
    colour = newColour;
    width = newWidth;
    pen = GdiPen::Styled(newColour, newWidth, newStyle);
}

void CDrawPen::RecalcBounds()
{
    bounds = StrokeBounds(points, BoundsMargin);
}

void CDrawPen::Draw(GdiContext& dc)
{
    DrawFrom(dc, 0);
}

void CDrawPen::DrawFrom(GdiContext& dc, size_t first) const
{
    if (first >= points.size())
        return;
    const GdiPen previous = dc.SelectPen(pen);
    // The first point's segment is the dot at the start.
    dc.MoveTo(points[first == 0 ? 0 : first - 1]);
    for (size_t i = first; i < points.size(); ++i)
        dc.LineTo(points[i]);
    dc.SelectPen(previous);
}
