#include "view/ToolProtocol.h"

#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "view/ViewMapping.h"

namespace {

using State = InteractionState;
using Family = ToolProtocol::Family;
using Event = ToolProtocol::Event;

// Table wildcards: a row for any state, and a row that keeps the state.
constexpr State Any = State(-1);
constexpr State Same = State(-2);

constexpr unsigned Bit(Family family)
{
    return 1u << unsigned(family);
}

constexpr unsigned Shapes = Bit(Family::LineOrArrow) | Bit(Family::Box);
constexpr unsigned Measuring = Bit(Family::TwoPoint) | Bit(Family::Calibration) |
                               Bit(Family::ThreePoint) | Bit(Family::FourPoint) |
                               Bit(Family::Polyline);

MeasureKind MeasureKindOf(ToolMode tool)
{
    switch (tool) {
    case ToolMode::ToolThreePointAngle:
        return MeasureKind::ThreePointAngle;
    case ToolMode::ToolThreePointCircle:
        return MeasureKind::ThreePointCircle;
    case ToolMode::ToolThreePointArc:
        return MeasureKind::ThreePointArc;
    case ToolMode::ToolFourPointAngle:
        return MeasureKind::FourPointAngle;
    case ToolMode::ToolContinuousLine:
        return MeasureKind::ContinuousLine;
    case ToolMode::ToolPolygon:
        return MeasureKind::Polygon;
    case ToolMode::ToolRadiusCircle:
        return MeasureKind::RadiusCircle;
    case ToolMode::ToolDiameterCircle:
        return MeasureKind::DiameterCircle;
    case ToolMode::ToolCalibration:
        return MeasureKind::Calibration;
    default:
        return MeasureKind::StraightLine;
    }
}

int AngleConstraint(ToolMode tool)
{
    switch (tool) {
    case ToolMode::ToolStraightAngleLine:
        return 90;
    case ToolMode::ToolFortyFiveLine:
        return 45;
    default:
        return 0;
    }
}

} // namespace

struct ToolProtocol::Transition
{
    unsigned families;
    InteractionState state;
    Event event;
    Guard guard;
    Action action;
    InteractionState next;
};

