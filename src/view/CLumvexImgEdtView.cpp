#include "view/CLumvexImgEdtView.h"

#include "draw/MeasureReadout.h"
#include "magnification/PictureInfoRecord.h"
#include "platform/GdiContext.h"
#include "platform/MessageBus.h"
#include "view/InfoOverlay.h"
#include "view/PictureLoader.h"
#include "view/ToolCursors.h"
#include "view/ViewMapping.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QtMath>

#include <cmath>

namespace {

GdiPoint ToGdi(QPoint p)
{
    return {p.x(), p.y()};
}

// Window points of a mouse event; Qt gives fractions only on scaled screens.
QPoint EventPoint(const QMouseEvent* event)
{
    return {qFloor(event->position().x()), qFloor(event->position().y())};
}

// Tools that place their points by clicks, so a key can place one as well.
bool PlacesPointsByClicks(ToolMode tool)
{
    using Family = ToolProtocol::Family;
    switch (ToolProtocol::FamilyOf(tool)) {
    case Family::LineOrArrow:
    case Family::TwoPoint:
    case Family::Calibration:
    case Family::ThreePoint:
    case Family::FourPoint:
    case Family::Polyline:
        return true;
    default:
        return false;
    }
}

bool ShowsLoupe(ToolMode tool)
{
    const ToolProtocol::Family family = ToolProtocol::FamilyOf(tool);
    return PlacesPointsByClicks(tool) || family == ToolProtocol::Family::Box ||
           family == ToolProtocol::Family::Stroke;
}

} // namespace

CLumvexImgEdtView::CLumvexImgEdtView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled);
    resize(viewSize);
    showError = [this](const QString& message) {
        QMessageBox::critical(this, QString(), message, QMessageBox::Ok);
    };
    UpdateCursor();
}

CLumvexImgEdtView::~CLumvexImgEdtView() = default;

bool CLumvexImgEdtView::LoadPicture(const QString& path)
{
    workingPicture = QImage();
    displayCacheValid = false;
    QString failure;
    workingPicture = PictureLoader::Load(path, failure);
    if (workingPicture.isNull()) {
        showError(failure);
        return false;
    }

    SetSizes(workingPicture.size(), size());
    ResetHistory(TakeSnapshot());
    update();
    pictureLoaded = 1;
    return true;
}

void CLumvexImgEdtView::SetToolMode(ToolMode mode)
{
    Carry(protocol.SetTool(mode));
    update(LoupeBox());
}

void CLumvexImgEdtView::SetSizes(QSize picture, QSize view)
{
    pictureSize = picture;
    viewSize = view;
    protocol.SetSizes(picture, view);
}

void CLumvexImgEdtView::WindowToPicture(QPoint& point) const
{
    point = ViewMapping::WindowToPicture(point, pictureSize, viewSize);
}

void CLumvexImgEdtView::ScaleToPicture(int& length) const
{
    length = ViewMapping::ScaleToPicture(length, pictureSize, viewSize);
}

bool CLumvexImgEdtView::IsInsideView(QPoint point) const
{
    return ViewMapping::IsInsideView(point, viewSize);
}

void CLumvexImgEdtView::RestoreWorkingPicture(bool drawObject)
{
    Redraw(drawObject ? protocol.Object() : nullptr);
}

// The working picture from the top snapshot, with object drawn into it.
void CLumvexImgEdtView::Redraw(const CDrawObject* object)
{
    const QImage* top = history.Top();
    if (workingPicture.isNull() || !top)
        return;
    const bool sameShape =
        top->size() == workingPicture.size() && top->format() == workingPicture.format();
    if (top != syncedTop || !sameShape) {
        if (sameShape)
            std::memcpy(workingPicture.bits(), top->constBits(), size_t(top->sizeInBytes()));
        else
            workingPicture = top->convertToFormat(QImage::Format_RGB32);
        syncedTop = top;
        displayCacheValid = false;
        progress.Forget();
    }
    MarkDisplayStale(progress.Draw(workingPicture, *top, const_cast<CDrawObject*>(object)));
}

void CLumvexImgEdtView::MarkDisplayStale(TouchedArea& area)
{
    if (!displayCacheValid)
        return;
    staleDisplay.SetLimits(workingPicture.rect());
    staleDisplay.Add(area);
    // Without paints in between (a hidden view) a full rebuild is cheaper.
    if (staleDisplay.RunCount() > size_t(8 * std::max(1, workingPicture.height()))) {
        staleDisplay.Clear();
        displayCacheValid = false;
    }
}

const QImage& CLumvexImgEdtView::DisplayedPicture()
{
    if (workingPicture.isNull()) {
        displayCache = QImage();
        return displayCache;
    }
    if (!displayCacheValid || displayCache.size() != size() ||
        scaler.PictureSize() != workingPicture.size() || scaler.ViewSize() != size()) {
        scaler = DisplayScaler(workingPicture.size(), size());
        displayCache = scaler.ScaleAll(workingPicture);
        staleDisplay.Clear();
        displayCacheValid = !displayCache.isNull();
        return displayCache;
    }
    if (staleDisplay.IsEmpty())
        return displayCache;
    viewRuns.Clear();
    viewRuns.SetLimits(QRect(QPoint(0, 0), size()));
    for (const TouchedArea::Run& run : staleDisplay.Runs()) {
        const int left = scaler.FirstViewColumn(run.left);
        const int right = scaler.LastViewColumn(run.right);
        for (int y = scaler.FirstViewRow(run.y); y <= scaler.LastViewRow(run.y); ++y)
            viewRuns.AddRow(y, left, right);
    }
    scaler.ScaleRuns(workingPicture, displayCache, viewRuns.Runs());
    staleDisplay.Clear();
    return displayCache;
}

