#include "platform/PieceScanner.h"

#include "platform/OnThreads.h"

#include <QPaintEngine>

// Qt's dasher, stroker and curve flattener, exactly as its raster engine
// runs them: the pixels must not move.
#include <QtGui/private/qbezier_p.h>
#include <QtGui/private/qdatabuffer_p.h>
#include <QtGui/private/qstroker_p.h>

#include <algorithm>
#include <atomic>
#include <memory>

namespace {

// The raster engine flattens curves to a quarter of a pixel when nothing is
// transformed.
constexpr qreal CurveThreshold = 0.25;
// Beyond 10000 dash cycles across a piece the engine draws a faint solid
// line instead of dashes; stay well clear of that.
constexpr qreal MaximumCycles = 5000;
// Pieces outlined before they are scanned.
constexpr size_t BatchPieces = 16;
// Coordinates in 16.16 fixed point, as the scan converter counts them.
constexpr qint64 One = 65536;
constexpr int MaximumWidth = 16384;

// One edge of an outline as the scan converter walks it down the rows whose
// centres it crosses: x at its top row, the step to the next row, and +1
// when the outline runs down there, -1 when it runs up. On pictures narrower
// than MaximumWidth x and the step of an edge over several rows fit 32 bits.
struct Edge
{
    qint32 x;
    qint32 step;
    int top;
    int bottom;
    int winding;
};

// An edge while the scan converter crosses its rows, at the current row.
struct Crossing
{
    qint32 x;
    qint32 step;
    int bottom;
    int winding;
};

// What the stroker emits for a piece, and the outline's flattened points.
struct Scratch
{
    QDataBuffer<QPointF> emitted{256};
    std::vector<QPainterPath::ElementType> types;
    QDataBuffer<QPointF> flat{256};
    std::vector<int> starts;
    std::vector<Edge> unsorted;
    std::vector<int> counts;
};

void EmitMove(qfixed x, qfixed y, void* data)
{
    auto* s = static_cast<Scratch*>(data);
    s->emitted.add(QPointF(x, y));
    s->types.push_back(QPainterPath::MoveToElement);
}

void EmitLine(qfixed x, qfixed y, void* data)
{
    auto* s = static_cast<Scratch*>(data);
    s->emitted.add(QPointF(x, y));
    s->types.push_back(QPainterPath::LineToElement);
}

void EmitCubic(qfixed c1x, qfixed c1y, qfixed c2x, qfixed c2y, qfixed ex, qfixed ey, void* data)
{
    auto* s = static_cast<Scratch*>(data);
    s->emitted.add(QPointF(c1x, c1y));
    s->emitted.add(QPointF(c2x, c2y));
    s->emitted.add(QPointF(ex, ey));
    s->types.insert(s->types.end(), {QPainterPath::CurveToElement, QPainterPath::CurveToDataElement,
                                     QPainterPath::CurveToDataElement});
}

bool Qualifies(const QPainter& painter, const QPen& pen, const QImage& target,
               const QPolygonF& polygon, const std::vector<PieceStroker::Piece>& pieces)
{
    if (pen.style() == Qt::NoPen || pen.isCosmetic() || !(pen.widthF() > 0) ||
        pen.brush().style() != Qt::SolidPattern || pen.color().alpha() != 255)
        return false;
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster ||
        painter.testRenderHint(QPainter::Antialiasing) || !painter.deviceTransform().isIdentity() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0 || painter.hasClipping())
        return false;
    if (target.width() >= MaximumWidth)
        return false;
    // An opaque colour is stored as it is in these.
    if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32 &&
        target.format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    // The engine clips what reaches the picture's edges; stay clear of them.
    // Caps and round joins reach less than a width from the line, the
    // control points of their curves included; miters reach further.
    const bool mitred = pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin;
    const qreal reach = pen.widthF() * (mitred ? std::max<qreal>(1, pen.miterLimit()) : 1) + 2;
    if (!QRectF(target.rect())
             .contains(polygon.boundingRect().adjusted(-reach, -reach, reach, reach)))
        return false;
    if (pen.style() == Qt::SolidLine)
        return true;
    // The engine draws a faint solid line for dashes too small to see across
    // a piece, and nothing for a piece that goes nowhere.
    qreal cycle = 0;
    const QList<qreal> pattern = pen.dashPattern();
    for (qsizetype i = 0; i < std::min<qsizetype>(pattern.size(), 32); ++i)
        cycle += std::max<qreal>(pattern[i], 0);
    cycle *= pen.widthF();
    if (!(cycle >= 1))
        return false;
    for (const PieceStroker::Piece& piece : pieces) {
        qreal left = polygon[piece.first].x();
        qreal right = left;
        qreal top = polygon[piece.first].y();
        qreal bottom = top;
        for (qsizetype i = piece.first + 1; i <= piece.last; ++i) {
            left = std::min(left, polygon[i].x());
            right = std::max(right, polygon[i].x());
            top = std::min(top, polygon[i].y());
            bottom = std::max(bottom, polygon[i].y());
        }
        const qreal extent = std::max(right - left, bottom - top);
        if (extent <= 0 || (extent + 2 * pen.widthF()) / cycle > MaximumCycles)
            return false;
    }
    return true;
}

