#pragma once

#include "draw/MeasureKind.h"
#include "platform/GdiPen.h"
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"
#include "platform/TextStamp.h"
#include "view/TouchedArea.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class CDrawMeasure;
class GdiFont;

// A continuous line or polygon in progress, drawn into the working picture
// so that a pointer move draws again only what follows the pointer: its
// segment, guides and labels. The placed vertices and labels are drawn once
// per placed point. The pixels stay those of drawing the whole measurement
// over the snapshot: the snapshot with the placed lines is kept as a base,
// what follows the pointer is drawn over it, and the placed labels, which
// lie on top of the pointer's lines, are put back, in order, wherever the
// pointer's lines changed pixels under them.
class PolylineLayer
{
  public:
    // Continuous lines and polygons whose placed labels do not change with
    // the pointer.
    static bool Suits(const CDrawMeasure& measure);
    // Whether the placed parts drawn are those of the measurement.
    bool Holds(const CDrawMeasure& measure) const;

    // Draws the whole measurement into the working picture, which equals
    // the snapshot; adds the pixels drawn to changed.
    void Build(QImage& working, const QImage& top, CDrawMeasure& measure, TouchedArea& changed);
    // Draws what follows the pointer again; adds the pixels changed.
    void Follow(QImage& working, CDrawMeasure& measure, TouchedArea& changed);

    // The pixels of the working picture the layer drew.
    void AddDrawn(TouchedArea& area) const;
    // The working picture no longer holds the layer's drawing.
    void Clear() { built = false; }
    // Nor is the snapshot the one the base was made from.
    void Release();

  private:
    // What the placed parts are drawn from.
    struct Key
    {
        MeasureKind kind = MeasureKind::ContinuousLine;
        PolylinePhase phase = PolylinePhase::FirstVertex;
        std::vector<GdiPoint> vertices;
        std::vector<GdiPoint> labelPoints;
        GdiPen pen;
        LogFont font;
        ColorRef textColour = 0;
        int32_t unit = 0;
        double magnification = 0;
        double resolutionFactor = 0;
        double pixelSize = 0;
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(const CDrawMeasure& measure);

    struct Label
    {
        GdiPoint at;
        QString text;
        QRect area;
        // Drawn by Qt from glyph outlines, slow to draw again.
        bool outlined = false;
        // Made the first time a pointer's line passes under the label.
        std::unique_ptr<const TextStamp> stamp;
    };
    // The placed labels again, each only within the area given.
    void DrawPlacedLabels(QImage& working, const CDrawMeasure& measure, TouchedArea& within);
    const TextStamp& Stamp(Label& label, const GdiFont& font);
    // Whether the runs meet the area; the rows of each run within it are
    // added to parts when given.
    static bool Within(const std::vector<TouchedArea::Run>& runs, const QRect& area,
                       std::vector<QRect>* parts);
    bool CrossesLabels(TouchedArea& area) const;

    bool built = false;
    Key key;
    // The snapshot with the placed lines, and where it differs from the snapshot.
    QImage base;
    TouchedArea baseLines;
    // In the working picture: the placed labels, and what follows the pointer.
    TouchedArea placedLabels;
    TouchedArea pointer;
    std::vector<Label> labels;
    qsizetype stampBytes = 0;
};
