#pragma once

#include "platform/GdiBrush.h"
#include "platform/GdiFont.h"
#include "platform/GdiPen.h"
#include "platform/GdiTypes.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// A drawing context on a picture with the semantics the annotation objects
// were designed for: a current position, a selected pen, brush and font, a
// text colour and background mode, all in picture pixels.
//
// Geometry is drawn aliased so that every pixel is predictable. The context
// records the rectangle of picture pixels it may have changed, so a caller
// can restore and repaint only that area.
class GdiContext
{
  public:
    enum BackgroundMode { Transparent = 1, Opaque = 2 };

    explicit GdiContext(QImage& target);
    ~GdiContext();

    GdiContext(const GdiContext&) = delete;
    GdiContext& operator=(const GdiContext&) = delete;

    QImage& Target() { return target; }
    QPainter& Painter() { return painter; }

    // Each selection returns what was selected before, to be selected again
    // when the caller is done.
    GdiPen SelectPen(const GdiPen& pen);
    GdiBrush SelectBrush(const GdiBrush& brush);
    GdiFont SelectFont(const GdiFont& font);
    const GdiPen& CurrentPen() const { return pen; }
    const GdiBrush& CurrentBrush() const { return brush; }
    const GdiFont& CurrentFont() const { return font; }

    // Setters return the previous value.
    ColorRef SetTextColor(ColorRef colour);
    ColorRef TextColor() const { return textColour; }
    ColorRef SetBkColor(ColorRef colour);
    ColorRef BkColor() const { return backgroundColour; }
    int SetBkMode(int mode);
    int BkMode() const { return backgroundMode; }

    void MoveTo(int x, int y) { position = {x, y}; }
    void MoveTo(GdiPoint p) { position = p; }
    GdiPoint CurrentPosition() const { return position; }
    // A line from the current position to the point, which becomes the
    // current position. Each call starts the dash pattern afresh.
    void LineTo(int x, int y);
    void LineTo(GdiPoint p) { LineTo(p.x, p.y); }
    // Connected lines through the points with one continuous dash pattern;
    // fewer than two points draw nothing. The current position is unchanged.
    void Polyline(const GdiPoint* points, std::size_t count);

    // Outlines with the pen, filled with the brush. The rectangle is the
    // bounding box, right and bottom edge excluded.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const GdiRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const GdiRect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }

    // A line from the current position to the circle's point at the start
    // angle, then the arc; the arc's end becomes the current position.
    // Degrees, counterclockwise on the picture for a positive sweep.
    void AngleArc(int x, int y, uint32_t radius, float startAngle, float sweepAngle);

    // The point is the top-left corner of the text.
    void TextOut(int x, int y, const QString& text);
    // Inverts the colour of every pixel inside the rectangle (right and
    // bottom edge excluded).
    void InvertRect(const GdiRect& r);

    // The height of a line of text in the selected font, in pixels.
    int TextHeight() const { return font.Height(); }
    // The description the selected font was built from.
    const LogFont& CurrentLogFont() const { return font.Log(); }

    // One logical unit is one picture pixel.
    void LPtoDP(GdiPoint* /*points*/, std::size_t /*count*/) const {}
    GdiPoint LPtoDP(GdiPoint p) const { return p; }

    // The picture pixels anything drawn since construction or the last reset
    // may have changed, within the picture; empty if nothing was drawn.
    QRect TouchedRect() const { return touched; }
    void ResetTouched()
    {
        touched = QRect();
        touchedLines.clear();
        touchedBoxes.clear();
    }

    // The same area once more, finer: every line with the distance its pen
    // may reach from it, everything else as rectangles. A diagonal guide
    // touches a few pixels of each row, where its rectangle is the picture.
    struct TouchedLine
    {
        QPointF from;
        QPointF to;
        double reach;
    };
    const std::vector<TouchedLine>& TouchedLines() const { return touchedLines; }
    const std::vector<QRect>& TouchedBoxes() const { return touchedBoxes; }

  private:
    QRect GrownArea(const QRectF& box, int reach) const;
    void Touch(const QRectF& box, int reach);
    void TouchLine(QPointF from, QPointF to, int reach);
    // The picture pixels inside a rectangle, right and bottom edge excluded.
    QRect PixelsWithin(const GdiRect& rect) const;

    QImage& target;
    QPainter painter;
    GdiPen pen = GdiPen::Solid(0, 1);
    GdiBrush brush;
    GdiFont font;
    QPen qpen;
    ColorRef textColour = 0;
    ColorRef backgroundColour = 0x00FFFFFF;
    int backgroundMode = Opaque;
    GdiPoint position;

    QRect touched;
    std::vector<TouchedLine> touchedLines;
    std::vector<QRect> touchedBoxes;
};
