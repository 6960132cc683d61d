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
    if (points.empty())
        return;
    const GdiPen previous = dc.SelectPen(pen);
    dc.MoveTo(points.front());
    for (const GdiPoint& p : points)
        dc.LineTo(p);
    dc.SelectPen(previous);
}
