#pragma once

#include "draw/CDrawObject.h"
#include "platform/GdiPen.h"

#include <vector>

// A freehand stroke through the points the pointer visited.
class CDrawPen : public CDrawObject
{
  public:
    static constexpr int BoundsMargin = 200;

    CDrawPen() = default;

    void SetPen(ColorRef colour, int width, int style);
    // The view calls this after each point it appends.
    void RecalcBounds();
    void Draw(GdiContext& dc) override;

    std::vector<GdiPoint> points;
    GdiPen pen;
    ColorRef colour = 0;
};
