#pragma once

#include "draw/MeasureKind.h"
#include "platform/GdiPen.h"
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"
#include "view/AreaPixels.h"
#include "view/TouchedArea.h"

#include <QImage>
#include <vector>

class CDrawMeasure;

// A continuous line or polygon in progress, drawn into the working picture
// so that a pointer move draws again only what follows the pointer: its
// segment, guides and labels. The placed vertices and labels are drawn once
// per placed point. The pixels stay those of drawing the whole measurement
// over the snapshot: the snapshot with the placed lines is kept as a base,
// and under the placed labels also the base with the labels over it. The
// pointer's lines go under the placed labels; where they change a pixel
// there, the labels over that pixel are taken from the labels drawn over
// the line's colour alone, since drawing text changes each pixel by its
// value only.
class PolylineLayer
{
  public:
    PolylineLayer() = default;
    ~PolylineLayer();
    PolylineLayer(const PolylineLayer&) = delete;
    PolylineLayer& operator=(const PolylineLayer&) = delete;

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

    // Draws the pointer's lines and labels over the working picture, which
    // holds the base with the placed labels; sets pointer to what they touched.
    void DrawPointer(QImage& working, CDrawMeasure& measure);
    // Puts the placed labels back over the pixels of lines, which hold the
    // base with the pointer's lines.
    void LabelLines(QImage& working, CDrawMeasure& measure, TouchedArea& lines);
    // Where the pointer's lines meet the placed labels' area.
    struct Stretch
    {
        int y, left, right;
        size_t at;
    };
    // The placed labels drawn over the colour alone, within their area; the
    // working picture holds the base with the labels except on the lines.
    AreaPixels::Layer LabelsOver(QRgb colour, QImage& working, CDrawMeasure& measure,
                                 const std::vector<Stretch>& lines) const;

    bool built = false;
    Key key;
    // The snapshot with the placed lines, and where it differs from the snapshot.
    QImage base;
    TouchedArea baseLines;
    // In the working picture: the placed labels, and what follows the pointer.
    TouchedArea placedLabels;
    TouchedArea pointer;
    // Within the placed labels: the labels over the base, and over each
    // colour the pointer's lines drew there.
    AreaPixels labelled;
    AreaPixels::Layer overBase;
    struct Over
    {
        QRgb colour;
        AreaPixels::Layer pixels;
    };
    std::vector<Over> overColours;
};