// Strokes a piece, dashed or not, as the raster engine strokes a polyline:
// a solid stroke of a polyline is never closed; a dash is closed when it
// ends where it began (the engine leaves that to its last solid stroke; a
// painter of its own has drawn none).
void StrokePiece(const QPen& pen, const QPolygonF& polygon, const PieceStroker::Piece& piece,
                 const QRectF& device, Scratch& s)
{
    QStroker stroker;
    stroker.setMoveToHook(EmitMove);
    stroker.setLineToHook(EmitLine);
    stroker.setCubicToHook(EmitCubic);
    stroker.setJoinStyle(pen.joinStyle());
    stroker.setCapStyle(pen.capStyle());
    stroker.setMiterLimit(pen.miterLimit());
    stroker.setStrokeWidth(pen.widthF());
    const bool solid = pen.style() == Qt::SolidLine;
    stroker.setForceOpen(solid);
    QDashStroker dasher(&stroker);
    dasher.setDashPattern(pen.dashPattern());
    dasher.setDashOffset(piece.dashOffset);
    dasher.setClipRect(device);
    QStrokerOps& ops = solid ? static_cast<QStrokerOps&>(stroker) : dasher;
    ops.setCurveThresholdFromTransform(QTransform());
    s.emitted.reset();
    s.types.clear();
    ops.begin(&s);
    ops.moveTo(polygon[piece.first].x(), polygon[piece.first].y());
    for (qsizetype i = piece.first + 1; i <= piece.last; ++i)
        ops.lineTo(polygon[i].x(), polygon[i].y());
    ops.end();
}

// Flattens the outline's curves and closes its subpaths as the engine does
// before it scan converts a fill. False when a curve ends outside the
// picture, where the engine would stand a line in for it.
bool Flatten(const QRectF& device, Scratch& s)
{
    s.flat.reset();
    s.starts.assign(1, 0);
    int start = 0;
    auto closeSubpath = [&] {
        const int n = s.flat.size();
        if (n > 0 && s.flat.at(n - 1) != s.flat.at(start)) {
            const QPointF first = s.flat.at(start);
            s.flat.add(first);
        }
    };
    const int count = int(s.types.size());
    for (int i = 0; i < count; ++i) {
        switch (s.types[i]) {
        case QPainterPath::MoveToElement:
            if (i == count - 1)
                break;
            closeSubpath();
            start = s.flat.size();
            if (start > 0)
                s.starts.push_back(start);
            s.flat.add(s.emitted.at(i));
            break;
        case QPainterPath::LineToElement:
            s.flat.add(s.emitted.at(i));
            break;
        case QPainterPath::CurveToElement:
            if (s.flat.size() > 0) {
                const QPointF end = s.emitted.at(i + 2);
                if (!device.contains(end))
                    return false;
                QBezier::fromPoints(s.flat.last(), s.emitted.at(i), s.emitted.at(i + 1), end)
                    .addToPolygon(s.flat, CurveThreshold);
            }
            i += 2;
            break;
        default:
            break;
        }
    }
    closeSubpath();
    return true;
}

