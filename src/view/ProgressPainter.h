#pragma once

#include "platform/GdiPen.h"
#include "platform/GdiTypes.h"
#include "view/PolylineLayer.h"
#include "view/TouchedArea.h"

#include <QImage>

#include <vector>

class CDrawObject;
class CDrawPen;

// Keeps the object in progress drawn into the working picture, which is the
// top snapshot plus that object. Each redraw puts back from the snapshot only
// what the object drew before, and tells which pixels changed. A growing
// freehand stroke draws only its new segments; a continuous line or polygon
// keeps its placed vertices and labels and draws what follows the pointer.
class ProgressPainter
{
  public:
    // The working picture equals the snapshot again (a copy, or a commit).
    void Forget();
    // Draws the object, or with none only puts the snapshot back; the
    // working picture is the top snapshot plus what was drawn last. Returns
    // the picture pixels that changed.
    TouchedArea& Draw(QImage& working, const QImage& top, CDrawObject* object);

  private:
    // Draws only the points added since the stroke was last drawn; false
    // when the stroke is not the last one drawn, grown.
    bool Grow(QImage& working, const CDrawPen& stroke);
    void Restore(QImage& working, const QImage& top);

    // Where the working picture differs from the snapshot, besides the layer.
    TouchedArea drawn;
    size_t mergedRuns = 0;
    TouchedArea changed;
    // The stroke as drawn so far, and its pen.
    std::vector<GdiPoint> strokePoints;
    GdiPen strokePen;
    PolylineLayer layer;
};
