#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

class QPainter;

// A magnifier drawn over the picture view: the picture's own pixels around
// the point a click would place, enlarged so that a single picture pixel can
// be aimed at, a crosshair on that pixel, its picture coordinates and the
// live value of a measurement in progress. It reads the working picture and
// changes nothing.
class Loupe
{
  public:
    // Picture pixels shown on each side of the aimed one.
    static constexpr int Reach = 10;
    static constexpr int Cells = 2 * Reach + 1;
    // View pixels per picture pixel; the device pixel ratio scales it further.
    static constexpr int Zoom = 8;
    static constexpr int Side = Cells * Zoom;
    // Between the pointer and the nearest side of the loupe.
    static constexpr int Gap = 24;
    static constexpr int TextPixelSize = 11;
    static constexpr int LineHeight = 13;
    // Room for the coordinates and the four lines of an arc's values.
    static constexpr int MaxLines = 5;
    // What the loupe shows beyond the picture's edges.
    static constexpr QRgb Outside = qRgb(64, 64, 64);

    // The loupe's rectangle for a pointer in a view: up and to the right of
    // the pointer, flipped to the left near the right edge and below near the
    // top edge, so that it never covers the pointer.
    static QRect Placement(QPoint pointer, QSize view);

    // The cells around centre, each Zoom * dpr device pixels square, with the
    // device pixel ratio set so that it paints Side view pixels wide.
    static QImage Magnify(const QImage& picture, QPoint centre, qreal dpr);

    // The band at the bottom of the loupe that holds the given number of
    // text lines, relative to the loupe's top-left corner.
    static QRect TextBand(int lines);

    // The text lines: the aimed pixel's picture coordinates, then the values.
    static QStringList Lines(QPoint centre, const QStringList& readout);

    // Paints the whole loupe into the rectangle Placement gave.
    static void Paint(QPainter& painter, const QRect& box, const QImage& picture, QPoint centre,
                      const QStringList& readout);
};
