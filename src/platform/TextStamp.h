#pragma once

#include "platform/GdiTypes.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

class GdiFont;

// A text as GdiContext::TextOut draws it in the transparent background mode,
// kept as the coverage of each pixel: it can be put over the picture again,
// in part, with the pixels TextOut would give there, without drawing the
// glyphs again. For text Qt draws from glyph outlines (OutlineText::Suits).
class TextStamp
{
  public:
    // The coverage is taken by drawing the text, top-left corner at `at`, on
    // canvas, a picture of the size the text goes on (Qt's outline filling
    // is not the same under every shift), whose pixels are put back after.
    // area holds every pixel TextOut may change (GdiContext::TextArea).
    TextStamp(QImage& canvas, const GdiFont& font, QPoint at, const QString& text,
              const QRect& area);

    qsizetype SizeInBytes() const { return coverage.sizeInBytes(); }
    // Blends the text in the colour over the picture's pixels inside parts.
    void Blend(QImage& picture, ColorRef colour, const std::vector<QRect>& parts) const;
    // The coverage of white text drawn on black on the 32-bit canvas, within rect.
    static QImage CoverageOf(const QImage& canvas, const QRect& rect);
    // Blends ink over the picture's pixels inside part by the coverage
    // (8-bit), its top-left pixel at `at`.
    static void BlendCoverage(QImage& picture, QRgb ink, const QImage& coverage, QPoint at,
                              const QRect& part);

  private:
    // The columns of one row of box with coverage; none when left > right.
    struct Span
    {
        int left = 0;
        int right = -1;
    };
    QRect box;
    QImage coverage;
    std::vector<Span> spans;
};
