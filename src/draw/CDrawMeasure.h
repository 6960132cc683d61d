#pragma once

#include "draw/CDrawObject.h"
#include "draw/MeasureGeometry.h"
#include "draw/MeasureKind.h"
#include "platform/GdiBrush.h"
#include "platform/GdiFont.h"
#include "platform/GdiPen.h"
#include "platform/LogFont.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class MeasureCanvas;

// A label as drawn: its top-left corner and its text.
struct MeasureLabel
{
    GdiPoint at;
    QString text;
    bool operator==(const MeasureLabel&) const = default;
};

// The object behind every measuring tool and the calibration line. The tool
// protocol fills the point lists, indices and phase; Draw turns them into the
// construction, guides and labels, with values in the chosen unit.
class CDrawMeasure : public CDrawObject
{
  public:
    static constexpr int Capacity = 1024;
    // Slots 1 to LastSlot of the point and label lists hold vertices and labels.
    static constexpr uint32_t LastSlot = Capacity - 1;

    CDrawMeasure(MeasureKind kind, const GdiRect& initial);

    void SetPen(ColorRef colour, int width, int style);
    void SetFont(const LogFont& font, ColorRef textColour);
    // Never normalised: from is the latest press, to the pointer point.
    void SetBounds(const GdiPoint& from, const GdiPoint& to) override;
    void Draw(GdiContext& dc) override;
    // Only some parts of a continuous line or polygon (MeasurePart); other
    // kinds draw whole.
    void DrawParts(GdiContext& dc, unsigned parts);
    // The scale of the labels, from the fields the view set.
    MeasureGeometry::Scale LabelScale() const;

    // The drawing itself, once pen, brush and font are selected; lineHeight
    // is the selected font's height (negative for the label fonts).
    void DrawOn(MeasureCanvas& canvas, int lineHeight, unsigned parts = AllParts);

    // The labels the next Draw writes, in drawing order, with lines of
    // lineHeight (as the font gives it, negative for label fonts).
    std::vector<MeasureLabel> Labels(int lineHeight, unsigned parts = AllParts);
    // The geometric points placed so far, in placing order: two-point kinds
    // use slots 0 and 1 (the pointer while the end follows it), the others
    // slots 1 and up.
    std::vector<GdiPoint> PlacedPoints() const;

    GdiPoint PointerPoint() const { return {bounds.right, bounds.bottom}; }
    // A two-point kind's end: the pointer until the end is placed.
    GdiPoint SecondPoint() const { return allPointsPlaced ? points[1] : PointerPoint(); }
    // Slots 1..n of the point and label lists that are in use, within capacity.
    uint32_t VertexCount() const;
    uint32_t LabelCount() const;

    double magnification = 0;
    double resolutionFactor = 1.0;
    std::array<GdiPoint, Capacity> points{};
    std::array<GdiPoint, Capacity> labelPoints{};
    std::array<QString, Capacity> labelTexts;
    uint32_t pointIndex = 0;
    double result = 0;
    int32_t angleConstraint = 0;
    int32_t unit = 0;
    uint32_t labelIndex = 0;
    // The last geometric point is fixed; only the label follows the pointer.
    bool allPointsPlaced = false;
    ColorRef colour = 0;
    PolylinePhase phase = PolylinePhase::FirstVertex;
    MeasureKind kind = MeasureKind::Calibration;
    ColorRef textColour = 0;
    GdiFont font;
    GdiPen pen;
    GdiBrush brush = GdiBrush::Hollow();

  private:
    friend class PolylineParts;

    void DrawCalibration(MeasureCanvas& canvas);
    void DrawStraightLine(MeasureCanvas& canvas);
    void DrawRadiusCircle(MeasureCanvas& canvas, int h);
    void DrawDiameterCircle(MeasureCanvas& canvas, int h);
    void DrawThreePointCircle(MeasureCanvas& canvas, int h);
    void DrawThreePointArc(MeasureCanvas& canvas, int h);
    void DrawThreePointAngle(MeasureCanvas& canvas, int h);
    void DrawFourPointAngle(MeasureCanvas& canvas, int h);

    void LongGuides(MeasureCanvas& canvas, GdiPoint a, GdiPoint b) const;
    void Ticks(MeasureCanvas& canvas, GdiPoint a, GdiPoint b) const;
    // s(x): a length in millimetres at magnification 1, in the unit.
    double ToUnit(double millimetres) const;
    QString UnitText(const char* format, double value) const;
};