// The whole protocol: the first row matching the tool's family, the state and
// the event (and whose guard holds) runs its action and sets the next state.
// Every press then redraws; every move while an object is made redraws and
// shows at once.
// clang-format off
const ToolProtocol::Transition ToolProtocol::Table[] = {
    // Freehand: the stroke follows the held button.
    {Bit(Family::Stroke), Any, Event::Press, nullptr, &ToolProtocol::StartStroke, State::StateStroke},
    {Bit(Family::Stroke), State::StateStroke, Event::Move, nullptr, &ToolProtocol::AddStrokePoint, Same},
    {Bit(Family::Stroke), State::StateStroke, Event::Release, nullptr, &ToolProtocol::EndStroke, State::StateIdle},
    // Line and arrow: click the start, then drag or click the end.
    {Bit(Family::LineOrArrow), State::StateIdle, Event::Press, nullptr, &ToolProtocol::StartLine, State::StateShapeStarted},
    {Bit(Family::LineOrArrow), Any, Event::Press, nullptr, &ToolProtocol::FixLineEnd, State::StateDragging},
    // Rectangle and ellipse: drag.
    {Bit(Family::Box), Any, Event::Press, nullptr, &ToolProtocol::StartBox, State::StateDragging},
    {Shapes, Any, Event::Move, nullptr, &ToolProtocol::FollowShape, Same},
    {Shapes, State::StateDragging, Event::Release, nullptr, &ToolProtocol::EndShape, State::StateIdle},
    // Text: a press places it (finishing the one typed before, unless inside its box).
    {Bit(Family::Text), State::StateTyping, Event::Press, &ToolProtocol::OutsideText, &ToolProtocol::FinishTextAndStart, State::StateTyping},
    {Bit(Family::Text), Any, Event::Press, nullptr, &ToolProtocol::StartText, State::StateTyping},
    {Bit(Family::Text), State::StateTyping, Event::Release, nullptr, &ToolProtocol::ShowCaret, Same},
    // Lines and circles by two points, then the label.
    {Bit(Family::TwoPoint), State::StateIdle, Event::Press, nullptr, &ToolProtocol::StartTwoPoint, State::StateFirstOfTwo},
    {Bit(Family::TwoPoint), State::StateFirstOfTwo, Event::Press, nullptr, &ToolProtocol::FixSecondPoint, State::StatePlacingLabel},
    {Bit(Family::TwoPoint), Any, Event::Press, nullptr, &ToolProtocol::PlaceLabel, State::StateComplete},
    // Calibration: the start, then the end (its value is broadcast on release).
    {Bit(Family::Calibration), State::StateIdle, Event::Press, nullptr, &ToolProtocol::StartTwoPoint, State::StateFirstOfTwo},
    {Bit(Family::Calibration), Any, Event::Press, nullptr, nullptr, State::StateComplete},
    // Three-point circle, arc and angle.
    {Bit(Family::ThreePoint), State::StateIdle, Event::Press, nullptr, &ToolProtocol::StartMultiPoint, State::StateOnePointPlaced},
    {Bit(Family::ThreePoint), State::StateOnePointPlaced, Event::Press, nullptr, &ToolProtocol::AddPoint, State::StateTwoPointsPlaced},
    {Bit(Family::ThreePoint), State::StateTwoPointsPlaced, Event::Press, nullptr, &ToolProtocol::AddLastPoint, State::StatePlacingLabel},
    {Bit(Family::ThreePoint), Any, Event::Press, nullptr, &ToolProtocol::PlaceLabel, State::StateComplete},
    // The angle between two lines.
    {Bit(Family::FourPoint), State::StateIdle, Event::Press, nullptr, &ToolProtocol::StartMultiPoint, State::StateOnePointPlaced},
    {Bit(Family::FourPoint), State::StateOnePointPlaced, Event::Press, nullptr, &ToolProtocol::AddPoint, State::StateTwoPointsPlaced},
    {Bit(Family::FourPoint), State::StateTwoPointsPlaced, Event::Press, nullptr, &ToolProtocol::AddPoint, State::StateThreePointsPlaced},
    {Bit(Family::FourPoint), State::StateThreePointsPlaced, Event::Press, nullptr, &ToolProtocol::AddLastPoint, State::StatePlacingLabel},
    {Bit(Family::FourPoint), Any, Event::Press, nullptr, &ToolProtocol::PlaceLabel, State::StateComplete},
    // Continuous line and polygon: vertex, its segment's label, vertex, ...; a
    // double click (or a full list) ends the vertices, two final labels follow.
    {Bit(Family::Polyline), State::StateIdle, Event::Press, nullptr, &ToolProtocol::StartPolyline, State::StatePolylineVertex},
    {Bit(Family::Polyline), State::StatePolylineVertex, Event::Press, &ToolProtocol::VertexListFull, &ToolProtocol::EndVertexList, State::StatePlacingLabel},
    {Bit(Family::Polyline), State::StatePolylineVertex, Event::Press, nullptr, &ToolProtocol::AddVertex, State::StatePolylineLabel},
    {Bit(Family::Polyline), State::StatePolylineLabel, Event::Press, &ToolProtocol::LabelListFull, &ToolProtocol::EndVertexList, State::StatePlacingLabel},
    {Bit(Family::Polyline), State::StatePolylineLabel, Event::Press, nullptr, &ToolProtocol::PlaceSegmentLabel, State::StatePolylineVertex},
    {Bit(Family::Polyline), State::StatePlacingLabel, Event::Press, &ToolProtocol::SecondFinalLabel, &ToolProtocol::PlaceFinalLabel, State::StateComplete},
    {Bit(Family::Polyline), State::StatePlacingLabel, Event::Press, nullptr, &ToolProtocol::PlaceFinalLabel, Same},
    {Bit(Family::Polyline), State::StatePolylineVertex, Event::DoubleClick, nullptr, &ToolProtocol::EndAtVertex, State::StatePlacingLabel},
    {Bit(Family::Polyline), State::StatePolylineLabel, Event::DoubleClick, nullptr, &ToolProtocol::EndVertexList, State::StatePlacingLabel},
    // Every measurement: the pointer moves its free point or label; the
    // release after the last press commits.
    {Measuring, Any, Event::Move, nullptr, &ToolProtocol::FollowPointer, Same},
    {Measuring, State::StateComplete, Event::Release, nullptr, &ToolProtocol::EndMeasure, State::StateIdle},
    // No tool: a press only resets.
    {Bit(Family::None), Any, Event::Press, nullptr, nullptr, State::StateIdle},
};
// clang-format on

ToolProtocol::ToolProtocol() = default;
ToolProtocol::~ToolProtocol() = default;