// The flattened outline's edges, rounded to 26.6 fixed point and given their
// rows as the engine's aliased scan converter does, sorted by top row. False
// when an edge comes near the picture's left or right edge, where the engine
// would clip it.
bool MakeEdges(const QSize& device, Scratch& s, std::vector<Edge>& edges)
{
    edges.clear();
    const int n = s.flat.size();
    if (n < 3)
        return true; // the engine draws nothing
    auto fixed = [&](int i) {
        return QPoint(qRound(s.flat.at(i).x() * 64), qRound(s.flat.at(i).y() * 64));
    };
    const qint64 right = qint64(device.width()) * One;
    s.unsorted.clear();
    for (size_t c = 0; c < s.starts.size(); ++c) {
        const int last = (c + 1 < s.starts.size() ? s.starts[c + 1] : n) - 1;
        QPoint to = fixed(s.starts[c]);
        for (int j = s.starts[c]; j < last; ++j) {
            QPoint a = to;
            QPoint b = to = fixed(j + 1);
            int winding = 1;
            if (a.y() > b.y()) {
                std::swap(a, b);
                winding = -1;
            }
            const int top = std::max(0, (a.y() + 32) >> 6);
            const int bottom = std::min(device.height() - 1, (b.y() - 32) >> 6);
            if (top > bottom)
                continue;
            qint64 x = One / 2 + qint64(a.x()) * 1024;
            qint64 step = 0;
            if (b.x() != a.x()) {
                const qreal slope = (b.x() - a.x()) / qreal(b.y() - a.y());
                step = qint64(slope * 65536.);
                x += (step * (qint64(top) * One + One / 2 - qint64(a.y()) * 1024)) >> 16;
            }
            const qint64 end = x + step * (bottom - top);
            if (std::min(x, end) <= 0 || std::max(x, end) >= right)
                return false;
            // An edge over one row never steps, however flat it is.
            s.unsorted.push_back(
                {qint32(x), bottom > top ? qint32(step) : 0, top, bottom, winding});
        }
    }
    if (s.unsorted.empty())
        return true;
    // Sorted by top row with a count per row: pieces have thousands of edges.
    int first = s.unsorted.front().top;
    int lastTop = first;
    for (const Edge& e : s.unsorted) {
        first = std::min(first, e.top);
        lastTop = std::max(lastTop, e.top);
    }
    s.counts.assign(size_t(lastTop - first + 2), 0);
    for (const Edge& e : s.unsorted)
        ++s.counts[size_t(e.top - first + 1)];
    for (size_t i = 1; i < s.counts.size(); ++i)
        s.counts[i] += s.counts[i - 1];
    edges.resize(s.unsorted.size());
    for (const Edge& e : s.unsorted)
        edges[size_t(s.counts[size_t(e.top - first)]++)] = e;
    return true;
}

