#pragma once

#include <QGlyphRun>
#include <QPointF>
#include <QRect>

class QPainter;

// Groups of outline glyphs kept as coverage, keyed by their font, glyphs and
// where they fall within a pixel. A label following the pointer shows the
// same digits at new places; blending their coverage there gives the pixels
// Qt's outline filling gives, at a fraction of its cost.
class GlyphStamps
{
  public:
    // As painter.drawGlyphRun(origin, group), box holding every device pixel
    // the glyphs may change. False, with nothing drawn, where the painter's
    // state is one the coverage cannot reproduce.
    static bool Draw(QPainter& painter, QPointF origin, const QGlyphRun& group, const QRect& box);
};