ToolProtocol::Family ToolProtocol::FamilyOf(ToolMode tool)
{
    switch (tool) {
    case ToolMode::ToolFreehand:
        return Family::Stroke;
    case ToolMode::ToolLine:
    case ToolMode::ToolArrow:
        return Family::LineOrArrow;
    case ToolMode::ToolRectangle:
    case ToolMode::ToolEllipse:
        return Family::Box;
    case ToolMode::ToolText:
        return Family::Text;
    case ToolMode::ToolAnyAngleLine:
    case ToolMode::ToolStraightAngleLine:
    case ToolMode::ToolFortyFiveLine:
    case ToolMode::ToolRadiusCircle:
    case ToolMode::ToolDiameterCircle:
        return Family::TwoPoint;
    case ToolMode::ToolCalibration:
        return Family::Calibration;
    case ToolMode::ToolThreePointCircle:
    case ToolMode::ToolThreePointArc:
    case ToolMode::ToolThreePointAngle:
        return Family::ThreePoint;
    case ToolMode::ToolFourPointAngle:
        return Family::FourPoint;
    case ToolMode::ToolContinuousLine:
    case ToolMode::ToolPolygon:
        return Family::Polyline;
    default:
        return Family::None;
    }
}

void ToolProtocol::SetSizes(QSize picture, QSize view)
{
    pictureSize = picture;
    viewSize = view;
}

ToolEffects ToolProtocol::Dispatch(Event event, GdiPoint p)
{
    ToolEffects effects;
    for (const Transition& row : Table) {
        if (!(row.families & Bit(family)) || row.event != event ||
            (row.state != Any && row.state != state))
            continue;
        if (row.guard && !(this->*row.guard)(p))
            continue;
        if (row.action)
            (this->*row.action)(p, effects);
        if (row.next != Same)
            state = row.next;
        break;
    }
    return effects;
}

ToolEffects ToolProtocol::SetTool(ToolMode newTool)
{
    tool = newTool;
    family = FamilyOf(newTool);
    state = State::StateIdle;
    ToolEffects effects;
    effects.toolChanged = true;
    if (object) {
        effects.showNow = true;
        Finish(effects);
    }
    return effects;
}

ToolEffects ToolProtocol::Press(GdiPoint p)
{
    ToolEffects effects = Dispatch(Event::Press, p);
    anchor = lastPoint = p;
    effects.redraw = true;
    return effects;
}

ToolEffects ToolProtocol::Move(GdiPoint p)
{
    if (state == State::StateIdle)
        return {};
    ToolEffects effects = Dispatch(Event::Move, p);
    effects.redraw = true;
    effects.showNow = true;
    lastPoint = p;
    return effects;
}

ToolEffects ToolProtocol::Release(GdiPoint p)
{
    return Dispatch(Event::Release, p);
}

ToolEffects ToolProtocol::DoubleClick()
{
    return Dispatch(Event::DoubleClick, lastPoint);
}

ToolEffects ToolProtocol::Cancel()
{
    ToolEffects effects;
    if (state == State::StateIdle) {
        tool = ToolMode::ToolNone;
        family = Family::None;
        effects.toolChanged = true;
    }
    Drop();
    effects.erase = true;
    effects.chooseToolAgain = tool == ToolMode::ToolNone;
    return effects;
}

void ToolProtocol::Drop()
{
    state = State::StateIdle;
    object.reset();
}

// ---------------------------------------------------------------------------
// Typing

QString ToolProtocol::TypedText() const
{
    return QString::fromUtf16(textBuffer.data(), textLength);
}

ToolEffects ToolProtocol::Type(char32_t code)
{
    ToolEffects effects;
    if (!Typing())
        return effects;
    // One unit stays free for the terminating zero.
    if (AcceptsTypedCode(code) && textLength < TextBufferSize - 1)
        textBuffer[size_t(textLength++)] = char16_t(code & 0xFFFF);
    RefreshText(effects);
    return effects;
}

ToolEffects ToolProtocol::RemoveLast()
{
    ToolEffects effects;
    if (!Typing())
        return effects;
    if (textLength > 0)
        --textLength;
    textBuffer[size_t(textLength)] = 0;
    RefreshText(effects);
    return effects;
}

ToolEffects ToolProtocol::Enter()
{
    ToolEffects effects;
    if (!Typing())
        return effects;
    Text().SetText(TypedText());
    Text().finished = 1;
    effects.drawFinished = true;
    Finish(effects);
    state = State::StateIdle;
    effects.showNow = true;
    return effects;
}

void ToolProtocol::RefreshText(ToolEffects& effects)
{
    Text().SetText(TypedText());
    effects.redraw = true;
    effects.showNow = true;
}

// ---------------------------------------------------------------------------
// Guards

