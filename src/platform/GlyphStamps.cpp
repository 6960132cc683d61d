#include "platform/GlyphStamps.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <bit>
#include <cmath>
#include <deque>

namespace {

// Everything the coverage of a group depends on, positions relative to the
// pixel the group starts in.
struct Key
{
    QList<quint32> glyphs;
    QList<QPointF> positions;
    QPointF origin;
    QRect box;
    QPoint binade;
    double pixelSize = 0;
    int weight = 0;
    int hinting = 0;
    int hints = 0;
    QString family;
    QString style;

    bool operator==(const Key&) const = default;
};

struct Stamp
{
    Key key;
    QImage coverage;
};

// Qt's product of a colour byte and an 8-bit coverage, rounded as its solid
// fills round it.
inline uint32_t ByteMul(uint32_t x, uint32_t a)
{
    const uint32_t t = x * a;
    return (t + (t >> 8) + 0x80) >> 8;
}

// Blends ink over the pixels by their coverage, as Qt fills outlines.
void BlendRow(QRgb* out, const uchar* c, int count, QRgb ink)
{
    const uint32_t red = qRed(ink), green = qGreen(ink), blue = qBlue(ink);
    for (const uchar* end = c + count; c != end; ++c, ++out) {
        const uint32_t a = *c;
        if (a == 0)
            continue;
        if (a == 255) {
            *out = ink;
            continue;
        }
        const uint32_t b = 255 - a;
        *out = qRgb(int(ByteMul(red, a) + ByteMul(uint32_t(qRed(*out)), b)),
                    int(ByteMul(green, a) + ByteMul(uint32_t(qGreen(*out)), b)),
                    int(ByteMul(blue, a) + ByteMul(uint32_t(qBlue(*out)), b)));
    }
}

// Enough for the digits and units of a few labels at several offsets.
constexpr qsizetype CapacityBytes = 16 << 20;

bool Reproducible(QPainter& painter, const QRect& box)
{
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return false;
    const auto* image = static_cast<const QImage*>(device);
    if (image->format() != QImage::Format_RGB32 || !image->rect().contains(box))
        return false;
    if (painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0 || painter.transform().type() != QTransform::TxNone ||
        painter.pen().style() != Qt::SolidLine ||
        painter.pen().brush().style() != Qt::SolidPattern || painter.pen().color().alpha() != 255)
        return false;
    if (painter.hasClipping()) {
        const QRegion clip = painter.clipRegion();
        if (clip.rectCount() != 1 || !clip.boundingRect().contains(box))
            return false;
    }
    return true;
}

// The group drawn white on black where box is the whole picture; null when
// ink reaches the edge, so the box may not hold all of it.
QImage Coverage(const QPainter& painter, QPointF origin, const QGlyphRun& group, const QRect& box)
{
    QImage canvas(box.size(), QImage::Format_RGB32);
    if (canvas.isNull())
        return {};
    canvas.fill(QRgb(0xFF000000));
    {
        QPainter p(&canvas);
        p.setRenderHints(painter.renderHints());
        p.setPen(Qt::white);
        p.translate(-box.left(), -box.top());
        p.drawGlyphRun(origin, group);
    }
    // The channels are equal, each the coverage (Qt's own conversion to grey
    // is far slower).
    QImage coverage(canvas.size(), QImage::Format_Grayscale8);
    if (coverage.isNull())
        return {};
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        std::transform(row, row + canvas.width(), coverage.scanLine(y),
                       [](QRgb pixel) { return uchar(qBlue(pixel)); });
    }
    const int w = coverage.width(), h = coverage.height();
    for (int y = 0; y < h; ++y) {
        const uchar* row = coverage.constScanLine(y);
        if (row[0] || row[w - 1] ||
            ((y == 0 || y == h - 1) && std::any_of(row, row + w, [](uchar c) { return c != 0; })))
            return {};
    }
    return coverage;
}

// The power of two at or below v, for v >= 1.
int Binade(int v)
{
    return std::bit_floor(unsigned(v));
}

} // namespace

bool GlyphStamps::Draw(QPainter& painter, QPointF origin, const QGlyphRun& group, const QRect& box)
{
    // Qt computes outline points in floating point, rounding them on the grid
    // of the coordinates' binary magnitude: a shift by whole pixels gives the
    // same pixels only where every point stays within the same power of two.
    if (group.glyphIndexes().isEmpty() || box.width() < 3 || box.height() < 3 || box.left() < 1 ||
        box.top() < 1 || Binade(box.left()) != Binade(box.right() + 1) ||
        Binade(box.top()) != Binade(box.bottom() + 1) || !Reproducible(painter, box))
        return false;
    const QPointF start = origin + group.positions().first();
    const QPoint anchor(int(std::floor(start.x())), int(std::floor(start.y())));
    const QRawFont font = group.rawFont();
    Key key{group.glyphIndexes(),
            group.positions(),
            origin - QPointF(anchor),
            box.translated(-anchor),
            QPoint(Binade(box.left()), Binade(box.top())),
            font.pixelSize(),
            font.weight(),
            int(font.hintingPreference()),
            int(painter.renderHints()),
            font.familyName(),
            font.styleName()};

    thread_local std::deque<Stamp> stamps;
    auto found = std::find_if(stamps.begin(), stamps.end(),
                              [&](const Stamp& stamp) { return stamp.key == key; });
    if (found == stamps.end()) {
        QImage coverage = Coverage(painter, origin, group, box);
        if (coverage.isNull())
            return false;
        thread_local qsizetype bytes = 0;
        bytes += coverage.sizeInBytes();
        while (!stamps.empty() && bytes > CapacityBytes) {
            bytes -= stamps.front().coverage.sizeInBytes();
            stamps.pop_front();
        }
        stamps.push_back({std::move(key), std::move(coverage)});
        found = stamps.end() - 1;
    }
    // Reproducible: the box lies within the picture.
    auto* picture = static_cast<QImage*>(painter.device());
    const QRgb ink = painter.pen().color().rgb();
    for (int y = 0; y < box.height(); ++y)
        BlendRow(reinterpret_cast<QRgb*>(picture->scanLine(box.top() + y)) + box.left(),
                 found->coverage.constScanLine(y), box.width(), ink);
    return true;
}
