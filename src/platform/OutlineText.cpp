#include "platform/OutlineText.h"

#include "platform/GlyphStamps.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
#include <vector>

namespace {

// Qt's own limit for cached glyphs, in pixels.
int CachedGlyphLimit()
{
    bool ok = false;
    const int limit = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE", &ok);
    return ok ? limit : 64;
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
        // Room for outlines beyond the reported boxes and for antialiasing.
        const double margin = 2 + font.pixelSize() / 32;
        qsizetype first = 0;
        while (first < glyphs.size()) {
            // A group ends where the next glyph's pixels start clear of it.
            double left = 0, right = 0, top = 0, bottom = 0;
            qsizetype last = first;
            for (; last < glyphs.size(); ++last) {
                const QRectF box = font.boundingRect(glyphs[last]);
                const double x = origin.x() + positions[last].x();
                const double y = origin.y() + positions[last].y();
                const double boxLeft = std::floor(x + box.left() - margin);
                const double boxRight = std::ceil(x + box.right() + margin);
                if (last > first && boxLeft > right)
                    break;
                const double boxTop = std::floor(y + box.top() - margin);
                const double boxBottom = std::ceil(y + box.bottom() + margin);
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
