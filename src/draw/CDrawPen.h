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
    // The segments ending at points first to the last. Each segment restarts
    // the dash pattern, so drawing a grown stroke's new segments over its
    // earlier drawing gives the same pixels as drawing it whole.
    void DrawFrom(GdiContext& dc, size_t first) const;

    std::vector<GdiPoint> points;
    GdiPen pen;
    ColorRef colour = 0;
};
