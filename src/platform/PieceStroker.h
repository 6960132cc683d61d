#pragma once

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRect>

// Strokes a long polyline with the painter's pen in pieces of a few segments,
// optionally split into bands of rows drawn at the same time on threads of
// their own. Every band gives its rows the pixels one painter would give them.
class PieceStroker
{
  public:
    static constexpr qsizetype PieceSegments = 8;

    // How many bands pay for a polyline whose pen may reach the area.
    static int BandsFor(const QRect& area);

    // The painter paints on the target. More than one band needs a painter
    // without a transform, in its default composition mode and opacity;
    // otherwise one band is drawn.
    static void Stroke(QPainter& painter, QImage& target, const QPolygonF& polygon,
                       const QRect& area, int bands);

  private:
    static void StrokePieces(QPainter& painter, const QPolygonF& polygon);
};
