#pragma once

#include "draw/MeasureKind.h"

class CDrawMeasure;
class MeasureCanvas;

// The drawing of the continuous line and the polygon, part by part, so the
// placed vertices and labels can stay drawn while only what follows the
// pointer is drawn again. Drawing all parts is the measurement's whole
// drawing; the label texts it writes are the same either way.
class PolylineParts
{
  public:
    static void DrawContinuousLine(CDrawMeasure& measure, MeasureCanvas& canvas, int h,
                                   unsigned parts);
    static void DrawPolygon(CDrawMeasure& measure, MeasureCanvas& canvas, int h, unsigned parts);
};
