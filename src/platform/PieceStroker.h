#pragma once

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRect>

#include <vector>

// Strokes a long polyline with the painter's pen in pieces of a few segments,
// optionally split into bands of rows drawn at the same time on threads of
// their own. Every band gives its rows the pixels one painter would give them.
class PieceStroker
{
  public:
    static constexpr qsizetype PieceSegments = 8;

    // Vertices first to last, drawn by one stroke whose dashes start at the
    // offset.
    struct Piece
    {
        qsizetype first;
        qsizetype last;
        qreal dashOffset;
    };

    // How many bands pay for a polyline whose pen may reach the area.
    static int BandsFor(const QRect& area);

    // The painter paints on the target. PieceScanner draws the pieces where
    // it can, on as many threads as bands; otherwise the painter does, and
    // more than one band needs a painter without a transform, in its default
    // composition mode and opacity, or one band is drawn.
    static void Stroke(QPainter& painter, QImage& target, const QPolygonF& polygon,
                       const QRect& area, int bands);

    // The scan converter's cost grows with the square of the edges crossing a
    // row, and a zigzag crosses every row with all of them. Pieces of a few
    // segments keep that small. Each piece also draws the first segment of
    // the next, so the join between them is drawn as one stroke draws it, and
    // starts its dashes where the last one left them.
    static std::vector<Piece> Pieces(const QPen& pen, const QPolygonF& polygon);

  private:
    static void StrokePieces(QPainter& painter, const QPolygonF& polygon,
                             const std::vector<Piece>& pieces);
};