// Fills the rows top to bottom where the outline winds round, as the engine
// does: each row's spans run between its edges' crossings, rounded down.
void Scan(const std::vector<Edge>& edges, int top, int bottom, uchar* bits, qsizetype stride,
          quint32 pixel, std::vector<Crossing>& active)
{
    active.clear();
    size_t next = 0;
    for (; next < edges.size() && edges[next].top < top; ++next) {
        const Edge& e = edges[next];
        if (e.bottom >= top)
            active.push_back({e.x + e.step * (top - e.top), e.step, e.bottom, e.winding});
    }
    for (int y = top; y <= bottom; ++y) {
        for (; next < edges.size() && edges[next].top == y; ++next) {
            const Edge& e = edges[next];
            active.push_back({e.x, e.step, e.bottom, e.winding});
        }
        if (active.empty()) {
            if (next == edges.size())
                return;
            y = edges[next].top - 1;
            continue;
        }
        // Mostly in order already from the row above.
        for (size_t i = 1; i < active.size(); ++i) {
            const Crossing c = active[i];
            size_t j = i;
            for (; j > 0 && c.x < active[j - 1].x; --j)
                active[j] = active[j - 1];
            active[j] = c;
        }
        auto* row = reinterpret_cast<quint32*>(bits + y * stride);
        int from = 0;
        int winding = 0;
        size_t kept = 0;
        for (const Crossing& c : active) {
            const int at = int(c.x >> 16);
            if (winding != 0 && at > from)
                std::fill(row + from, row + at, pixel);
            from = at;
            winding += c.winding;
            if (c.bottom > y)
                active[kept++] = {c.x + c.step, c.step, c.bottom, c.winding};
        }
        active.resize(kept);
    }
}

// The pixel an opaque brush leaves in a picture of the format.
quint32 PixelOf(const QBrush& brush, QImage::Format format)
{
    QImage probe(1, 1, format);
    probe.fill(0);
    QPainter painter(&probe);
    painter.fillRect(0, 0, 1, 1, brush);
    painter.end();
    return *reinterpret_cast<const quint32*>(probe.constBits());
}

} // namespace

bool PieceScanner::Draw(const QPainter& painter, QImage& target, const QPolygonF& polygon,
                        const std::vector<PieceStroker::Piece>& pieces, int threads)
{
    const QPen pen = painter.pen();
    if (!Qualifies(painter, pen, target, polygon, pieces))
        return false;
    threads = std::max(threads, 1);
    const QRectF device(target.rect());
    const quint32 pixel = PixelOf(pen.brush(), target.format());
    // Here, not on the threads: a shared picture detaches once.
    uchar* const bits = target.bits();
    // A few pieces at a time, so their edges stay in the cache between
    // outlining and scanning.
    std::vector<std::vector<Edge>> edges(std::min(BatchPieces, pieces.size()));
    const std::unique_ptr<Scratch[]> scratch(new Scratch[size_t(threads)]);
    std::vector<std::vector<Crossing>> active(static_cast<size_t>(threads));
    for (size_t from = 0; from < pieces.size(); from += BatchPieces) {
        const size_t count = std::min(BatchPieces, pieces.size() - from);
        std::atomic<bool> refused = false;
        OnThreads(threads, [&](int t) {
            Scratch& s = scratch[size_t(t)];
            for (size_t i = size_t(t); i < count && !refused; i += size_t(threads)) {
                StrokePiece(pen, polygon, pieces[from + i], device, s);
                if (!Flatten(device, s) || !MakeEdges(target.size(), s, edges[i]))
                    refused = true;
            }
        });
        // Pieces drawn so far hold the painter's own pixels, which it may draw
        // again.
        if (refused)
            return false;
        // The rows the batch's edges cross, in a band per thread.
        int top = target.height();
        int bottom = -1;
        for (size_t i = 0; i < count; ++i) {
            for (const Edge& e : edges[i]) {
                top = std::min(top, e.top);
                bottom = std::max(bottom, e.bottom);
            }
        }
        const qint64 height = qint64(bottom) - top + 1;
        OnThreads(threads, [&](int t) {
            const int first = top + int(height * t / threads);
            const int last = top + int(height * (t + 1) / threads) - 1;
            for (size_t i = 0; i < count; ++i)
                Scan(edges[i], first, last, bits, target.bytesPerLine(), pixel, active[size_t(t)]);
        });
    }
    return true;
}