bool ToolProtocol::OutsideText(GdiPoint p) const
{
    return !Text().bounds.Contains(p);
}

bool ToolProtocol::VertexListFull(GdiPoint) const
{
    return Measure().pointIndex + 1 > CDrawMeasure::LastSlot;
}

bool ToolProtocol::LabelListFull(GdiPoint) const
{
    // Two final labels must still fit once the vertex list ends.
    return Measure().labelIndex + 1 > CDrawMeasure::LastSlot - 2;
}

bool ToolProtocol::SecondFinalLabel(GdiPoint) const
{
    return Measure().phase == PolylinePhase::FirstFinalPlaced;
}

// ---------------------------------------------------------------------------
// Actions

void ToolProtocol::StartStroke(GdiPoint p, ToolEffects&)
{
    auto stroke = std::make_unique<CDrawPen>();
    stroke->SetPen(style->drawColor, ScaleToPicture(2 * style->drawWidth), style->drawPenStyle);
    stroke->points.push_back(p);
    object = std::move(stroke);
}

void ToolProtocol::AddStrokePoint(GdiPoint p, ToolEffects&)
{
    Stroke().points.push_back(p);
    Stroke().RecalcBounds();
}

void ToolProtocol::EndStroke(GdiPoint p, ToolEffects& effects)
{
    // The stored point is in picture pixels, the limit in view pixels.
    if (ViewMapping::IsInsideView(lastPoint.ToQPoint(), viewSize))
        Stroke().points.push_back(p);
    Stroke().RecalcBounds();
    Finish(effects);
}

void ToolProtocol::StartLine(GdiPoint p, ToolEffects&)
{
    CDrawShape& shape =
        NewShape(tool == ToolMode::ToolLine ? CDrawShape::KindLine : CDrawShape::KindArrow);
    shape.points[0] = p;
    shape.pointCount = 1;
}

void ToolProtocol::FixLineEnd(GdiPoint p, ToolEffects&)
{
    Shape().pointCount = 2;
    Shape().points[1] = p;
}

void ToolProtocol::StartBox(GdiPoint, ToolEffects&)
{
    NewShape(tool == ToolMode::ToolRectangle ? CDrawShape::KindRectangle : CDrawShape::KindEllipse);
}

void ToolProtocol::FollowShape(GdiPoint p, ToolEffects&)
{
    Shape().points[1] = p;
    Shape().SetBounds(anchor, p);
}

void ToolProtocol::EndShape(GdiPoint p, ToolEffects& effects)
{
    Shape().SetBounds(anchor, p);
    Finish(effects);
}

void ToolProtocol::StartText(GdiPoint, ToolEffects& effects)
{
    NewText();
    effects.showNow = true;
}

void ToolProtocol::FinishTextAndStart(GdiPoint p, ToolEffects& effects)
{
    Text().finished = 1;
    effects.drawFinished = true;
    Finish(effects);
    StartText(p, effects);
}

void ToolProtocol::ShowCaret(GdiPoint, ToolEffects& effects)
{
    // The caret box shows at once, not only with the first key.
    const int h = ScaleToPicture(style->textFont.height);
    Text().SetBounds(anchor, GdiPoint{anchor.x + h / 3, anchor.y + h});
    effects.redraw = true;
}

void ToolProtocol::StartTwoPoint(GdiPoint p, ToolEffects&)
{
    CDrawMeasure& measure = NewMeasure();
    measure.pointIndex = 1;
    measure.points[0] = p;
}

void ToolProtocol::FixSecondPoint(GdiPoint p, ToolEffects&)
{
    Measure().points[1] = p;
    Measure().pointIndex = 2;
    Measure().allPointsPlaced = true;
}

void ToolProtocol::StartMultiPoint(GdiPoint p, ToolEffects&)
{
    CDrawMeasure& measure = NewMeasure();
    measure.pointIndex = 1;
    measure.points[1] = p;
}

void ToolProtocol::AddPoint(GdiPoint p, ToolEffects&)
{
    CDrawMeasure& measure = Measure();
    measure.points[++measure.pointIndex] = p;
}

void ToolProtocol::AddLastPoint(GdiPoint p, ToolEffects& effects)
{
    AddPoint(p, effects);
    Measure().allPointsPlaced = true;
}

void ToolProtocol::PlaceLabel(GdiPoint p, ToolEffects&)
{
    // The label's slot follows the geometric points; pressing again moves it.
    const uint32_t slot = family == Family::TwoPoint ? 2 : family == Family::ThreePoint ? 4 : 5;
    Measure().pointIndex = slot;
    Measure().points[slot] = p;
}

