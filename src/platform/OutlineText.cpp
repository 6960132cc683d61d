#include "platform/OutlineText.h"

#include "platform/GlyphStamps.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace {

// Qt's own limit for cached glyphs, in pixels.
int CachedGlyphLimit()
{
    bool ok = false;
    const int limit = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE", &ok);
    return ok ? limit : 64;
}

// The box of a glyph's outline as Qt fills it, its control points included,
// relative to where the glyph is placed. The metrics' boxes are those of the
// hinted glyph, which the outline may pass.
QRectF OutlineBox(const QRawFont& font, quint32 glyph)
{
    struct Boxes
    {
        QRawFont font;
        QHash<quint32, QRectF> glyphs;
    };
    // A few label fonts at a time.
    constexpr size_t KeptFonts = 8;
    thread_local std::deque<Boxes> kept;
    auto found = std::find_if(kept.begin(), kept.end(),
                              [&](const Boxes& boxes) { return boxes.font == font; });
    if (found == kept.end()) {
        if (kept.size() == KeptFonts)
            kept.pop_front();
        kept.push_back({font, {}});
        found = kept.end() - 1;
    }
    auto box = found->glyphs.find(glyph);
    if (box == found->glyphs.end())
        box = found->glyphs.insert(glyph, font.pathForGlyph(glyph).controlPointRect());
    return *box;
}

} // namespace

bool OutlineText::Suits(const QFont& font, const QString& text)
{
    if (font.underline() || font.strikeOut() || font.overline() ||
        (font.styleStrategy() & QFont::NoAntialias))
        return false;
    // Plain text only: one font, left to right, no fallback fonts.
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return QFontInfo(font).pixelSize() >= CachedGlyphLimit() + 2;
}

void OutlineText::Draw(QPainter& painter, QPoint baseline, const QString& text)
{
    QTextLayout layout(text, painter.font(), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    if (!line.isValid())
        return;
    line.setPosition(QPointF(0, 0));
    // Glyph positions come out relative to the line's top.
    const QPointF origin(baseline.x(), baseline.y() - line.ascent());

    const bool clipped = painter.hasClipping();
    const QRectF within = clipped ? painter.clipBoundingRect() : QRectF();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QRawFont font = run.rawFont();
        qsizetype first = 0;
        while (first < glyphs.size()) {
            // A group ends where the next glyph's pixels start clear of it.
            double left = 0, right = 0, top = 0, bottom = 0;
            qsizetype last = first;
            for (; last < glyphs.size(); ++last) {
                const QRectF box = OutlineBox(font, glyphs[last]);
                const double x = origin.x() + positions[last].x();
                const double y = origin.y() + positions[last].y();
                // A pixel of room for antialiasing.
                const double boxLeft = std::floor(x + box.left()) - 1;
                const double boxRight = std::ceil(x + box.right()) + 1;
                if (last > first && boxLeft > right)
                    break;
                const double boxTop = std::floor(y + box.top()) - 1;
                const double boxBottom = std::ceil(y + box.bottom()) + 1;
                left = last == first ? boxLeft : std::min(left, boxLeft);
                right = last == first ? boxRight : std::max(right, boxRight);
                top = last == first ? boxTop : std::min(top, boxTop);
                bottom = last == first ? boxBottom : std::max(bottom, boxBottom);
            }
            if (!clipped || (right >= within.left() && left <= within.right())) {
                QGlyphRun group = run;
                group.setGlyphIndexes(glyphs.mid(first, last - first));
                group.setPositions(positions.mid(first, last - first));
                const QRect box(QPoint(int(std::max(left, -1e9)), int(std::max(top, -1e9))),
                                QPoint(int(std::min(right, 1e9)), int(std::min(bottom, 1e9))));
                if (!GlyphStamps::Draw(painter, origin, group, box))
                    painter.drawGlyphRun(origin, group);
            }
            first = last;
        }
    }
}
