#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

// Text in fonts too large for Qt's glyph cache, which Qt fills from the glyph
// outlines as one shape: the cost of that grows with the square of the edges
// crossing a row, about half a millisecond for a label on the largest
// pictures. Drawn in groups of glyphs whose pixels no other group reaches,
// the pixels are the same, and a group wholly outside the painter's clip can
// be left out. Groups drawn before are blended from their kept coverage
// where that gives the same pixels (GlyphStamps).
class OutlineText
{
  public:
    // Whether Qt would draw the text from outlines and drawing it here gives
    // the same pixels; otherwise QPainter::drawText is the way.
    static bool Suits(const QFont& font, const QString& text);
    // As QPainter::drawText(baseline, text) with the painter's font and pen.
    static void Draw(QPainter& painter, QPoint baseline, const QString& text);
};
