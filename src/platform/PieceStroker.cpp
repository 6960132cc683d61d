#include "platform/PieceStroker.h"

#include "platform/OnThreads.h"
#include "platform/PieceScanner.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace {
// Below this many rows a band costs more to start than it saves.
constexpr int MinimumBandRows = 256;
constexpr int MaximumBands = 4;
} // namespace

int PieceStroker::BandsFor(const QRect& area)
{
    const int cores = int(std::thread::hardware_concurrency());
    return std::clamp(std::min(cores, area.height() / MinimumBandRows), 1, MaximumBands);
}

void PieceStroker::Stroke(QPainter& painter, QImage& target, const QPolygonF& polygon,
                          const QRect& area, int bands)
{
    const std::vector<Piece> pieces = Pieces(painter.pen(), polygon);
    if (PieceScanner::Draw(painter, target, polygon, pieces, bands))
        return;
    if (bands <= 1 || area.isEmpty() || !painter.worldTransform().isIdentity() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0) {
        StrokePieces(painter, polygon, pieces);
        return;
    }
    // The clip limits the rows the scan converter visits and leaves the
    // pixels of every row as they are, so bands of rows neither overlap nor
    // differ from one painter's result.
    const bool clipped = painter.hasClipping();
    const QRegion clip = clipped ? painter.clipRegion() : QRegion();
    const QPen pen = painter.pen();
    auto clipToBand = [&](QPainter& p, int i) {
        const int top = area.top() + int(qint64(area.height()) * i / bands);
        const int bottom = area.top() + int(qint64(area.height()) * (i + 1) / bands);
        const QRect rows(area.left(), top, area.width(), bottom - top);
        // Only a clip rectangle spares the scan converter the other rows.
        if (clipped)
            p.setClipRegion(clip & rows);
        else
            p.setClipRect(rows);
    };
    uchar* const pixels = target.bits();
    auto drawBand = [&](int i) {
        // A painter of its own on the same pixels, which may stay busy with
        // other rows meanwhile.
        QImage rows(pixels, target.width(), target.height(), target.bytesPerLine(),
                    target.format());
        QPainter own(&rows);
        own.setRenderHint(QPainter::Antialiasing, false);
        own.setPen(pen);
        clipToBand(own, i);
        StrokePieces(own, polygon, pieces);
    };
    OnThreads(bands, [&](int i) {
        if (i > 0) {
            drawBand(i);
            return;
        }
        painter.save();
        clipToBand(painter, 0);
        StrokePieces(painter, polygon, pieces);
        painter.restore();
    });
}

std::vector<PieceStroker::Piece> PieceStroker::Pieces(const QPen& pen, const QPolygonF& polygon)
{
    const qsizetype segments = polygon.size() - 1;
    qreal cycle = 0;
    if (pen.style() == Qt::CustomDashLine)
        for (qreal d : pen.dashPattern())
            cycle += d;
    std::vector<Piece> pieces;
    qreal travelled = 0; // in pen widths, as the dash pattern counts
    for (qsizetype first = 0; first < segments; first += PieceSegments) {
        const qsizetype last = std::min(first + PieceSegments, segments);
        pieces.push_back({first, std::min(last + 1, segments),
                          cycle > 0 ? std::fmod(travelled, cycle) : pen.dashOffset()});
        for (qsizetype i = first; i < last; ++i)
            travelled += QLineF(polygon[i], polygon[i + 1]).length() / pen.widthF();
    }
    return pieces;
}

void PieceStroker::StrokePieces(QPainter& painter, const QPolygonF& polygon,
                                const std::vector<Piece>& pieces)
{
    const QPen pen = painter.pen();
    QPen piecePen = pen;
    for (const Piece& piece : pieces) {
        if (piece.dashOffset != piecePen.dashOffset()) {
            piecePen.setDashOffset(piece.dashOffset);
            painter.setPen(piecePen);
        }
        painter.drawPolyline(polygon.constData() + piece.first, int(piece.last - piece.first + 1));
    }
    painter.setPen(pen);
}