void CLumvexImgEdtView::RedrawNow()
{
    repaint();
}

std::unique_ptr<QImage> CLumvexImgEdtView::TakeSnapshot()
{
    if (workingPicture.isNull())
        return nullptr;
    auto snapshot = std::make_unique<QImage>(workingPicture.copy());
    if (snapshot->isNull())
        return nullptr;
    return snapshot;
}

void CLumvexImgEdtView::ResetHistory(std::unique_ptr<QImage> snapshot)
{
    history.Clear();
    history.Push(std::move(snapshot));
    syncedTop = history.Top();
    progress.Forget();
    displayCacheValid = false;
    modificationCount = 0;
}

bool CLumvexImgEdtView::CommitObject()
{
    auto snapshot = TakeSnapshot();
    if (!snapshot)
        return false;
    history.Push(std::move(snapshot));
    // The working picture is the new snapshot, object included.
    syncedTop = history.Top();
    progress.Forget();
    ++modificationCount;
    return true;
}

void CLumvexImgEdtView::Undo()
{
    if (!history.CanUndo())
        return;
    protocol.Drop();
    history.Undo();
    RestoreWorkingPicture(false);
    update();
    --modificationCount;
    if (historyListener)
        historyListener->Undone();
}

void CLumvexImgEdtView::Redo()
{
    if (!history.CanRedo())
        return;
    protocol.Drop();
    history.Redo();
    RestoreWorkingPicture(false);
    update();
    ++modificationCount;
    if (historyListener)
        historyListener->Redone();
}

void CLumvexImgEdtView::paintEvent(QPaintEvent*)
{
    if (workingPicture.isNull())
        return;
    const QImage& shown = DisplayedPicture();
    QPainter painter(this);
    painter.drawImage(0, 0, shown);

    InfoOverlay::Paint(painter, infoRecord ? *infoRecord : PictureInfoRecord{}, height());

    if (LoupeShown()) {
        auto* measure = dynamic_cast<CDrawMeasure*>(protocol.Object());
        Loupe::Paint(painter, LoupeBox(), workingPicture, PendingPoint(),
                     measure ? MeasureReadout::Lines(*measure) : QStringList());
    }
}

void CLumvexImgEdtView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (pictureLoaded)
        SetSizes(pictureSize, event->size());
    displayCacheValid = false;
}

void CLumvexImgEdtView::UpdateCursor()
{
    setCursor(ToolCursors::ForTool(protocol.Tool()));
}

// ---------------------------------------------------------------------------
// Events, forwarded to the tool protocol in picture coordinates

bool CLumvexImgEdtView::Carry(ToolEffects effects)
{
    if (effects.finished && effects.drawFinished)
        Redraw(effects.finished.get());
    if (effects.commit && CommitObject() && historyListener)
        historyListener->Committed(effects.finished.get());
    effects.finished.reset();
    if (effects.erase)
        Redraw(nullptr);
    if (effects.redraw)
        Redraw(protocol.Object());
    if (effects.calibration && messageBus)
        messageBus->PostAdjustMagnification(*effects.calibration);
    if (effects.toolChanged)
        UpdateCursor();
    if (effects.showNow)
        RedrawNow();
    if (effects.chooseToolAgain && owner) {
        owner->SelectDrawingTool();
        owner->SelectMeasuringTool();
    }
    return effects.showNow;
}

void CLumvexImgEdtView::LeftButtonDown(QPoint q)
{
    // The capture itself is Qt's: a widget keeps the mouse while a button is held.
    if (!IsInsideView(q))
        return;
    WindowToPicture(q);
    PressAt(q);
}

void CLumvexImgEdtView::PressAt(QPoint p)
{
    Carry(protocol.Press(ToGdi(p)));
}

void CLumvexImgEdtView::PointerMove(QPoint q)
{
    if (!IsInsideView(q)) {
        if (!arrowOutsideView) {
            setCursor(Qt::ArrowCursor);
            arrowOutsideView = true;
        }
        const QRect loupeBefore = LoupeBox();
        aiming.Leave();
        RepaintLoupe(loupeBefore);
        return;
    }
    if (arrowOutsideView) {
        arrowOutsideView = false;
        UpdateCursor();
    }
    const QRect loupeBefore = LoupeBox();
    // While the mouse is captured, points left of or above the view still count
    // for the protocol, not for the loupe.
    aiming.PointerAt(q, rect().contains(q));
    if (!Carry(protocol.Move(ToGdi(PendingPoint()))))
        RepaintLoupe(loupeBefore);
}