void ToolProtocol::StartPolyline(GdiPoint p, ToolEffects& effects)
{
    StartMultiPoint(p, effects);
    Measure().phase = PolylinePhase::FirstVertex;
}

void ToolProtocol::AddVertex(GdiPoint p, ToolEffects& effects)
{
    AddPoint(p, effects);
    Measure().phase = PolylinePhase::SegmentFixed;
}

void ToolProtocol::PlaceSegmentLabel(GdiPoint p, ToolEffects&)
{
    CDrawMeasure& measure = Measure();
    measure.labelPoints[++measure.labelIndex] = p;
    measure.phase = PolylinePhase::LabelPlaced;
}

void ToolProtocol::EndVertexList(GdiPoint, ToolEffects&)
{
    Measure().phase = PolylinePhase::ListEnded;
}

void ToolProtocol::EndAtVertex(GdiPoint p, ToolEffects& effects)
{
    // The first click of the double click placed a label; it goes again.
    CDrawMeasure& measure = Measure();
    if (measure.phase == PolylinePhase::LabelPlaced && measure.labelIndex > 0)
        --measure.labelIndex;
    EndVertexList(p, effects);
    effects.showNow = true;
}

void ToolProtocol::PlaceFinalLabel(GdiPoint p, ToolEffects&)
{
    CDrawMeasure& measure = Measure();
    measure.labelPoints[++measure.labelIndex] = p;
    measure.phase = measure.phase == PolylinePhase::FirstFinalPlaced
                        ? PolylinePhase::Done
                        : PolylinePhase::FirstFinalPlaced;
}

void ToolProtocol::FollowPointer(GdiPoint p, ToolEffects&)
{
    Measure().SetBounds(anchor, p);
}

void ToolProtocol::EndMeasure(GdiPoint p, ToolEffects& effects)
{
    CDrawMeasure& measure = Measure();
    // A calibration line's value is the line as last drawn, before the release
    // moves its end; working out its labels sets it even if nothing drew it.
    if (family == Family::Calibration) {
        measure.Labels(measure.font.Log().height);
        effects.calibration = measure.result;
    }
    if (family != Family::Polyline)
        measure.points[measure.pointIndex] = p;
    measure.SetBounds(anchor, p);
    Finish(effects);
}

// ---------------------------------------------------------------------------
// Objects

int ToolProtocol::ScaleToPicture(int length) const
{
    return ViewMapping::ScaleToPicture(length, pictureSize, viewSize);
}

LogFont ToolProtocol::ScaledFont(const LogFont& font) const
{
    LogFont scaled = font;
    scaled.height = ScaleToPicture(scaled.height);
    return scaled;
}

CDrawShape& ToolProtocol::NewShape(int kind)
{
    auto shape = std::make_unique<CDrawShape>(kind, GdiRect{});
    shape->SetPen(style->drawColor, ScaleToPicture(2 * style->drawWidth), style->drawPenStyle);
    object = std::move(shape);
    return Shape();
}

CDrawMeasure& ToolProtocol::NewMeasure()
{
    const MeasureKind kind = MeasureKindOf(tool);
    auto measure = std::make_unique<CDrawMeasure>(kind, GdiRect{});
    measure->SetPen(style->measureColor, ScaleToPicture(2 * style->measureWidth),
                    style->measurePenStyle);
    measure->SetFont(ScaledFont(style->labelFont), style->labelColor);
    measure->unit = style->unit;
    measure->magnification = scale->CreationMagnification(kind == MeasureKind::Calibration);
    measure->resolutionFactor = scale->resolutionFactor;
    measure->pixelSize = scale->pixelSize;
    measure->angleConstraint = AngleConstraint(tool);
    object = std::move(measure);
    return Measure();
}

void ToolProtocol::NewText()
{
    textBuffer.fill(0);
    textLength = 0;
    auto text = std::make_unique<CDrawText>();
    text->SetFont(ScaledFont(style->textFont), style->textColor);
    object = std::move(text);
}

void ToolProtocol::Finish(ToolEffects& effects)
{
    effects.finished = std::move(object);
    effects.commit = true;
}

CDrawMeasure& ToolProtocol::Measure() const
{
    return static_cast<CDrawMeasure&>(*object);
}

CDrawShape& ToolProtocol::Shape() const
{
    return static_cast<CDrawShape&>(*object);
}

CDrawPen& ToolProtocol::Stroke() const
{
    return static_cast<CDrawPen&>(*object);
}

CDrawText& ToolProtocol::Text() const
{
    return static_cast<CDrawText&>(*object);
}
