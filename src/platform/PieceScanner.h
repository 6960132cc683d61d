#pragma once

#include "platform/PieceStroker.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <vector>

// Draws the pieces of a long polyline with the pixels Qt's raster engine
// gives them one drawPolyline call at a time, but faster: Qt's own dasher and
// stroker outline each piece once, and the outlines are scan converted as
// that engine scan converts aliased fills, in bands of rows on threads of
// their own. Scan conversion is where the time goes: the engine walks every
// edge of a piece once per 64 rows, and a dashed zigzag has hundreds of
// thousands of edges; each band of rows also dashed and flattened every
// piece again.
class PieceScanner
{
  public:
    // Draws the pieces on the target and returns true, or returns false when
    // the painter's state, the pen, the picture's format or the outline's
    // reach to the picture's edges ask for something the scan conversion
    // here does not do; the pieces it drew by then have the pixels the
    // painter gives them, so the painter may draw them all again. The
    // painter paints on the target.
    static bool Draw(const QPainter& painter, QImage& target, const QPolygonF& polygon,
                     const std::vector<PieceStroker::Piece>& pieces, int threads);
};