void CLumvexImgEdtView::MoveAt(QPoint p)
{
    Carry(protocol.Move(ToGdi(p)));
}

void CLumvexImgEdtView::LeftButtonUp(QPoint q)
{
    WindowToPicture(q);
    ReleaseAt(q);
}

void CLumvexImgEdtView::ReleaseAt(QPoint p)
{
    Carry(protocol.Release(ToGdi(p)));
    update();
}

void CLumvexImgEdtView::LeftButtonDoubleClick(QPoint)
{
    Carry(protocol.DoubleClick());
}

void CLumvexImgEdtView::RightButtonUp(QPoint)
{
    CancelOperation();
}

void CLumvexImgEdtView::CancelOperation()
{
    Carry(protocol.Cancel());
    update();
}

void CLumvexImgEdtView::TypeCodeUnit(char32_t code)
{
    Carry(protocol.Type(code));
}

void CLumvexImgEdtView::TypeRemoveLast()
{
    Carry(protocol.RemoveLast());
}

void CLumvexImgEdtView::TypeEnter()
{
    Carry(protocol.Enter());
}

void CLumvexImgEdtView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        LeftButtonDown(EventPoint(event));
}

void CLumvexImgEdtView::mouseMoveEvent(QMouseEvent* event)
{
    PointerMove(EventPoint(event));
}

void CLumvexImgEdtView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        LeftButtonUp(EventPoint(event));
    else if (event->button() == Qt::RightButton)
        RightButtonUp(EventPoint(event));
}

void CLumvexImgEdtView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Replaces the second press of a quick double click; it places nothing.
    if (event->button() == Qt::LeftButton)
        LeftButtonDoubleClick(EventPoint(event));
}

void CLumvexImgEdtView::keyPressEvent(QKeyEvent* event)
{
    if (!protocol.Typing()) {
        if (AimingKey(*event))
            return;
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        TypeRemoveLast();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        TypeEnter();
        return;
    case Qt::Key_Escape:
        QWidget::keyPressEvent(event);
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.isEmpty()) {
        // Nothing kept, but the text shows again.
        TypeCodeUnit(0);
        return;
    }
    for (QChar unit : typed)
        TypeCodeUnit(unit.unicode());
}

void CLumvexImgEdtView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!protocol.Typing()) {
        QWidget::inputMethodEvent(event);
        return;
    }
    for (QChar unit : event->commitString())
        TypeCodeUnit(unit.unicode());
    event->accept();
}

void CLumvexImgEdtView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    const QRect loupeBefore = LoupeBox();
    aiming.Leave();
    RepaintLoupe(loupeBefore);
}

// ---------------------------------------------------------------------------
// Aiming: the loupe and the keyboard's pending point

void CLumvexImgEdtView::SetLoupeEnabled(bool enabled)
{
    const QRect loupeBefore = LoupeBox();
    loupeEnabled = enabled;
    RepaintLoupe(loupeBefore);
}

bool CLumvexImgEdtView::LoupeShown() const
{
    return loupeEnabled && aiming.OverView() && ShowsLoupe(protocol.Tool()) &&
           !workingPicture.isNull() && !protocol.Typing();
}

QRect CLumvexImgEdtView::LoupeBox() const
{
    return LoupeShown() ? Loupe::Placement(aiming.Pointer(), size()) : QRect();
}

QPoint CLumvexImgEdtView::PendingPoint() const
{
    return aiming.Pending(pictureSize, viewSize);
}

void CLumvexImgEdtView::RepaintLoupe(const QRect& before)
{
    const QRect after = LoupeBox();
    if (before != after || !after.isEmpty())
        repaint(QRegion(before) + after);
}

bool CLumvexImgEdtView::AimingKey(const QKeyEvent& event)
{
    const bool placing =
        PlacesPointsByClicks(protocol.Tool()) && aiming.OverView() && !workingPicture.isNull();
    const PointAiming::KeyAction key = PointAiming::ForKey(event.key(), event.modifiers(), placing);
    const QRect loupeBefore = LoupeBox();
    switch (key.action) {
    case PointAiming::Action::ToggleLoupe:
        SetLoupeEnabled(!loupeEnabled);
        emit LoupeToggled(loupeEnabled);
        return true;
    case PointAiming::Action::Nudge: {
        const QPoint p = aiming.Nudge(key.step, pictureSize, viewSize);
        if (protocol.State() == InteractionState::StateIdle)
            RepaintLoupe(loupeBefore);
        else
            MoveAt(p);
        return true;
    }
    case PointAiming::Action::Click:
    case PointAiming::Action::DoubleClick:
        ClickAt(PendingPoint(), key.action == PointAiming::Action::DoubleClick);
        return true;
    case PointAiming::Action::None:
        break;
    }
    return false;
}

void CLumvexImgEdtView::ClickAt(QPoint p, bool doubleClick)
{
    // As the window system delivers a click, or a quick double click, with the
    // pointer resting on p: the object then follows the resting pointer.
    PressAt(p);
    ReleaseAt(p);
    if (doubleClick) {
        LeftButtonDoubleClick(p);
        ReleaseAt(p);
    }
    MoveAt(p);
}
