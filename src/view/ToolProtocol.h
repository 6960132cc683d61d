#pragma once

#include "draw/AnnotationStyle.h"
#include "draw/CDrawMeasure.h"
#include "draw/CDrawObject.h"
#include "draw/MeasuringScale.h"
#include "view/ToolMode.h"

#include <QSize>
#include <QString>

#include <array>
#include <memory>
#include <optional>

class CDrawPen;
class CDrawShape;
class CDrawText;

// What the view must do after an event, carried out in the order of the fields.
struct ToolEffects
{
    // The object just finished, handed over to be committed.
    std::unique_ptr<CDrawObject> finished;
    // Draw the finished object once more before committing (a text's final look);
    // otherwise the picture is committed as last drawn.
    bool drawFinished = false;
    bool commit = false;
    // Restore the picture without any object in progress.
    bool erase = false;
    // Restore the picture and draw the object in progress.
    bool redraw = false;
    // Show the picture at once rather than at the next paint.
    bool showNow = false;
    // The tool changed: the cursor follows.
    bool toolChanged = false;
    // A cancel left no tool: the owner chooses one again from its menus.
    bool chooseToolAgain = false;
    // A finished calibration line's value, to broadcast.
    std::optional<double> calibration;
};

// The mouse and keyboard protocol of every tool, in picture coordinates: it
// owns the tool, the interaction state, the object in progress and the text
// being typed, and answers each event with the effects the view carries out.
class ToolProtocol
{
  public:
    static constexpr int TextBufferSize = 1024;

    enum class Event { Press, Move, Release, DoubleClick };
    // Tools that share one way of being driven.
    enum class Family {
        None,
        Stroke,
        LineOrArrow,
        Box,
        Text,
        TwoPoint,
        Calibration,
        ThreePoint,
        FourPoint,
        Polyline
    };

    ToolProtocol();
    ~ToolProtocol();

    static Family FamilyOf(ToolMode tool);
    // Typed characters kept in a text: printable ASCII and everything from
    // U+0100 up; control codes and U+0080 to U+00FF are dropped.
    static bool AcceptsTypedCode(char32_t code)
    {
        return code >= 32 && (code <= 127 || code >= 256);
    }

    // Where widths and font heights are scaled from, and what objects are made with.
    void SetSizes(QSize picture, QSize view);
    void SetStyle(const AnnotationStyle* newStyle) { style = newStyle ? newStyle : &ownStyle; }
    void SetScale(const MeasuringScale* newScale) { scale = newScale ? newScale : &ownScale; }
    const AnnotationStyle& Style() const { return *style; }
    const MeasuringScale& Scale() const { return *scale; }

    // A new tool commits the object in progress as it was last drawn.
    ToolEffects SetTool(ToolMode tool);
    ToolEffects Press(GdiPoint p);
    ToolEffects Move(GdiPoint p);
    ToolEffects Release(GdiPoint p);
    ToolEffects DoubleClick();
    // Right button or Esc: drops the object in progress; with none, leaves no tool.
    ToolEffects Cancel();
    // Typing into a placed text: one UTF-16 code unit, Delete or Backspace, Enter.
    ToolEffects Type(char32_t code);
    ToolEffects RemoveLast();
    ToolEffects Enter();
    // Undo and redo drop the object in progress without effects.
    void Drop();

    ToolMode Tool() const { return tool; }
    InteractionState State() const { return state; }
    bool Typing() const { return state == InteractionState::StateTyping; }
    CDrawObject* Object() const { return object.get(); }
    QString TypedText() const;
    int TextLength() const { return textLength; }

  private:
    using Guard = bool (ToolProtocol::*)(GdiPoint) const;
    using Action = void (ToolProtocol::*)(GdiPoint, ToolEffects&);
    struct Transition;
    static const Transition Table[];

    ToolEffects Dispatch(Event event, GdiPoint p);

    // Guards.
    bool OutsideText(GdiPoint p) const;
    bool VertexListFull(GdiPoint) const;
    bool LabelListFull(GdiPoint) const;
    bool SecondFinalLabel(GdiPoint) const;

    // Actions.
    void StartStroke(GdiPoint p, ToolEffects&);
    void AddStrokePoint(GdiPoint p, ToolEffects&);
    void EndStroke(GdiPoint p, ToolEffects& effects);
    void StartLine(GdiPoint p, ToolEffects&);
    void FixLineEnd(GdiPoint p, ToolEffects&);
    void StartBox(GdiPoint p, ToolEffects&);
    void FollowShape(GdiPoint p, ToolEffects&);
    void EndShape(GdiPoint p, ToolEffects& effects);
    void StartText(GdiPoint p, ToolEffects& effects);
    void FinishTextAndStart(GdiPoint p, ToolEffects& effects);
    void ShowCaret(GdiPoint p, ToolEffects& effects);
    void StartTwoPoint(GdiPoint p, ToolEffects&);
    void FixSecondPoint(GdiPoint p, ToolEffects&);
    void StartMultiPoint(GdiPoint p, ToolEffects&);
    void AddPoint(GdiPoint p, ToolEffects&);
    void AddLastPoint(GdiPoint p, ToolEffects&);
    void PlaceLabel(GdiPoint p, ToolEffects&);
    void StartPolyline(GdiPoint p, ToolEffects&);
    void AddVertex(GdiPoint p, ToolEffects&);
    void PlaceSegmentLabel(GdiPoint p, ToolEffects&);
    void EndVertexList(GdiPoint, ToolEffects&);
    void EndAtVertex(GdiPoint, ToolEffects& effects);
    void PlaceFinalLabel(GdiPoint p, ToolEffects&);
    void FollowPointer(GdiPoint p, ToolEffects&);
    void EndMeasure(GdiPoint p, ToolEffects& effects);

    // Object creation with the style, widths and fonts scaled to the picture.
    int ScaleToPicture(int length) const;
    LogFont ScaledFont(const LogFont& font) const;
    CDrawShape& NewShape(int kind);
    CDrawMeasure& NewMeasure();
    void NewText();
    void Finish(ToolEffects& effects);
    void RefreshText(ToolEffects& effects);

    CDrawMeasure& Measure() const;
    CDrawShape& Shape() const;
    CDrawPen& Stroke() const;
    CDrawText& Text() const;

    ToolMode tool = ToolMode::ToolNone;
    Family family = Family::None;
    InteractionState state = InteractionState::StateIdle;
    std::unique_ptr<CDrawObject> object;
    // Picture points: the latest press, and the pointer while an object is made.
    GdiPoint anchor{0, 0};
    GdiPoint lastPoint{0, 0};
    std::array<char16_t, TextBufferSize> textBuffer{};
    int textLength = 0;

    QSize pictureSize{0, 0};
    QSize viewSize{640, 480};
    AnnotationStyle ownStyle;
    MeasuringScale ownScale;
    const AnnotationStyle* style = &ownStyle;
    const MeasuringScale* scale = &ownScale;
};
