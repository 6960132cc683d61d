#pragma once

#include "draw/CDrawObject.h"
#include "platform/GdiBrush.h"
#include "platform/GdiPen.h"

#include <array>

// A straight line, arrow, rectangle or ellipse.
class CDrawShape : public CDrawObject
{
  public:
    static constexpr int KindLine = 1;
    static constexpr int KindRectangle = 2;
    static constexpr int KindEllipse = 3;
    static constexpr int KindArrow = 5;
    static constexpr int MaxPoints = 1024;
    static constexpr int GuideHalfLength = 10000;

    // Line and arrow keep the rectangle's direction: its first corner is the
    // start, its second the end.
    static bool KeepsDirection(int kind) { return kind == KindLine || kind == KindArrow; }

    CDrawShape(int kind, const GdiRect& initial);

    void SetPen(ColorRef colour, int width, int style);
    void SetBounds(const GdiPoint& from, const GdiPoint& to) override;
    void Draw(GdiContext& dc) override;

    int32_t kind = 0;
    // Line and arrow: 0 the start, 1 the end.
    std::array<GdiPoint, MaxPoints> points{};
    // Line and arrow: 1 while the end follows the pointer, 2 once fixed.
    uint32_t pointCount = 0;
    GdiPen pen;
    GdiBrush brush = GdiBrush::Hollow();
    ColorRef colour = 0;

  private:
    void DrawArrow(GdiContext& dc, GdiPoint tail, GdiPoint head);
};
