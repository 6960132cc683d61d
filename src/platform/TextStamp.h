#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// Text kept as the coverage of each pixel, taken from white text drawn on
// black, and put over a picture again with the pixels Qt's solid fills give
// for that coverage, without drawing the glyphs again. For text Qt draws from
// glyph outlines (OutlineText::Suits).
class TextStamp
{
  public:
    // The coverage of white text drawn on black on the 32-bit canvas, within rect.
    static QImage CoverageOf(const QImage& canvas, const QRect& rect);
    // Blends ink over the picture's pixels inside part by the coverage
    // (8-bit), its top-left pixel at `at`.
    static void BlendCoverage(QImage& picture, QRgb ink, const QImage& coverage, QPoint at,
                              const QRect& part);
};
