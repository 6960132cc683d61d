#include "draw/CDrawObject.h"

CDrawObject::~CDrawObject() = default;

void CDrawObject::Offset(int dx, int dy)
{
    bounds.Offset(dx, dy);
}

void CDrawObject::SetBounds(const GdiPoint& from, const GdiPoint& to)
{
    bounds = {from.x, from.y, to.x, to.y};
    bounds.Normalize();
}
