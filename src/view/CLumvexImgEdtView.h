#pragma once

#include "view/DisplayScaler.h"
#include "view/HistoryListener.h"
#include "view/Loupe.h"
#include "view/PointAiming.h"
#include "view/ProgressPainter.h"
#include "view/Stack.h"
#include "view/ToolProtocol.h"
#include "view/TouchedArea.h"
#include "view/ViewOwner.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

struct PictureInfoRecord;
class MessageBus;

// Shows the picture being edited stretched over the whole view and feeds the
// mouse and keyboard input to the tool protocol in picture coordinates,
// carrying out what it answers. Owns the working picture and the snapshot
// history.
class CLumvexImgEdtView : public QWidget
{
    Q_OBJECT

  public:
    explicit CLumvexImgEdtView(QWidget* parent = nullptr);
    ~CLumvexImgEdtView() override;

    bool LoadPicture(const QString& path);
    void SetToolMode(ToolMode mode);
    ToolMode GetToolMode() const { return protocol.Tool(); }
    // Right button or Esc: drops the object in progress; with none, leaves no
    // tool and lets the owner choose one again.
    void CancelOperation();
    void Undo();
    void Redo();

    // Window-to-picture arithmetic with the current picture and view sizes.
    void WindowToPicture(QPoint& point) const;
    void ScaleToPicture(int& length) const;
    bool IsInsideView(QPoint point) const;
    // The sizes the mapping uses: the last picture loaded (kept when a load
    // fails) and the view, which follows resizes once a picture is loaded.
    QSize PictureSize() const { return pictureSize; }
    QSize ViewSize() const { return viewSize; }

    void RestoreWorkingPicture(bool drawObject);
    void RedrawNow();
    // The picture as the view shows it, before the overlay texts: the working
    // picture averaged down (or up) to the view's size.
    const QImage& DisplayedPicture();
    CDrawObject* CurrentObject() const { return protocol.Object(); }

    virtual std::unique_ptr<QImage> TakeSnapshot();
    void ResetHistory(std::unique_ptr<QImage> snapshot);
    // The working picture, as last drawn, becomes a new snapshot.
    // False when no snapshot could be taken: nothing changed.
    bool CommitObject();

    const QImage& WorkingPicture() const { return workingPicture; }
    const Stack& History() const { return history; }
    InteractionState State() const { return protocol.State(); }
    const ToolProtocol& Protocol() const { return protocol; }
    bool PictureLoaded() const { return pictureLoaded != 0; }

    // The style and scale new objects are made with, owned by the window and
    // the magnification model; the view's own defaults until set.
    void SetStyle(const AnnotationStyle* style) { protocol.SetStyle(style); }
    void SetScale(const MeasuringScale* scale) { protocol.SetScale(scale); }
    // The record of the picture on screen, owned by the editor window; the
    // information overlay reads it.
    void SetInfoRecord(const PictureInfoRecord* record) { infoRecord = record; }
    // The window holding the view, asked to choose a tool after a cancel.
    void SetOwner(ViewOwner* newOwner) { owner = newOwner; }
    // Where a finished calibration line is broadcast; owned by the window.
    void SetMessageBus(MessageBus* bus) { messageBus = bus; }
    // Told of each commit, undo and redo; owned by the window.
    void SetHistoryListener(HistoryListener* listener) { historyListener = listener; }

    // The mouse protocol, in view-window pixels. The Qt event handlers call
    // these; points outside the view arrive while the mouse is captured.
    void LeftButtonDown(QPoint q);
    void PointerMove(QPoint q);
    void LeftButtonUp(QPoint q);
    void LeftButtonDoubleClick(QPoint q);
    void RightButtonUp(QPoint q);

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
    QString TypedText() const { return protocol.TypedText(); }

    // Shows a load failure; a message box unless replaced (tests record it).
    std::function<void(const QString& message)> showError;

    int modificationCount = 0;

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

    QImage workingPicture;

  private:
    // Does what the protocol answered, in order; false when nothing was shown.
    bool Carry(ToolEffects effects);
    // The protocol steps at a point already in picture coordinates: the mouse
    // handlers map to it, the keyboard aims at it directly.
    void PressAt(QPoint p);
    void MoveAt(QPoint p);
    void ReleaseAt(QPoint p);
    void Redraw(const CDrawObject* object);
    void UpdateCursor();
    void SetSizes(QSize picture, QSize view);

    Stack history{Stack::MaxCapacity};
    ToolProtocol protocol;
    int pictureLoaded = 0;
    QSize pictureSize{0, 0};
    QSize viewSize{640, 480};
    const PictureInfoRecord* infoRecord = nullptr;
    ViewOwner* owner = nullptr;
    MessageBus* messageBus = nullptr;
    HistoryListener* historyListener = nullptr;
    bool arrowOutsideView = false;

    // L, and while a tool places points by clicks: the arrows move the
    // pending point, Enter or Space click there, Ctrl+Enter double-clicks.
    bool AimingKey(const QKeyEvent& event);
    void ClickAt(QPoint p, bool doubleClick);
    // Repaints where the loupe was and where it is now.
    void RepaintLoupe(const QRect& before);

    bool loupeEnabled = true;
    PointAiming aiming;

    // What the current object drew, and what the shown picture lags behind,
    // so a move costs the object's pixels rather than the picture's.
    void MarkDisplayStale(TouchedArea& area);
    const QImage* syncedTop = nullptr;
    ProgressPainter progress;
    TouchedArea staleDisplay;
    // The view pixels that lag behind, kept to reuse its buffer.
    TouchedArea viewRuns;

    // The working picture scaled to the view, rebuilt when either changes.
    DisplayScaler scaler;
    QImage displayCache;
    bool displayCacheValid = false;
};
