#pragma once

#include "draw/CDrawObject.h"
#include "platform/LogFont.h"
#include "view/DisplayScaler.h"
#include "view/Loupe.h"
#include "view/Stack.h"
#include "view/ToolMode.h"
#include "view/TouchedArea.h"
#include "view/ViewOwner.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

struct PictureInfoRecord;
class GdiContext;
class MessageBus;
class CDrawMeasure;
class CDrawPen;
class CDrawShape;
class CDrawText;

// Shows the picture being edited stretched over the whole view and takes the
// mouse and keyboard input of the tools. Owns the working picture, the
// snapshot history and the object being made.
class CLumvexImgEdtView : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int TextBufferSize = 1024;
    // Slots 1 to 1023 of a measurement's point and label lists hold vertices
    // and label points.
    static constexpr uint32_t LastPointSlot = 1023;
    // Marks a measurement whose geometric points are all placed.
    static constexpr uint32_t AllPointsPlaced = 0x80000000u;

    explicit CLumvexImgEdtView(QWidget* parent = nullptr);
    ~CLumvexImgEdtView() override;

    bool LoadPicture(const QString& path);
    // Pictures up to 65536 pixels on a side and 256 megapixels load; larger
    // ones are refused like undecodable ones.
    static bool IsLoadableSize(QSize size);
    void SetToolMode(int mode);
    int GetToolMode() const { return toolMode; }
    // Right button or Esc: drops the object in progress; with none, leaves no
    // tool and lets the owner choose one again.
    void CancelOperation();
    void Undo();
    void Redo();

    // Window-to-picture arithmetic with the current picture and view sizes.
    void WindowToPicture(QPoint& point) const;
    void ScaleToPicture(int& length) const;
    bool IsInsideView(QPoint point) const;

    void RestoreWorkingPicture(bool drawObject);
    void RedrawNow();
    // The picture as the view shows it, before the overlay texts: the working
    // picture averaged down (or up) to the view's size.
    const QImage& DisplayedPicture();
    void SetCurrentObject(CDrawObject* object);
    CDrawObject* CurrentObject() const { return currentObject.get(); }

    virtual std::unique_ptr<QImage> TakeSnapshot();
    void ResetHistory(std::unique_ptr<QImage> snapshot);
    void CommitObject();

    const QImage& WorkingPicture() const { return workingPicture; }
    const Stack& History() const { return history; }
    int InteractionStateValue() const { return interactionState; }
    bool PictureLoaded() const { return pictureLoaded != 0; }

    // The record of the picture on screen, owned by the editor window; the
    // information overlay reads it.
    void SetInfoRecord(const PictureInfoRecord* record) { infoRecord = record; }

    // The window holding the view, asked to choose a tool after a cancel.
    void SetOwner(ViewOwner* newOwner) { owner = newOwner; }
    // Where a finished calibration line is broadcast; owned by the window.
    void SetMessageBus(MessageBus* bus) { messageBus = bus; }

    // The mouse protocol, in view-window pixels. The Qt event handlers call
    // these; points outside the view arrive while the mouse is captured.
    void LeftButtonDown(QPoint q);
    void PointerMove(QPoint q);
    void LeftButtonUp(QPoint q);
    void LeftButtonDoubleClick(QPoint q);
    void RightButtonUp(QPoint q);

    // The same protocol steps at a point already in picture coordinates: the
    // mouse handlers map to it, the keyboard aims at it directly.
    void PressAt(QPoint p);
    void MoveAt(QPoint p);
    void ReleaseAt(QPoint p);

    // The magnifier over the view while a drawing or measuring tool is chosen.
    void SetLoupeEnabled(bool enabled);
    bool LoupeEnabled() const { return loupeEnabled; }
    bool LoupeShown() const;
    // Where the loupe sits in the view; empty while it is not shown.
    QRect LoupeBox() const;
    // The picture point the next click (or Enter) places: the pointer's mapped
    // position, moved by the arrow keys since the pointer last moved.
    QPoint PendingPoint() const;

  signals:
    // The user switched the loupe on or off with L.
    void LoupeToggled(bool enabled);

  public:
    // Text typing while a text is placed: one UTF-16 code unit typed, a
    // Delete or Backspace, and Enter.
    void TypeCodeUnit(char32_t code);
    void TypeRemoveLast();
    void TypeEnter();
    int TextLength() const { return textLength; }
    QString TypedText() const;

    // The magnification a new measurement divides by: the calibrated one when
    // in use; a calibration line falls back to 50 when it is not above 1.
    static double CreationMagnification(int tool, double picture, double adjusted, int useAdjusted);
    // Typed characters kept in a text: printable ASCII and everything from
    // U+0100 up; control codes and U+0080 to U+00FF are dropped.
    static bool AcceptsTypedCode(char32_t code)
    {
        return code >= 32 && (code <= 127 || code >= 256);
    }

    // Shows a load failure; a message box unless replaced (tests record it).
    std::function<void(const QString& message)> showError;

    // The two texts of the information overlay for a record.
    static QString OverlayResolutionText(const PictureInfoRecord& record);
    static QString OverlayTimeText(const PictureInfoRecord& record);

    // Settings written by the editor window.
    ColorRef drawColor = 0;
    ColorRef measureColor = 0;
    LogFont textFont = LogFont::DefaultTextFont();
    int drawWidth = 1;
    int measureWidth = 1;
    int drawPenStyle = 0;
    int measurePenStyle = 0;
    LogFont labelFont = LogFont::DefaultTextFont();
    ColorRef labelColor = 0;
    ColorRef textColor = 0;
    double pictureMagnification = 50.0;
    double adjustedMagnification = 0.0;
    int useAdjustedMagnification = 0;
    int unit = 0;
    int modificationCount = 0;
    std::array<char16_t, TextBufferSize> textBuffer{};
    int textLength = 0;
    double resolutionFactor = 1.0;
    QSize pictureSize{0, 0};
    double pixelSize = 0.355;
    QSize viewSize{640, 480};
    QPoint lastPoint{0, 0};
    QPoint anchorPoint{0, 0};

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

    void UpdateCursor();

    QImage workingPicture;
    Stack history{Stack::MaxCapacity};
    std::unique_ptr<CDrawObject> currentObject;
    int toolMode = ToolNone;
    int interactionState = StateIdle;
    int pictureLoaded = 0;
    const PictureInfoRecord* infoRecord = nullptr;

  private:
    // Creation of the object a press starts, with the view's current settings.
    int DrawWidth() const;
    int MeasureWidth() const;
    LogFont ScaledFont(const LogFont& font) const;
    CDrawShape* StartShape(int kind);
    CDrawMeasure* StartMeasure(int kind);
    void StartText();

    void PressDrawingTool(GdiPoint p);
    void PressTwoPointMeasure(GdiPoint p);
    void PressMultiPointMeasure(GdiPoint p);
    void PressPolyline(GdiPoint p);
    void PressCalibration(GdiPoint p);
    // Ends the vertex list of a continuous line or polygon: the final labels follow.
    void EndVertexList(CDrawMeasure& measure);
    // After every typed key: the text shows what the buffer holds.
    void RefreshTypedText();

    // L, and while a tool places points by clicks: the arrows move the
    // pending point, Enter or Space click there, Ctrl+Enter double-clicks.
    bool AimingKey(const QKeyEvent& event);
    void Nudge(QPoint step);
    void ClickAt(QPoint p, bool doubleClick);
    // Repaints where the loupe was and is, unless the whole view was repainted.
    void RepaintLoupe(const QRect& before);

    CDrawMeasure* CurrentMeasure() const;
    CDrawShape* CurrentShape() const;
    CDrawPen* CurrentStroke() const;
    CDrawText* CurrentText() const;

    ViewOwner* owner = nullptr;
    MessageBus* messageBus = nullptr;
    bool arrowOutsideView = false;

    bool loupeEnabled = true;
    // The pointer in view pixels while it is over the view.
    bool pointerInView = false;
    QPoint pointer;
    QPoint nudge;

    // What the current object drew, and what the shown picture lags behind,
    // so a move costs the object's pixels rather than the picture's.
    static void RecordTouched(const GdiContext& dc, TouchedArea& area);
    void MarkDisplayStale(TouchedArea& area);
    const QImage* syncedTop = nullptr;
    TouchedArea drawnArea;
    TouchedArea staleDisplay;

    // The working picture scaled to the view, rebuilt when either changes.
    DisplayScaler scaler;
    QImage displayCache;
    bool displayCacheValid = false;
};
