#include "draw/CDrawShape.h"

#include "draw/ShapeGeometry.h"
#include "platform/GdiContext.h"

CDrawShape::CDrawShape(int kind, const GdiRect& initial) : kind(kind)
{
    bounds = initial;
    if (!KeepsDirection(kind))
        bounds.Normalize();
}

void CDrawShape::SetPen(ColorRef newColour, int newWidth, int newStyle)
{
    colour = newColour;
    width = newWidth;
    pen = GdiPen::Styled(newColour, newWidth, newStyle);
    brush = GdiBrush::Hollow();
}

void CDrawShape::SetBounds(const GdiPoint& from, const GdiPoint& to)
{
    bounds = {from.x, from.y, to.x, to.y};
    if (!KeepsDirection(kind))
        bounds.Normalize();
}

void CDrawShape::DrawArrow(GdiContext& dc, GdiPoint tail, GdiPoint head)
{
    dc.MoveTo(tail);
    dc.LineTo(head);
    for (const GdiPoint& tip : ArrowBarbs(tail, head, width)) {
        dc.MoveTo(head);
        dc.LineTo(tip);
    }
}

void CDrawShape::Draw(GdiContext& dc)
{
    const GdiPen previousPen = dc.SelectPen(pen);
    const GdiBrush previousBrush = dc.SelectBrush(brush);
    dc.SetBkMode(GdiContext::Transparent);

    const GdiPoint topLeft{bounds.left, bounds.top};
    const GdiPoint bottomRight{bounds.right, bounds.bottom};
    switch (kind) {
    case KindLine:
        if (pointCount >= 2) {
            dc.MoveTo(points[0]);
            dc.LineTo(points[1]);
        } else {
            dc.MoveTo(topLeft);
            dc.LineTo(bottomRight);
            DrawEndGuides(dc, points[0], points[1], GuideHalfLength, colour);
        }
        break;
    case KindRectangle:
        dc.Rectangle(bounds);
        break;
    case KindEllipse:
        dc.Ellipse(bounds);
        break;
    case KindArrow:
        if (pointCount >= 2) {
            DrawArrow(dc, points[0], points[1]);
        } else {
            dc.MoveTo(topLeft);
            dc.LineTo(bottomRight);
            DrawEndGuides(dc, topLeft, bottomRight, GuideHalfLength, colour);
            for (const GdiPoint& tip : ArrowBarbs(topLeft, bottomRight, width)) {
                dc.MoveTo(bottomRight);
                dc.LineTo(tip);
            }
            DrawEndGuides(dc, points[0], points[1], GuideHalfLength, colour);
        }
        break;
    default:
        break;
    }

    dc.SelectPen(previousPen);
    dc.SelectBrush(previousBrush);
}
